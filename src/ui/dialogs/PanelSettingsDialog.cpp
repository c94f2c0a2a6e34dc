#include "ui/dialogs/PanelSettingsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <string>

#include "images/ImageValueCheck.h"
#include "settings/DefaultSettings.h"
#include "site/KeyFamily.h"
#include "ui/dialogs/FocusOrder.h"
#include "ui/dialogs/FormAlignment.h"
#include "ui/dialogs/ListField.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/TextFieldRules.h"
#include "ui/dialogs/ValueButton.h"

namespace tamrik {
namespace {

using Kind = ValueDialog::Kind;

constexpr int kLoopAddresses = 192;
// Texts are written into the key's value up to this many characters.
constexpr int kTextWriteLimit = 127;
// Input groups that the panel itself drives when their option is on.
constexpr int kClassChangeGroup = 30;
constexpr int kRemoteAlarmGroup = 31;

constexpr ValueButtonSetup kValueButtons[] = {
    {"FireLinkDelay", Kind::MinSec, "Fire Link Delay (m:ss)", "0:00", 0, 600, 5, false},
    {"FirstKnockSearchTime", Kind::MinSec, "Adjust First Knock search time (m:ss)", "0:24", 0, 600, 5, false},
    {"SearchTime", Kind::MinSec, "Adjust search time (m:ss)", "2:00", 0, 600, 5, false},
    {"PulsingAlarmTimeoutTime", Kind::MinSec, "Adjust Pulsing timeout (m:ss)", "0:00", 0, 600, 5, false},
    {"TalkingSndSyncTime", Kind::Number, "Adjust seconds", "20", 1, 120, 1, true},
    {"ServiceReminderDays", Kind::Number, "Adjust reminder days", "90", 0, 255, 1, false},
    {"WalkTestTimeout", Kind::Number, "Adjust seconds", "20", 1, 30, 1, true},
    {"PulseOnTime", Kind::PulseTime, "Set pulse time (Seconds)", "1.0", 1, 255, 1, true},
    {"PulseOffTime", Kind::PulseTime, "Set pulse time (Seconds)", "1.0", 1, 255, 1, true},
    {"DayNightOnTime", Kind::Clock, "Adjust time HH:MM", "0:00", 0, 23 * 60 + 59, 1, false},
    {"DayNightOffTime", Kind::Clock, "Adjust time HH:MM", "0:00", 0, 23 * 60 + 59, 1, false},
};

// The order in which OK writes the check boxes, and then every other field.
constexpr const char* kCheckWriteOrder[] = {
    "FlashFirstDG",     "SecondFireLink", "2ndKnock",     "ClassChange",  "BeaconFlashUntil",
    "TsSpokenTest",     "TsSpokenMess",   "TsElectronic", "TsBellSound",  "DayNightIp",
    "RemoteAlarmInput", "RaiControl",     "FlashOnPoll",  "CancelDelays", "FBP",
    "FBP_NoDisplay",    "Serial",         "MaleVoice",    "Beacon",       "ClassBeacon",
};
constexpr const char* kFieldWriteOrder[] = {
    "PanelSnum",
    "ContractorCode",
    "FirstKnockSearchTime",
    "PanelType",
    "NumZones",
    "FireRelayMode",
    "MaxLoggedDev",
    "OverlayType",
    "UserCode",
    "UserCode2",
    "EngineerCode",
    "AdvancedCode",
    "FireLinkDelay",
    "DayNightOnTime",
    "DayNightOffTime",
    "PulsingAlarmTimeoutTime",
    "PulsingAlarmTimeoutTone",
    "DisplayMode",
    "Language",
    "BeaconFlashrate",
    "FaultRelayMode",
};

// The typed fields whose values OK refuses when the panel could not hold them, with their labels.
constexpr std::pair<const char*, const char*> kCheckedFields[] = {
    {"PanelSnum", "Serial number"},    {"ContractorCode", "Panel contractor"}, {"NumZones", "Number of zones"},
    {"UserCode", "User code"},         {"UserCode2", "User code 2"},           {"EngineerCode", "Engineer code"},
    {"AdvancedCode", "Advanced code"},
};
constexpr long kMostContractorCode = 65535;  // a 16-bit word in the panel
const QString kBeaconAdopted = QStringLiteral("Not used while \"Adopt sounder op grp + 1\" is on");
const QString kSerialTaken = QStringLiteral("Not available while the Fire Brigade Panel (FBP) is on");

constexpr const char* kSoundChoices[] = {"TsSpokenMess", "TsElectronic", "TsBellSound"};

// Sets a radio button either way: an exclusive one refuses to be turned off directly.
void setChoice(QAbstractButton* choice, bool on) {
    choice->setAutoExclusive(false);
    choice->setChecked(on);
    choice->setAutoExclusive(true);
}

const QStringList kPanelTypes = {QStringLiteral("5300"), QStringLiteral("Kestrelix")};
const QStringList kLanguages = {
    QStringLiteral("English"), QStringLiteral("Dutch"),   QStringLiteral("Hungarian"),  QStringLiteral("Norwegian"),
    QStringLiteral("Russian"), QStringLiteral("Spanish"), QStringLiteral("Italian"),    QStringLiteral("French"),
    QStringLiteral("Polish"),  QStringLiteral("Czech"),   QStringLiteral("Portuguese"), QStringLiteral("Finnish"),
    QStringLiteral("Danish"),
};
const QStringList kFaultRelayModes = {QStringLiteral("Denergise on fault")};
const QStringList kFireRelayModes = {
    QStringLiteral("Energise on any fire"),
    QStringLiteral("Energise on Automatic fires only"),
    QStringLiteral("Energise on Manual fires only"),
    QStringLiteral("Energise on any disablement"),
};
const QStringList kLoggedDevices = {QStringLiteral("32"), QStringLiteral("100"), QStringLiteral("192")};
const QStringList kDisplayModes = {QStringLiteral("Type 1"), QStringLiteral("Type 2"), QStringLiteral("Type 3"),
                                   QStringLiteral("Type 4")};
const QStringList kTimeoutTones = {QStringLiteral("Off"), QStringLiteral("Continuous"), QStringLiteral("Pulsing"),
                                   QStringLiteral("Warble")};
const QStringList kFlashRates = {QStringLiteral("1 Second"), QStringLiteral("2 Seconds")};

const ValueButtonSetup& valueButtonSetup(const char* key) {
    for (const ValueButtonSetup& setup : kValueButtons) {
        if (std::string_view(setup.key) == key) return setup;
    }
    return kValueButtons[0];
}

QFormLayout* formIn(QGroupBox* group) {
    auto* form = new QFormLayout(group);
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    form->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    return form;
}

}  // namespace

PanelSettingsDialog::PanelSettingsDialog(SettingsStore& store, QWidget* owner) : QDialog(owner), store_(store) {
    setObjectName(QStringLiteral("panelSettingsDialog"));
    setWindowTitle(QStringLiteral("Panel information"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &PanelSettingsDialog::accept);

    auto* first = new QVBoxLayout;
    first->addWidget(buildPanelGroup());
    first->addWidget(buildCodesGroup());
    first->addWidget(buildModesGroup());
    first->addStretch(1);
    auto* second = new QVBoxLayout;
    second->addWidget(buildFireLinkGroup());
    second->addWidget(buildTalkingGroup());
    second->addWidget(buildPulsingGroup());
    second->addWidget(buildDayNightGroup());
    second->addStretch(1);
    auto* third = new QVBoxLayout;
    third->addWidget(buildBeaconGroup());
    third->addWidget(buildServiceGroup());
    third->addWidget(buildOptionsGroup());
    third->addStretch(1);

    for (QLayout* column : {static_cast<QLayout*>(first), static_cast<QLayout*>(second), static_cast<QLayout*>(third)})
        AlignFormLabels(FormsInColumn(column));

    auto* layout = new QGridLayout(this);
    layout->addLayout(first, 0, 0);
    layout->addLayout(second, 0, 1);
    layout->addLayout(third, 0, 2);
    layout->addWidget(buttons, 1, 0, 1, 3);
    setFixedSize(sizeHint());
    OrderTabsAsShown(this);

    applyOpeningRules();
    connectRules();
}

QLineEdit* PanelSettingsDialog::addText(const char* key, int maxLength) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(key));
    SetTextWithLimit(field, QString::fromLatin1(store_.text(key)), maxLength);
    texts_.insert(QString::fromLatin1(key), field);
    return field;
}

