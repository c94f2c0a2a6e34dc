#include "ui/dialogs/SiteInfoDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <charconv>

#include "images/SiteImageFields.h"
#include "ui/dialogs/FocusOrder.h"
#include "ui/dialogs/FormAlignment.h"
#include "ui/dialogs/MessageBoxes.h"
#include "ui/dialogs/MultiLineField.h"
#include "ui/dialogs/TextFieldRules.h"

namespace tamrik {
namespace {

const QString kErrorTitle = QStringLiteral("5300 Commissioning software Error");
constexpr double kMaxLoopResistance = 16.0;
constexpr double kMaxLoopAlarmCurrent = 0.6;

// The keys in the order OK writes them.
constexpr const char* kWriteOrder[] = {
    "SiteNumber",    "SiteName",     "SiteContact",  "SiteAddress",     "SitePostcode",
    "SitePhone",     "SiteComments", "SiteEngineer", "SiteCommission",  "SiteResistance",
    "SiteQuiescent", "SiteAlarm",    "SiteBattery",  "SiteBatteryType", "SiteBatteryInstallation",
};

// A measurement is read as a decimal number from its start; a text that is not a number reads as 0.
double readDecimal(const QString& text) {
    const QByteArray bytes = text.trimmed().toLatin1();
    const char* first = bytes.constData();
    const char* last = first + bytes.size();
    if (first != last && *first == '+') ++first;
    double value = 0.0;
    if (std::from_chars(first, last, value).ec != std::errc()) return 0.0;
    return value;
}

// A typing limit no longer than what the site data image carries of the key: its field less the
// terminating zero (a longer text could not be written to the panel).
int imageLimit(const char* key, int maxLength) {
    for (const SiteField& field : SiteImageFields()) {
        if (field.kind == SiteFieldKind::SiteText && std::string_view(field.key) == key) {
            return std::min(maxLength, field.arg - 1);
        }
    }
    return maxLength;
}

// A label of two lines: the field's name over the expected form.
QLabel* dateLabel(const QString& name, QWidget* parent) {
    return new QLabel(QStringLiteral("%1\nDD/MM/YY").arg(name), parent);
}

}  // namespace

SiteInfoDialog::SiteInfoDialog(SettingsStore& store, QWidget* owner) : QDialog(owner), store_(store) {
    setObjectName(QStringLiteral("siteInfoDialog"));
    setWindowTitle(QStringLiteral("Site information"));

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SiteInfoDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &SiteInfoDialog::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(buildCommissioningGroup());
    right->addWidget(buildLoopGroup());
    right->addWidget(buildBatteryGroup());
    right->addStretch(1);
    AlignFormLabels(FormsInColumn(right));

    auto* layout = new QGridLayout(this);
    layout->addWidget(buildSiteGroup(), 0, 0);
    layout->addLayout(right, 0, 1);
    layout->addWidget(buttons, 1, 0, 1, 2);
    setFixedSize(sizeHint());
    OrderTabsAsShown(this);
}

QLineEdit* SiteInfoDialog::addLine(const char* key, int maxLength) {
    auto* field = new QLineEdit(this);
    field->setObjectName(QString::fromLatin1(key));
    SetTextWithLimit(field, QString::fromLatin1(store_.text(key)), imageLimit(key, maxLength));
    lines_.insert(QString::fromLatin1(key), field);
    return field;
}

MultiLineField* SiteInfoDialog::addMultiLine(const char* key, int maxLength) {
    auto* field = new MultiLineField(imageLimit(key, maxLength), this);
    field->setObjectName(QString::fromLatin1(key));
    field->setStoredText(QString::fromLatin1(store_.text(key)));
    multiLines_.insert(QString::fromLatin1(key), field);
    return field;
}

QWidget* SiteInfoDialog::buildSiteGroup() {
    auto* group = new QGroupBox(QStringLiteral("Site"), this);
    auto* form = new QFormLayout(group);
    QLineEdit* number = addLine("SiteNumber", 6);
    MakeDigitsField(number);
    QLineEdit* phone = addLine("SitePhone", 16);
    MakeDigitsField(phone);
    MultiLineField* address = addMultiLine("SiteAddress", 64);
    address->setFixedHeight(address->fontMetrics().lineSpacing() * 4 + 12);
    MultiLineField* comments = addMultiLine("SiteComments", 256);
    comments->setFixedHeight(comments->fontMetrics().lineSpacing() * 6 + 12);
    form->addRow(QStringLiteral("Site number"), number);
    form->addRow(QStringLiteral("Site name"), addLine("SiteName", 32));
    form->addRow(QStringLiteral("Site contact"), addLine("SiteContact", 32));
    form->addRow(QStringLiteral("Site address"), address);
    form->addRow(QStringLiteral("Post code"), addLine("SitePostcode", 8));
    form->addRow(QStringLiteral("Telephone number"), phone);
    form->addRow(QStringLiteral("Comments"), comments);
    number->setMaximumWidth(number->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 8 + 16);
    group->setMinimumWidth(360);
    return group;
}

QWidget* SiteInfoDialog::buildCommissioningGroup() {
    auto* group = new QGroupBox(QStringLiteral("Commissioning"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Engineers name"), addLine("SiteEngineer", 16));
    form->addRow(dateLabel(QStringLiteral("Commissioning date"), group), addLine("SiteCommission", 16));

    auto* version = new QLineEdit(group);
    version->setObjectName(QStringLiteral("FirmwareVersion"));
    MakeShownOnly(version);
    version->setText(QString::fromLatin1(store_.text("FirmwareVersion", "N/A")));
    form->addRow(QStringLiteral("Panel software version"), version);
    return group;
}

QWidget* SiteInfoDialog::buildLoopGroup() {
    auto* group = new QGroupBox(QStringLiteral("Loop"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Loop resistance (Ohms)"), addLine("SiteResistance", 8));
    form->addRow(QStringLiteral("Loop quiescent current (Amps)"), addLine("SiteQuiescent", 8));
    form->addRow(QStringLiteral("Loop alarm current (Amps)"), addLine("SiteAlarm", 8));
    return group;
}

QWidget* SiteInfoDialog::buildBatteryGroup() {
    auto* group = new QGroupBox(QStringLiteral("Battery"), this);
    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Battery manufacturer"), addLine("SiteBattery", 8));
    form->addRow(QStringLiteral("Battery type and Ah capacity"), addLine("SiteBatteryType", 8));
    form->addRow(dateLabel(QStringLiteral("Battery installation date"), group), addLine("SiteBatteryInstallation", 16));
    return group;
}

QString SiteInfoDialog::fieldText(const char* key) const {
    const QString name = QString::fromLatin1(key);
    if (const QLineEdit* line = lines_.value(name)) return line->text();
    if (const MultiLineField* multi = multiLines_.value(name)) return multi->storedText();
    return {};
}

bool SiteInfoDialog::valuesWithinLimits() {
    if (readDecimal(fieldText("SiteResistance")) > kMaxLoopResistance) {
        ShowMessageBox(this, kErrorTitle, QStringLiteral("Loop resistance must be 16 Ohms or less"), BoxIcon::Error);
        lines_.value(QStringLiteral("SiteResistance"))->setFocus();
        return false;
    }
    if (readDecimal(fieldText("SiteAlarm")) > kMaxLoopAlarmCurrent) {
        ShowMessageBox(this, kErrorTitle, QStringLiteral("Loop alarm current must be 0.6A or less"), BoxIcon::Error);
        lines_.value(QStringLiteral("SiteAlarm"))->setFocus();
        return false;
    }
    return true;
}

void SiteInfoDialog::writeFields() {
    for (const char* key : kWriteOrder) store_.put(key, fieldText(key).toLatin1().toStdString());
}

// Both limits are checked before anything is written, so a refused OK leaves the store as it was.
void SiteInfoDialog::accept() {
    if (!valuesWithinLimits()) return;
    writeFields();
    QDialog::accept();
}

void RunSiteInfoDialog(QWidget* owner, SettingsStore& store) {
    SiteInfoDialog dialog(store, owner);
    dialog.exec();
}

}  // namespace tamrik
