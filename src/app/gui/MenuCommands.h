#pragma once

namespace tamrik {

// Menu command ids; other windows and tests refer to commands by these numbers.
enum MenuCommand : int {
    kCommandExit = 105,
    kCommandAbout = 6001,
    kCommandMatrixEditor = 6002,
    kCommandTextEditor = 6003,
    kCommandDeviceEditor = 6004,
    kCommandSiteInfo = 6005,
    kCommandSave = 6006,
    kCommandLoad = 6007,
    kCommandNew = 6008,
    kCommandImportText = 6009,
    kCommandSaveAs = 6010,
    kCommandSendToPanel = 6014,
    kCommandGetFromPanel = 6015,
    kCommandWebInterface = 6016,
    kCommandPanelInfo = 6018,
    kCommandUpdateFirmware = 6019,
    kCommandFireLog = 6020,
    kCommandNonFireLog = 6021,
    kCommandCombinedLog = 6022,
    kCommandCoincidence = 6023,
    kCommandDesignChecker = 6024,
    kCommandInstallationManual = 6025,
    kCommandUserManual = 6026,
    kCommandExportLog = 6031,
    kCommandExportDevices = 6032,
    kCommandExportMatrix = 6033,
    kCommandProgrammingManual = 6035,
    kCommandExportText = 6036,
    kCommandExportReport = 6040,
    kCommandPrintReport = 6041,
    kCommandCompareWithPanel = 6042,
    kCommandRestoreBackup = 6043,
    kCommandBackupBeforeWriting = 6044,
    kCommandUndo = 6045,
    kCommandRedo = 6046,
};

// What the editor area shows.
enum class EditorKind : int { None = 0, Matrix = 1, Text = 2, Device = 3, EventLog = 4, Coincidence = 5 };

}  // namespace tamrik
