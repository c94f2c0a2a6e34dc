#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QtTest>

#include "DialogTestSupport.h"
#include "ui/dialogs/StepField.h"
#include "ui/dialogs/ValueDialogs.h"

using namespace tamrik;
using namespace tamrik::testing;

Q_DECLARE_METATYPE(tamrik::ValueDialog::Kind)

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

const char* const kPngNames[] = {"value_minsec", "value_number", "value_pulse_time", "value_clock"};

}  // namespace

class ValueDialogsTest : public QObject {
    Q_OBJECT

private slots:
    // OK lowers to the maximum, raises to the minimum and rounds down to the step.
    void okNormalisesTheTypedText_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("minimum");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("step");
        QTest::addColumn<QString>("confirmed");
        QTest::newRow("m:ss to the step") << Kind::MinSec << "7:03" << 0 << 600 << 5 << "7:00";
        QTest::newRow("m:ss to the maximum") << Kind::MinSec << "12:00" << 0 << 600 << 5 << "10:00";
        QTest::newRow("m:ss seconds past 59") << Kind::MinSec << "0:99" << 0 << 600 << 5 << "1:35";
        QTest::newRow("m:ss of five characters") << Kind::MinSec << "0:0099" << 0 << 600 << 5 << "0:05";
        // Without a colon the text is a number of seconds, not left as typed (the panel image would read
        // that as no delay).
        QTest::newRow("seconds without colon") << Kind::MinSec << "45" << 0 << 600 << 5 << "0:45";
        QTest::newRow("minutes without colon") << Kind::MinSec << "93" << 0 << 600 << 5 << "1:30";
        QTest::newRow("empty m:ss") << Kind::MinSec << "" << 0 << 600 << 5 << "0:00";
        QTest::newRow("number to the minimum") << Kind::Number << "0" << 1 << 30 << 1 << "1";
        QTest::newRow("number to the maximum") << Kind::Number << "45" << 1 << 30 << 1 << "30";
        QTest::newRow("not a number") << Kind::Number << "x" << 1 << 30 << 1 << "1";
        QTest::newRow("number to the step") << Kind::Number << "47" << 0 << 255 << 10 << "40";
        QTest::newRow("pulse to the half second") << Kind::PulseTime << "3.26" << 0 << 255 << 1 << "3.0";
        QTest::newRow("pulse to half a second") << Kind::PulseTime << "0" << 0 << 255 << 1 << "0.5";
        QTest::newRow("clock out of range") << Kind::Clock << "25:70" << 0 << 1439 << 1 << "0:00";
    }
    void okNormalisesTheTypedText() {
        QFETCH(Kind, kind);
        QFETCH(QString, typed);
        QFETCH(int, minimum);
        QFETCH(int, maximum);
        QFETCH(int, step);
        QFETCH(QString, confirmed);
        ValueDialog dialog(kind, {QString(), QStringLiteral("1"), minimum, maximum, step});
        dialog.show();
        Retype(EditOf(dialog), typed);
        ClickButton(dialog, "okButton");
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.valueText(), confirmed);
    }

    // Up presses click the up arrow, down presses the Down key.
    void stepsStayWithinTheLimits_data() {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("maximum");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("ups");
        QTest::addColumn<int>("downs");
        QTest::addColumn<QString>("after");
        QTest::newRow("m:ss stops at the maximum") << Kind::MinSec << "9:55" << 600 << 5 << 2 << 2 << "9:50";
        QTest::newRow("m:ss stops at zero") << Kind::MinSec << "0:03" << 600 << 5 << 0 << 1 << "0:00";
        QTest::newRow("number stops at the maximum") << Kind::Number << "254" << 255 << 1 << 2 << 1 << "254";
        QTest::newRow("pulse in half seconds") << Kind::PulseTime << "127.0" << 255 << 1 << 3 << 0 << "127.5";
        QTest::newRow("clock wraps up at midnight") << Kind::Clock << "23:59" << 1439 << 1 << 1 << 0 << "0:00";
        QTest::newRow("clock wraps down at midnight") << Kind::Clock << "0:00" << 1439 << 1 << 0 << 1 << "23:59";
    }
    void stepsStayWithinTheLimits() {
        QFETCH(Kind, kind);
        QFETCH(QString, value);
        QFETCH(int, maximum);
        QFETCH(int, step);
        QFETCH(int, ups);
        QFETCH(int, downs);
        QFETCH(QString, after);
        ValueDialog dialog(kind, {QString(), value, 0, maximum, step});
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        SavePng(&dialog, QString::fromLatin1(kPngNames[static_cast<int>(kind)]));
        for (int i = 0; i < ups; ++i) ClickArrow(dialog.field(), true);
        for (int i = 0; i < downs; ++i) QTest::keyClick(dialog.field(), Qt::Key_Down);
        QCOMPARE(dialog.valueText(), after);
    }

    void noDelayAndCancelAndEnter() {
        TimeEntryRequest request{QStringLiteral("Adjust search time (m:ss)"), QStringLiteral("2:00"), 0, 600, 5};
        ValueDialog dialog(Kind::MinSec, request);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), request.title);
        ClickButton(dialog, "noDelayButton");
        QCOMPARE(dialog.valueText(), QStringLiteral("0:00"));
        QVERIFY(dialog.isVisible());

        // Cancel hands nothing back; Enter confirms the normalised text.
        WhenModal([](QWidget* modal) {
            auto* value = qobject_cast<ValueDialog*>(modal);
            QVERIFY(value);
            Retype(EditOf(*value), QStringLiteral("5:00"));
            ClickButton(*value, "cancelButton");
        });
        QVERIFY(!MinSecDialog(nullptr, request));
        QCOMPARE(request.value, QStringLiteral("2:00"));
        WhenModal([](QWidget* modal) {
            auto* value = qobject_cast<ValueDialog*>(modal);
            Retype(EditOf(*value), QStringLiteral("5:02"));
            QTest::keyClick(EditOf(*value), Qt::Key_Return);
        });
        QVERIFY(MinSecDialog(nullptr, request));
        QCOMPARE(request.value, QStringLiteral("5:00"));
    }
};

QTEST_MAIN(ValueDialogsTest)
#include "ValueDialogsTest.moc"
