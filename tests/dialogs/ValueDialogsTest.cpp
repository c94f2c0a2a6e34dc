#include <QLineEdit>
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

const TimeEntryRequest kSearchTime{QStringLiteral("Adjust search time (m:ss)"), QStringLiteral("2:00"), 0, 600, 5};
const TimeEntryRequest kWalkTest{QStringLiteral("Adjust seconds"), QStringLiteral("20"), 1, 30, 1};

QLineEdit* editOf(ValueDialog& dialog) { return dialog.field()->findChild<QLineEdit*>(); }

// Replaces the field's text by typing, as a user would.
void typeInto(ValueDialog& dialog, const QString& text) {
    QLineEdit* edit = editOf(dialog);
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

void clickButton(ValueDialog& dialog, const char* name) {
    auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Clicks the up or down arrow of the field's up-down control.
void clickArrow(StepField* field, bool up) {
    QStyleOptionSpinBox option;
    option.initFrom(field);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    option.frame = true;
    const QRect arrow = field->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                       up ? QStyle::SC_SpinBoxUp : QStyle::SC_SpinBoxDown, field);
    QTest::mouseClick(field, Qt::LeftButton, {}, arrow.center());
}

// Types `typed` into a fresh dialog and returns what OK hands back.
QString confirm(ValueDialog::Kind kind, const TimeEntryRequest& request, const QString& typed) {
    ValueDialog dialog(kind, request);
    dialog.show();
    typeInto(dialog, typed);
    clickButton(dialog, "okButton");
    return dialog.result() == QDialog::Accepted ? dialog.valueText() : QStringLiteral("<not accepted>");
}

}  // namespace

class ValueDialogsTest : public QObject {
    Q_OBJECT

private slots:
    void minSecOkLowersToTheMaximumAndRoundsDownToTheStep() {
        QCOMPARE(confirm(ValueDialog::Kind::MinSec, kSearchTime, QStringLiteral("7:03")), QStringLiteral("7:00"));
        QCOMPARE(confirm(ValueDialog::Kind::MinSec, kSearchTime, QStringLiteral("12:00")), QStringLiteral("10:00"));
        QCOMPARE(confirm(ValueDialog::Kind::MinSec, kSearchTime, QStringLiteral("0:99")), QStringLiteral("1:35"));
    }

    // Without a colon the text is a number of seconds, not left as typed (which the panel image
    // would read as no delay).
    void minSecReadsATextWithoutColonAsSeconds() {
        QCOMPARE(confirm(ValueDialog::Kind::MinSec, kSearchTime, QStringLiteral("45")), QStringLiteral("0:45"));
        QCOMPARE(confirm(ValueDialog::Kind::MinSec, kSearchTime, QStringLiteral("93")), QStringLiteral("1:30"));
        QCOMPARE(confirm(ValueDialog::Kind::MinSec, kSearchTime, QString()), QStringLiteral("0:00"));
    }

    void minSecArrowsStepWithinTheLimit() {
        ValueDialog dialog(ValueDialog::Kind::MinSec, {QString(), QStringLiteral("9:55"), 0, 600, 5});
        dialog.show();
        StepField* field = dialog.field();
        clickArrow(field, true);
        QCOMPARE(dialog.valueText(), QStringLiteral("10:00"));
        clickArrow(field, true);
        QCOMPARE(dialog.valueText(), QStringLiteral("10:00"));
        QTest::keyClick(field, Qt::Key_Down);
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(dialog.valueText(), QStringLiteral("9:50"));
        typeInto(dialog, QStringLiteral("0:03"));
        QTest::keyClick(field, Qt::Key_Down);
        QCOMPARE(dialog.valueText(), QStringLiteral("0:00"));
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Time delay MM:SS"));
    }

    void noDelaySetsZeroAndCancelHandsNothingBack() {
        ValueDialog dialog(ValueDialog::Kind::MinSec, kSearchTime);
        dialog.show();
        QCOMPARE(dialog.windowTitle(), kSearchTime.title);
        clickButton(dialog, "noDelayButton");
        QCOMPARE(dialog.valueText(), QStringLiteral("0:00"));
        QVERIFY(dialog.isVisible());

        TimeEntryRequest request = kSearchTime;
        WhenModal([](QWidget* modal) {
            auto* value = qobject_cast<ValueDialog*>(modal);
            QVERIFY(value);
            typeInto(*value, QStringLiteral("5:00"));
            clickButton(*value, "cancelButton");
        });
        QVERIFY(!MinSecDialog(nullptr, request));
        QCOMPARE(request.value, QStringLiteral("2:00"));

        WhenModal([](QWidget* modal) {
            auto* value = qobject_cast<ValueDialog*>(modal);
            typeInto(*value, QStringLiteral("5:02"));
            QTest::keyClick(editOf(*value), Qt::Key_Return);
        });
        QVERIFY(MinSecDialog(nullptr, request));
        QCOMPARE(request.value, QStringLiteral("5:00"));
    }

