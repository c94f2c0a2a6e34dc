#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/StepField.h"
#include "ui/dialogs/ValueDialogs.h"

using namespace tamrik;
using namespace tamrik::testing;

namespace {

using Kind = ValueDialog::Kind;

QLineEdit* EditOf(ValueDialog& dialog) { return dialog.field()->findChild<QLineEdit*>(); }

// Clicks the up or down arrow of the field's up-down control.
void ClickArrow(StepField* field, bool up) {
    QStyleOptionSpinBox option;
    option.initFrom(field);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = true;
    const QRect arrow = field->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                       up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, field);
    QTest::mouseClick(field, Qt::LeftButton, {}, arrow.center());
}

}  // namespace

class ValueDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // Each kind steps and normalises by its own rule within the limits it was given: the up arrow and
    // the Down key step, and OK lowers to the maximum, raises to the minimum and rounds down to the
    // step. The step rules themselves are the core's; this is about which rule and limits a dialog uses.
    void valuesStayWithinTheLimits() {
        const struct {
            Kind kind;
            const char* value;
            const char* typed;  // null: nothing typed
            int ups, downs, minimum, maximum, step;
            const char* confirmed;
        } cases[] = {
            {Kind::MinSec, "1", "7:03", 0, 0, 0, 600, 5, "7:00"},
            {Kind::MinSec, "1", "12:00", 0, 0, 0, 600, 5, "10:00"},
            {Kind::MinSec, "1", "0:0099", 0, 0, 0, 600, 5, "0:05"},  // five characters at most
            // Without a colon the text is a number of seconds, not left as typed (the panel image would
            // read that as no delay).
            {Kind::MinSec, "1", "93", 0, 0, 0, 600, 5, "1:30"},
            {Kind::MinSec, "9:55", nullptr, 2, 2, 0, 600, 5, "9:50"},
            {Kind::Number, "1", "0", 0, 0, 1, 30, 1, "1"},
            {Kind::Number, "1", "47", 0, 0, 0, 255, 10, "40"},
            {Kind::Number, "254", nullptr, 2, 1, 0, 255, 1, "254"},
            {Kind::PulseTime, "1", "3.26", 0, 0, 0, 255, 1, "3.0"},
            {Kind::Clock, "1", "25:70", 0, 0, 0, 1439, 1, "0:00"},
            {Kind::Clock, "23:59", nullptr, 1, 0, 0, 1439, 1, "0:00"},
            {Kind::Clock, "0:00", nullptr, 0, 1, 0, 1439, 1, "23:59"},
        };
        const char* const pngNames[] = {"value_minsec", "value_number", "value_pulse_time", "value_clock"};
        for (const auto& c : cases) {
            ValueDialog dialog(c.kind, {QString(), QString::fromLatin1(c.value), c.minimum, c.maximum, c.step});
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            SavePng(&dialog, QString::fromLatin1(pngNames[static_cast<int>(c.kind)]));
            for (int i = 0; i < c.ups; ++i) ClickArrow(dialog.field(), true);
            for (int i = 0; i < c.downs; ++i) QTest::keyClick(dialog.field(), Qt::Key_Down);
            if (c.typed) Retype(EditOf(dialog), QString::fromLatin1(c.typed));
            ClickButton(dialog, "okButton");
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY2(dialog.valueText() == QString::fromLatin1(c.confirmed), qPrintable(dialog.valueText()));
        }
    }

    void noDelayAndCancelAndEnter() {
        TimeEntryRequest request{QStringLiteral("Adjust search time (m:ss)"), QStringLiteral("2:00"), 0, 600, 5};
        ValueDialog dialog(Kind::MinSec, request);
        dialog.show();
        ClickButton(dialog, "noDelayButton");
        QCOMPARE(dialog.valueText(), QStringLiteral("0:00"));
        QVERIFY(dialog.isVisible());

        // Cancel hands nothing back; Enter confirms the normalised text.
        for (const bool enter : {false, true}) {
            WhenModal([enter](QWidget* modal) {
                auto* value = qobject_cast<ValueDialog*>(modal);
                QVERIFY(value);
                Retype(EditOf(*value), QStringLiteral("5:02"));
                enter ? QTest::keyClick(EditOf(*value), Qt::Key_Return) : ClickButton(*value, "cancelButton");
            });
            QCOMPARE(MinSecDialog(nullptr, request), enter);
            QCOMPARE(request.value, enter ? QStringLiteral("5:00") : QStringLiteral("2:00"));
        }
    }
};

QTEST_MAIN(ValueDialogsTest)
#include "ValueDialogsTest.moc"