QLineEdit* PanelSettingsDialog::addShownOnly(const char* key) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(key));
    MakeShownOnly(field);
    field->setText(QString::fromLatin1(store_.text(key)));
    return field;
}

ListField* PanelSettingsDialog::addList(const char* key, const QStringList& items, ListField::Storage storage) {
    auto* list = new ListField(key, items, storage, this);
    list->load(store_);
    lists_.insert(QString::fromLatin1(key), list);
    return list;
}

QCheckBox* PanelSettingsDialog::addCheck(const char* key, const QString& label) {
    auto* box = new QCheckBox(label, this);
    box->setObjectName(QString::fromLatin1(key));
    box->setChecked(store_.number(key) != 0);
    checks_.insert(QString::fromLatin1(key), box);
    return box;
}

// One of the talking sounders' three sound choices. The stored flags are shown as they are, even
// when more than one is set; choosing one clears the other two.
QAbstractButton* PanelSettingsDialog::addChoice(const char* key, const QString& label) {
    auto* choice = new QRadioButton(label, this);
    choice->setObjectName(QString::fromLatin1(key));
    setChoice(choice, store_.number(key) != 0);
    connect(choice, &QAbstractButton::toggled, this, [this, choice](bool on) {
        if (!on) return;
        for (const char* other : kSoundChoices) {
            QAbstractButton* sibling = checks_.value(QString::fromLatin1(other));
            if (sibling && sibling != choice) setChoice(sibling, false);
        }
    });
    checks_.insert(QString::fromLatin1(key), choice);
    return choice;
}

