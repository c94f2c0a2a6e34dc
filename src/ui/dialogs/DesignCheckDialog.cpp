#include "ui/dialogs/DesignCheckDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "checker/SiteCheck.h"
#include "ui/dialogs/FocusOrder.h"

namespace tamrik {
namespace {

QLineEdit* shownValue(const SettingsStore& store, const char* key, QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(key));
    MakeShownOnly(field);
    field->setText(QString::fromLatin1(store.text(key, "N/A")));
    return field;
}

}  // namespace

DesignCheckDialog::DesignCheckDialog(SettingsStore& store, QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("designCheckDialog"));
    setWindowTitle(QStringLiteral("Design check"));

    const SiteCheckResult result = SiteCheck(store, true);
    faultCount_ = result.faultCount;

    report_ = new QPlainTextEdit(this);
    report_->setObjectName(QStringLiteral("report"));
    report_->setReadOnly(true);
    report_->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString report = faultCount_ != 0 ? QString::fromLatin1(result.report) : QStringLiteral("No Site File Errors");
    report_->setPlainText(report.replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    report_->setMinimumSize(520, 260);

    quiescent_ = shownValue(store, "QuiescentCurrent", this);
    alarm_ = shownValue(store, "AlarmCurrent", this);
    quiescent_->setFixedWidth(110);
    alarm_->setFixedWidth(110);
    auto* currents = new QHBoxLayout;
    currents->addWidget(new QLabel(QStringLiteral("Quiescent Current"), this));
    currents->addWidget(quiescent_);
    currents->addSpacing(24);
    currents->addWidget(new QLabel(QStringLiteral("Alarm Current"), this));
    currents->addWidget(alarm_);
    currents->addStretch(1);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("okButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(currents);
    layout->addWidget(new QLabel(QStringLiteral("Site file check results"), this));
    layout->addWidget(report_, 1);
    layout->addWidget(buttons);
}

QString DesignCheckDialog::reportText() const { return report_->toPlainText(); }
QString DesignCheckDialog::quiescentText() const { return quiescent_->text(); }
QString DesignCheckDialog::alarmText() const { return alarm_->text(); }

std::uint32_t RunDesignCheckDialog(QWidget* owner, SettingsStore& store) {
    DesignCheckDialog dialog(store, owner);
    dialog.exec();
    return dialog.faultCount();
}

}  // namespace tamrik
