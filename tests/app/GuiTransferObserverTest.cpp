#include <QPushButton>
#include <QtTest>

#include "ui/dialogs/GuiTransferObserver.h"
#include "ui/dialogs/ProgressDialog.h"

using namespace tamrik;

class GuiTransferObserverTest : public QObject {
    Q_OBJECT

    struct Seen {
        QStringList events;
        QList<bool> answers;
    };

    static GuiTransferObserver* makeObserver(QWidget* owner, Seen& seen) {
        return new GuiTransferObserver(
            owner,
            [&seen](QWidget*, const PanelMessage& message) {
                seen.events << QStringLiteral("message %1: %2")
                                   .arg(QString::fromUtf8(message.title.data(), qsizetype(message.title.size())),
                                        QString::fromUtf8(message.text.data(), qsizetype(message.text.size())));
            },
            [&seen](QWidget*, const QString& title, const QString&) {
                seen.events << QStringLiteral("question %1").arg(title);
                return seen.answers.isEmpty() ? false : seen.answers.takeFirst();
            });
    }

private slots:
    // The worker closes the display and then shows its result: the UI thread must keep serving the
    // message box after the dialog has gone, and the run ends only when the worker has finished.
    void messagesAfterTheCloseAreStillShown() {
        QWidget owner;
        Seen seen;
        seen.answers = {true};
        std::unique_ptr<GuiTransferObserver> observer(makeObserver(&owner, seen));
        bool answer = false;
        observer->run(TransferKind::Read, [&] {
            observer->ProgressTitle("Reading site data...");
            for (int percent = 0; percent <= 100; percent += 10) observer->ProgressSet(percent);
            answer = observer->Question("Are you sure?", "Go on?");
            observer->ProgressSet(-1);
            observer->Message({"Success", "Settings have been sent to the panel", MessageIcon::Information});
        });
        QVERIFY(answer);
        QCOMPARE(seen.events, (QStringList{QStringLiteral("question Are you sure?"),
                                           QStringLiteral("message Success: Settings have been sent to the panel")}));
        QVERIFY(!observer->progressIsOpen());
        QVERIFY(observer->progressDialog() == nullptr);
    }

    // A worker that finishes before the dialog's loop starts still closes it: nothing is lost.
    void anImmediateCloseIsNotLost() {
        QWidget owner;
        Seen seen;
        std::unique_ptr<GuiTransferObserver> observer(makeObserver(&owner, seen));
        observer->run(TransferKind::Write, [&] { observer->ProgressSet(-1); });
        QVERIFY(seen.events.isEmpty());
        observer->run(TransferKind::Write, [] {});  // and one that never closes it itself
        QVERIFY(!observer->progressIsOpen());
    }

    // The worker's step and bar reach the window; each step's bar starts at 0.
    void theDialogFollowsBarAndSteps() {
        QWidget owner;
        QStringList shown;
        std::unique_ptr<GuiTransferObserver> peeking;
        peeking.reset(new GuiTransferObserver(
            &owner, [](QWidget*, const PanelMessage&) {},
            [&](QWidget*, const QString&, const QString&) {
                QCoreApplication::processEvents();  // after the queued bar and title requests
                const ProgressDialog* dialog = peeking->progressDialog();
                shown << QStringLiteral("%1|%2").arg(dialog->stepText()).arg(dialog->value());
                return true;
            }));
        peeking->run(TransferKind::Write, [&] {
            peeking->ProgressSet(100);
            peeking->ProgressTitle("Writing loop data...", {3, 4});
            peeking->Question("peek", "");
            peeking->ProgressSet(42);
            peeking->Question("peek", "");
        });
        QCOMPARE(shown, (QStringList{QStringLiteral("Writing loop data... (step 3 of 4)|0"),
                                     QStringLiteral("Writing loop data... (step 3 of 4)|42")}));
    }

    // Cancel stops a read at its next report; during a write it is disabled and says why.
    void cancelStopsAReadButNeverAWrite() {
        QWidget owner;
        bool cancelEnabled = false;
        QString whyNot, heading;
        std::unique_ptr<GuiTransferObserver> observer;
        observer.reset(new GuiTransferObserver(
            &owner, [](QWidget*, const PanelMessage&) {},
            [&](QWidget*, const QString&, const QString&) {
                auto* cancel = observer->progressDialog()->findChild<QPushButton*>(QStringLiteral("progressCancel"));
                cancelEnabled = cancel->isEnabled();
                whyNot = cancel->toolTip();
                heading = observer->progressDialog()->heading();
                QTest::mouseClick(cancel, Qt::LeftButton);
                return true;
            }));
        for (const TransferKind kind : {TransferKind::Read, TransferKind::Write}) {
            bool ranOn = false;
            observer->run(
                kind,
                [&] {
                    observer->Question("press Cancel", "");
                    if (observer->stopPending()) throw TransferStopped{};  // as the session does at a report
                    ranOn = true;
                    observer->ProgressSet(-1);
                },
                kind == TransferKind::Read ? QStringLiteral("Backing up panel settings...") : QString());
            QCOMPARE(observer->wasStopped(), kind == TransferKind::Read);
            QCOMPARE(ranOn, kind == TransferKind::Write);
            QCOMPARE(cancelEnabled, kind == TransferKind::Read);
            QCOMPARE(heading.isEmpty(), kind != TransferKind::Read);
        }
        QVERIFY(whyNot.contains(QStringLiteral("cannot be stopped half-way")));
    }

    void cancelAndEscapeDoNotCloseTheProgressWindow() {
        ProgressDialog dialog(nullptr);
        dialog.setStoppable(true);
        dialog.show();
        dialog.setPercent(30);
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(dialog.isVisible());
        QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("progressCancel")), Qt::LeftButton);
        QVERIFY(dialog.isVisible());
        dialog.close();
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.value(), 30);
        dialog.setPercent(101);
        QCOMPARE(dialog.value(), 30);
        dialog.beginStep(QStringLiteral("Reading event log..."), 3, 3);
        dialog.setPercent(60);
        QDir().mkpath(TAMRIK_PNG_DIR);
        dialog.grab().save(QStringLiteral(TAMRIK_PNG_DIR "/progress_dialog.png"));
        dialog.finish();
        QVERIFY(!dialog.isVisible());
    }
};

QTEST_MAIN(GuiTransferObserverTest)
#include "GuiTransferObserverTest.moc"