ValueButton* PanelSettingsDialog::addValueButton(const char* key) {
    auto* button = new ValueButton(store_, valueButtonSetup(key), this);
    button->setMinimumWidth(90);
    buttons_.insert(QString::fromLatin1(key), button);
    return button;
}

QWidget* PanelSettingsDialog::buildPanelGroup() {
    auto* group = new QGroupBox(QStringLiteral("Panel"), this);
    QFormLayout* form = formIn(group);
    QLineEdit* contractor = addText("ContractorCode", 5);
    MakeDigitsField(contractor, kMostContractorCode);
    QLineEdit* zones = addText("NumZones", 2);
    MakeDigitsField(zones, kZoneCount);
    QLineEdit* serial = addText("PanelSnum", 8);
    MakeHexSerialField(serial);
    form->addRow(QStringLiteral("Serial number"), serial);
    form->addRow(QStringLiteral("Panel contractor"), contractor);
    form->addRow(QStringLiteral("Site file revision"), addShownOnly("SFRevision"));
    form->addRow(QStringLiteral("Panel type"), addList("PanelType", kPanelTypes, ListField::Storage::Position));
    form->addRow(QStringLiteral("Number of zones"), zones);
    form->addRow(QStringLiteral("Overlay"), addList("OverlayType", kPanelTypes, ListField::Storage::Position));
    form->addRow(QStringLiteral("Language"), addList("Language", kLanguages, ListField::Storage::Position));
    form->addRow(QStringLiteral("Devices per loop"),
                 addList("MaxLoggedDev", kLoggedDevices, ListField::Storage::ItemText));
    form->addRow(QStringLiteral("Alarm count"), addShownOnly("AlarmCount"));
    return group;
}

QWidget* PanelSettingsDialog::buildCodesGroup() {
    auto* group = new QGroupBox(QStringLiteral("Access codes"), this);
    QFormLayout* form = formIn(group);
    const std::pair<const char*, QString> codes[] = {
        {"UserCode", QStringLiteral("User code")},
        {"UserCode2", QStringLiteral("User code 2")},
        {"EngineerCode", QStringLiteral("Engineer code")},
        {"AdvancedCode", QStringLiteral("Advanced code")},
    };
    for (const auto& [key, label] : codes) {
        QLineEdit* field = addText(key, 6);
        MakeAccessCodeField(field);
        form->addRow(label, field);
    }
    return group;
}

QWidget* PanelSettingsDialog::buildModesGroup() {
    auto* group = new QGroupBox(QStringLiteral("Relays and display"), this);
    QFormLayout* form = formIn(group);
    form->addRow(QStringLiteral("Fault relay mode"),
                 addList("FaultRelayMode", kFaultRelayModes, ListField::Storage::Position));
    form->addRow(QStringLiteral("Fire relay mode"),
                 addList("FireRelayMode", kFireRelayModes, ListField::Storage::Position));
    form->addRow(QStringLiteral("System Normal Display Options"),
                 addList("DisplayMode", kDisplayModes, ListField::Storage::Position));
    return group;
}

QWidget* PanelSettingsDialog::buildServiceGroup() {
    auto* group = new QGroupBox(QStringLiteral("Service"), this);
    QFormLayout* form = formIn(group);
    form->addRow(QStringLiteral("Service reminder days"), addValueButton("ServiceReminderDays"));
    form->addRow(QStringLiteral("Walk test timeout"), addValueButton("WalkTestTimeout"));
    return group;
}

QWidget* PanelSettingsDialog::buildFireLinkGroup() {
    auto* group = new QGroupBox(QStringLiteral("Fire Link"), this);
    QFormLayout* form = formIn(group);
    form->addRow(QStringLiteral("Activation delay"), addValueButton("FireLinkDelay"));
    form->addRow(QStringLiteral("First knock search time"), addValueButton("FirstKnockSearchTime"));
    form->addRow(QStringLiteral("Search time"), addValueButton("SearchTime"));
    return group;
}

