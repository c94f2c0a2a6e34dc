#include "ui/editors/TextEditor.h"

#include "settings/DefaultSettings.h"
#include "ui/editors/EditorKeys.h"
#include "ui/editors/LcdTextWindow.h"
#include "ui/grid/Grid.h"
#include "ui/grid/GridCalls.h"

namespace tamrik {
namespace {

constexpr int kDeviceTextColumn = 1;
constexpr int kZoneTextColumn = 2;
constexpr int kBannerTextColumn = 3;
constexpr int kBannerLines = 4;  // the panel shows two; lines 3 and 4 are kept too
constexpr int kShownBannerLines = 2;
constexpr const char* kMissingText = "NULL";
constexpr const char* kEditPrompt = "     Edit Text      ";

}  // namespace

TextEditor::TextEditor(SettingsStore& store, Grid* grid, QWidget* parent)
    : SiteEditor(EditorView::Text, grid, parent), store_(store), grid_(grid) {
    setObjectName(QStringLiteral("textEditor"));
    grid_->message(GM_SETSIZE, kLoopAddressCount, 3);
    fill();
    grid_->message(GM_SETHEADERHEIGHT, 21);
    grid_->message(GM_SETDBLCLKNOTIFY, 1);
    grid_->message(GM_SETCOLGAP, 10);
}

LcdTextWindow* TextEditor::displayWindow() const { return displayWindow_; }

void TextEditor::fill() {
    GridSetCellText(*grid_, 0, 0, "");
    GridSetCellText(*grid_, 0, kDeviceTextColumn, "Device text");
    GridSetCellText(*grid_, 0, kZoneTextColumn, "Zone text");
    GridSetCellText(*grid_, 0, kBannerTextColumn, "Banner text");
    for (int row = 1; row <= kLoopAddressCount; ++row) {
        GridSetCellText(*grid_, row, 0, std::to_string(row));
        setTextCell(row, kDeviceTextColumn, "DeviceText_%d", row);
        if (row <= kZoneCount) setTextCell(row, kZoneTextColumn, "ZoneText_%d", row);
        if (row <= kShownBannerLines) setTextCell(row, kBannerTextColumn, "BannerText_%d", row);
    }
}

void TextEditor::setTextCell(int row, int column, const char* format, int number) {
    GridSetCellText(*grid_, row, column, std::string(store_.text(EditorKey(format, number), kMissingText)));
}

void TextEditor::gridNotification(int code, quint32 value) {
    if (code == GN_DBLCLK) openDisplay(GridLowWord(value), GridHighWord(value));
}

void TextEditor::openDisplay(int row, int column) {
    if (row < 1 || column < 1 || displayWindow_) return;
    editRow_ = row;
    editColumn_ = column;
    const std::string text = GridCellText(*grid_, row, column);
    displayWindow_ = new LcdTextWindow(kEditPrompt, text, this);
    connect(displayWindow_, &LcdTextWindow::textAccepted, this, [this](const QString& accepted) {
        GridSetCellText(*grid_, editRow_, editColumn_, accepted.toLatin1().toStdString(), true);
        window()->activateWindow();
    });
    displayWindow_->show();
    displayWindow_->activateWindow();
}

void TextEditor::writeBack() {
    grid_->message(GM_ENDEDIT);
    writeColumn(kDeviceTextColumn, "DeviceText_%d", kLoopAddressCount);
    writeColumn(kZoneTextColumn, "ZoneText_%d", kZoneCount);
    writeColumn(kBannerTextColumn, "BannerText_%d", kBannerLines);
}

void TextEditor::writeColumn(int column, const char* format, int count) {
    for (int row = 1; row <= count; ++row) {
        bool found = false;
        const GridCell cell = GridGetCell(*grid_, row, column, &found);
        const std::string key = EditorKey(format, row);
        // The placeholder of a missing text is not a text: the key stays missing.
        if (found && cell.text == kMissingText && !store_.get(key)) continue;
        store_.put(key, found ? cell.text : std::string());
    }
}

}  // namespace tamrik