    void minSecFieldTakesAtMostFiveCharacters() {
        ValueDialog dialog(ValueDialog::Kind::MinSec, kSearchTime);
        dialog.show();
        typeInto(dialog, QStringLiteral("10:000"));
        QCOMPARE(dialog.valueText(), QStringLiteral("10:00"));
    }

    void numberOkClampsToTheLimits() {
        QCOMPARE(confirm(ValueDialog::Kind::Number, kWalkTest, QStringLiteral("0")), QStringLiteral("1"));
        QCOMPARE(confirm(ValueDialog::Kind::Number, kWalkTest, QStringLiteral("45")), QStringLiteral("30"));
        QCOMPARE(confirm(ValueDialog::Kind::Number, kWalkTest, QStringLiteral("x")), QStringLiteral("1"));
        const TimeEntryRequest byTens{QString(), QStringLiteral("0"), 0, 255, 10};
        QCOMPARE(confirm(ValueDialog::Kind::Number, byTens, QStringLiteral("47")), QStringLiteral("40"));
    }

    void numberArrowsStepAndStopAtTheLimits() {
        ValueDialog dialog(ValueDialog::Kind::Number,
                           {QStringLiteral("Adjust reminder days"), QStringLiteral("254"), 0, 255, 1});
        dialog.show();
        QTest::keyClick(dialog.field(), Qt::Key_Up);
        QTest::keyClick(dialog.field(), Qt::Key_Up);
        QCOMPARE(dialog.valueText(), QStringLiteral("255"));
        typeInto(dialog, QStringLiteral("12345"));
        QCOMPARE(dialog.valueText(), QStringLiteral("1234"));
        QTest::keyClick(dialog.field(), Qt::Key_Down);
        QCOMPARE(dialog.valueText(), QStringLiteral("255"));
    }

    void pulseTimeStepsInHalfSecondsWithinRange() {
        QString value = QStringLiteral("127.0");
        WhenModal([](QWidget* modal) {
            auto* dialog = qobject_cast<ValueDialog*>(modal);
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Set pulse time (Seconds)"));
            QTest::keyClick(dialog->field(), Qt::Key_Up);
            QTest::keyClick(dialog->field(), Qt::Key_Up);
            QCOMPARE(dialog->valueText(), QStringLiteral("127.5"));
            clickButton(*dialog, "okButton");
        });
        QVERIFY(PulseTimeDialog(nullptr, value));
        QCOMPARE(value, QStringLiteral("127.5"));

        const TimeEntryRequest pulse{QString(), QStringLiteral("1.0"), 1, 255, 1};
        QCOMPARE(confirm(ValueDialog::Kind::PulseTime, pulse, QStringLiteral("3.26")), QStringLiteral("3.0"));
        QCOMPARE(confirm(ValueDialog::Kind::PulseTime, pulse, QStringLiteral("0")), QStringLiteral("0.5"));
    }

    void clockWrapsThroughMidnightBothWays() {
        ValueDialog dialog(ValueDialog::Kind::Clock, {QString(), QStringLiteral("23:59"), 0, 1439, 1});
        dialog.show();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Adjust time HH:MM"));
        clickArrow(dialog.field(), true);
        QCOMPARE(dialog.valueText(), QStringLiteral("0:00"));
        clickArrow(dialog.field(), false);
        QCOMPARE(dialog.valueText(), QStringLiteral("23:59"));

        QString value = QStringLiteral("25:70");
        WhenModal([](QWidget* modal) { clickButton(*qobject_cast<ValueDialog*>(modal), "okButton"); });
        QVERIFY(ClockDialog(nullptr, value));
        QCOMPARE(value, QStringLiteral("0:00"));
    }

    void valueDialogPictures() {
        const std::pair<ValueDialog::Kind, TimeEntryRequest> dialogs[] = {
            {ValueDialog::Kind::MinSec, kSearchTime},
            {ValueDialog::Kind::Number, kWalkTest},
            {ValueDialog::Kind::PulseTime,
             {QStringLiteral("Set pulse time (Seconds)"), QStringLiteral("3.5"), 1, 255, 1}},
            {ValueDialog::Kind::Clock, {QStringLiteral("Adjust time HH:MM"), QStringLiteral("7:30"), 0, 1439, 1}},
        };
        const char* names[] = {"value_minsec", "value_number", "value_pulse_time", "value_clock"};
        for (std::size_t i = 0; i < std::size(dialogs); ++i) {
            ValueDialog dialog(dialogs[i].first, dialogs[i].second);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            SavePng(&dialog, QString::fromLatin1(names[i]));
        }
    }
};

QTEST_MAIN(ValueDialogsTest)
#include "ValueDialogsTest.moc"