QWidget* PanelSettingsDialog::buildTalkingGroup() {
    auto* group = new QGroupBox(QStringLiteral("Talking sounders"), this);
    QFormLayout* form = formIn(group);
    form->addRow(QStringLiteral("Sync. time"), addValueButton("TalkingSndSyncTime"));
    form->addRow(addCheck("MaleVoice", QStringLiteral("Male voice")));
    form->addRow(addCheck("TsSpokenTest", QStringLiteral("Spoken test message")));
    form->addRow(addChoice("TsSpokenMess", QStringLiteral("Spoken messages")));
    form->addRow(addChoice("TsElectronic", QStringLiteral("Electronic sounds")));
    form->addRow(addChoice("TsBellSound", QStringLiteral("Bell sounds")));
    return group;
}

QWidget* PanelSettingsDialog::buildPulsingGroup() {
    auto* group = new QGroupBox(QStringLiteral("Pulsing alarms"), this);
    QFormLayout* form = formIn(group);
    form->addRow(QStringLiteral("Timeout tone"),
                 addList("PulsingAlarmTimeoutTone", kTimeoutTones, ListField::Storage::Position));
    form->addRow(QStringLiteral("Timeout time"), addValueButton("PulsingAlarmTimeoutTime"));
    form->addRow(QStringLiteral("Pulse on time"), addValueButton("PulseOnTime"));
    form->addRow(QStringLiteral("Pulse off time"), addValueButton("PulseOffTime"));
    return group;
}

QWidget* PanelSettingsDialog::buildDayNightGroup() {
    auto* group = new QGroupBox(QStringLiteral("Day/Night mode"), this);
    QFormLayout* form = formIn(group);
    form->addRow(QStringLiteral("Night time"), addValueButton("DayNightOnTime"));
    form->addRow(QStringLiteral("Day time"), addValueButton("DayNightOffTime"));
    return group;
}

QWidget* PanelSettingsDialog::buildBeaconGroup() {
    auto* group = new QGroupBox(QStringLiteral("Beacon"), this);
    QFormLayout* form = formIn(group);
    form->addRow(QStringLiteral("Flash rate"),
                 addList("BeaconFlashrate", kFlashRates, ListField::Storage::PositionPlusOne));
    form->addRow(addCheck("Beacon", QStringLiteral("Adopt sounder op grp + 1")));
    form->addRow(addCheck("BeaconFlashUntil", QStringLiteral("Flash until reset")));
    form->addRow(addCheck("ClassBeacon", QStringLiteral("Inhibit class change")));
    return group;
}

QWidget* PanelSettingsDialog::buildOptionsGroup() {
    auto* group = new QGroupBox(QStringLiteral("Options"), this);
    auto* column = new QVBoxLayout(group);
    const std::pair<const char*, QString> options[] = {
        {"FlashOnPoll", QStringLiteral("Flash on poll")},
        {"ClassChange", QStringLiteral("Class change input (Input group 30)")},
        {"RemoteAlarmInput", QStringLiteral("Remote Alarm Input (Input group 31)")},
        {"RaiControl", QStringLiteral("Remote Alarm Input operates control o/p groups")},
        {"DayNightIp", QStringLiteral("Remote Alarm Input operates Day/Night selection")},
        {"2ndKnock", QStringLiteral("Override delays on second knock coincidence")},
        {"SecondFireLink", QStringLiteral("Use conv alarm outputs as manual firelink")},
        {"FlashFirstDG", QStringLiteral("Flash first display group in alarm")},
        {"CancelDelays", QStringLiteral("Cancel all delays in night mode")},
        {"FBP", QStringLiteral("Fire Brigade Panel (FBP)")},
        {"FBP_NoDisplay", QStringLiteral("Turn off LCD when FBP enabled")},
        {"Serial", QStringLiteral("Enable serial port")},
    };
    for (const auto& [key, label] : options) column->addWidget(addCheck(key, label));
    return group;
}

bool PanelSettingsDialog::checked(const char* key) const {
    const QAbstractButton* box = checks_.value(QString::fromLatin1(key));
    return box && box->isEnabled() && box->isChecked();
}

void PanelSettingsDialog::setBox(const char* key, bool enabled, bool on, const QString& whyDisabled) {
    QAbstractButton* box = checks_.value(QString::fromLatin1(key));
    box->setEnabled(enabled);
    box->setChecked(enabled && on);
    box->setToolTip(enabled ? QString() : whyDisabled);
}

// Input group 31 serves one purpose: remote alarm input (optionally operating control outputs),
// day/night selection, or a device.
void PanelSettingsDialog::setRemoteAlarmBoxes(bool dayNightInput, bool remoteAlarmOn, bool controlOn) {
    QString whyNot;
    if (inputGroupInUse(kRemoteAlarmGroup)) {
        whyNot = QStringLiteral("A device uses input group 31");
    } else if (dayNightInput) {
        whyNot = QStringLiteral("Input group 31 operates the Day/Night selection");
    }
    setBox("RemoteAlarmInput", whyNot.isEmpty(), remoteAlarmOn, whyNot);
    setBox("RaiControl", whyNot.isEmpty() && remoteAlarmOn, controlOn,
           whyNot.isEmpty() ? QStringLiteral("Remote Alarm Input (Input group 31) is off") : whyNot);
}

bool PanelSettingsDialog::inputGroupInUse(int group) const {
    for (int address = 1; address <= kLoopAddresses; ++address) {
        const std::string key = key::InputGroup(address);
        if (store_.get(key) && store_.number(key) == group) return true;
    }
    return false;
}

// The boxes were filled from their keys; these rules then disable the ones that cannot apply.
void PanelSettingsDialog::applyOpeningRules() {
    const auto stored = [this](const char* key) { return store_.number(key) != 0; };

    const bool beacon = stored("Beacon");
    setBox("BeaconFlashUntil", !beacon, stored("BeaconFlashUntil"), kBeaconAdopted);
    setBox("ClassBeacon", !beacon, stored("ClassBeacon"), kBeaconAdopted);

    setRemoteAlarmBoxes(stored("DayNightIp"), stored("RemoteAlarmInput"), stored("RaiControl"));

    setBox("ClassChange", !inputGroupInUse(kClassChangeGroup), stored("ClassChange"),
           QStringLiteral("A device uses input group 30"));
    setBox("Serial", !stored("FBP"), stored("Serial"), kSerialTaken);
}

void PanelSettingsDialog::connectRules() {
    const auto box = [this](const char* key) { return checks_.value(QString::fromLatin1(key)); };
    connect(box("RemoteAlarmInput"), &QAbstractButton::toggled, this, [this](bool on) {
        setBox("RaiControl", on, false, QStringLiteral("Remote Alarm Input (Input group 31) is off"));
    });
    connect(box("Beacon"), &QAbstractButton::toggled, this, [this](bool on) {
        setBox("BeaconFlashUntil", !on, false, kBeaconAdopted);
        setBox("ClassBeacon", !on, false, kBeaconAdopted);
    });
    connect(box("DayNightIp"), &QAbstractButton::toggled, this,
            [this](bool on) { setRemoteAlarmBoxes(on, false, false); });
    connect(box("FBP"), &QAbstractButton::toggled, this,
            [this](bool on) { setBox("Serial", !on, false, kSerialTaken); });
}

void PanelSettingsDialog::writeFields() {
    for (const char* key : kCheckWriteOrder) store_.put(key, checked(key) ? "1" : "0");
    for (const char* key : kFieldWriteOrder) {
        const QString name = QString::fromLatin1(key);
        QString text;
        if (ListField* list = lists_.value(name)) {
            list->write(store_);
            continue;
        }
        if (const QLineEdit* field = texts_.value(name)) text = field->text();
        if (const ValueButton* button = buttons_.value(name)) text = button->valueText();
        store_.put(key, text.left(kTextWriteLimit).toLatin1().toStdString());
    }
}

// Nothing is written while a typed value is one the panel could not hold; the message names the field.
bool PanelSettingsDialog::valuesThePanelCanHold() {
    for (const auto& [key, label] : kCheckedFields) {
        QLineEdit* field = texts_.value(QString::fromLatin1(key));
        const auto wanted = ImageValueProblem(key, field->text().toLatin1().toStdString());
        if (!wanted) continue;
        ShowMessageBox(this, QStringLiteral("5300 Commissioning software Error"),
                       QStringLiteral("%1 must be %2").arg(QString::fromLatin1(label), QString::fromStdString(*wanted)),
                       BoxIcon::Error);
        field->setFocus();
        field->selectAll();
        return false;
    }
    return true;
}

void PanelSettingsDialog::accept() {
    if (!valuesThePanelCanHold()) return;
    writeFields();
    QDialog::accept();
}

void RunPanelSettingsDialog(QWidget* owner, SettingsStore& store) {
    PanelSettingsDialog dialog(store, owner);
    dialog.exec();
}

}  // namespace tamrik
