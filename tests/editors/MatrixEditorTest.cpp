#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "EditorTestSupport.h"
#include "site/MatrixTable.h"
#include "ui/dialogs/StepField.h"
#include "ui/dialogs/ValueDialogs.h"
#include "ui/editors/MatrixEditor.h"
#include "ui/editors/MatrixGrid.h"

namespace tamrik::testing {
namespace {

const QColor kRed(255, 0, 0);

// The matrix row of input group `input`; output group n is column n.
int RowOf(int input) { return input + kMatrixInputRowOffset; }

// The fill of a data cell as painted, sampled clear of its text and of the focus frame.
QColor PaintedFill(Grid& grid, int row, int column) {
    const QImage image = grid.viewport()->grab().toImage();
    const QRect rect = grid.cellRect(row, column);
    return image.pixelColor(rect.left() + 4, rect.bottom() - 4);
}

// Clicks a delay cell and answers the output delay dialog it opens: types the text and presses OK, or
// cancels when `text` is null. Returns the value it opened with.
QString SetDelay(Grid& grid, int row, int column, const char* text) {
    QString opened;
    WhenModal([text, &opened](QWidget* modal) {
        auto* dialog = qobject_cast<ValueDialog*>(modal);
        QVERIFY(dialog);
        opened = dialog->valueText();
        if (text) {
            auto* edit = dialog->field()->findChild<QLineEdit*>();
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromLatin1(text));
        }
        QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(text ? "okButton" : "cancelButton")),
                          Qt::LeftButton);
    });
    ClickCell(grid, row, column);
    const bool answered = QTest::qWaitFor([&opened] { return !opened.isNull() && !QApplication::activeModalWidget(); });
    return answered ? opened : QString();
}

}  // namespace

class MatrixEditorTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheMatrixWithItsSettingsRows() {
        auto site = DefaultSite();
        Put(site, {{"DisabledOPGroups", "6"}, {"OutputDelay_4", "1:25"}, {"OutputDelayT2_4", "10:00"}});  // 2, 3 off
        Put(site, {{"AlarmType_2", "1"}, {"AlarmType_3", nullptr}, {"Matrix_1_1", "O"}, {"Matrix_1_2", "P"}});
        Put(site, {{"Matrix_1_4", "W"}, {"Matrix_5_5", nullptr}});
        auto editor = OpenEditor(EditorView::Matrix, site, 1700, 900);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        QCOMPARE(grid.columnWidth(33), 0);  // the spare column stays hidden
        QCOMPARE(RowTexts(grid, 0, 1, 4), (std::vector<std::string>{"OPG1", "X", "X", "OPG4"}));
        QCOMPARE(RowTexts(grid, 1, 4, 5), (std::vector<std::string>{"1:25", "0:00"}));
        QCOMPARE(CellText(grid, 2, 4), std::string("10:00"));
        QCOMPARE(RowTexts(grid, 3, 1, 2), (std::vector<std::string>{"Alarm", "Control"}));
        QVERIFY(!grid.cell(3, 3).written);  // a missing alarm type stays empty
        QCOMPARE(CellText(grid, RowOf(32), 0), std::string("Sound Alarms"));
        QCOMPARE(RowTexts(grid, RowOf(1), 1, 5), (std::vector<std::string>{"O", "P", "C", "W", "C"}));
        QCOMPARE(Stored(site, "Matrix_5_5"), std::string("C"));  // a missing cell is filled in
        QVERIFY(SavePng(*editor, QStringLiteral("matrix_editor")));
    }

    // The letters' cycle is the matrix table's (tested with it); here: the clicked cell steps, shows and
    // paints its new letter, a right click offers the letters to choose from, and a cell whose key went
    // missing is left alone.
    void clicksAndTheMenuStepTheCell() {
        auto site = DefaultSite();
        Put(site, {{"Matrix_3_7", "O"}, {"Matrix_4_7", "X"}});
        auto editor = OpenEditor(EditorView::Matrix, site, 1700, 900);
        Grid& grid = *editor->grid();
        site.erase("Matrix_6_1");  // went missing after the editor opened

        ClickCell(grid, RowOf(3), 7);
        QCOMPARE(Stored(site, "Matrix_3_7"), std::string("P"));
        QCOMPARE(CellText(grid, RowOf(3), 7), std::string("P"));
        ClickCell(grid, RowOf(4), 7);
        QCOMPARE(PaintedFill(grid, RowOf(4), 7), kRed);
        const std::uint64_t before = site.fingerprint();
        ClickCell(grid, RowOf(6), 1);
        ClickCell(grid, RowOf(6), 0);
        ClickCell(grid, 0, 0);
        QCOMPARE(site.fingerprint(), before);

        QTimer::singleShot(50, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().size(), 4);
            for (int down = 0; down < 3; ++down) QTest::keyClick(menu, Qt::Key_Down);  // P, W, C
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QContextMenuEvent press(QContextMenuEvent::Mouse, CellPoint(grid, RowOf(3), 7),
                                grid.viewport()->mapToGlobal(CellPoint(grid, RowOf(3), 7)));
        QApplication::sendEvent(grid.viewport(), &press);
        QCOMPARE(Stored(site, "Matrix_3_7"), std::string("C"));
        QCOMPARE(CellText(grid, RowOf(3), 7), std::string("C"));
    }

    // The header disables and enables output groups, greying the column (the mask is the matrix
    // table's; the top group is bit 31); the alarm type row toggles, and a missing alarm type stays missing.
    void headerAndAlarmTypeClicks() {
        auto site = DefaultSite();
        site.erase("AlarmType_9");
        auto editor = OpenEditor(EditorView::Matrix, site, 1700, 900);
        Grid& grid = *editor->grid();
        const struct {
            int column;
            const char *stored, *shown;
            QColor below;  // the painted fill of input group 1's cell
        } clicks[] = {{5, "16", "X", QColor(128, 128, 128)}, {5, "0", "OPG5", kRed}, {32, "-2147483648", "X", {}}};
        for (const auto& [column, stored, shown, below] : clicks) {
            ClickCell(grid, 0, column);
            QCOMPARE(Stored(site, "DisabledOPGroups"), std::string(stored));
            QCOMPARE(CellText(grid, 0, column), std::string(shown));
            if (below.isValid()) QTRY_COMPARE(PaintedFill(grid, RowOf(1), column), below);
        }
        QCOMPARE(PaintedFill(grid, RowOf(1), 6), kRed);

        ClickCell(grid, kMatrixAlarmTypeRow, 8);
        ClickCell(grid, kMatrixAlarmTypeRow, 9);
        ExpectStored(site, {{"AlarmType_8", "1"}, {"AlarmType_9", "<missing>"}});
        QCOMPARE(RowTexts(grid, kMatrixAlarmTypeRow, 8, 9), (std::vector<std::string>{"Control", ""}));
    }

    // The dialog's rounding is its own (tested with it); here: which value and limits each row hands it.
    void outputDelaysAreSetInTheDelayDialog() {
        auto site = DefaultSite();
        site.put("OutputDelay_3", "2:00");
        auto editor = OpenEditor(EditorView::Matrix, site, 1700, 900);
        Grid& grid = *editor->grid();

        QCOMPARE(SetDelay(grid, 1, 3, "1:32"), QStringLiteral("2:00"));
        QCOMPARE(Stored(site, "OutputDelay_3"), std::string("1:30"));
        QCOMPARE(CellText(grid, 1, 3), std::string("1:30"));
        SetDelay(grid, 1, 3, "15:00");  // T1 stops at 10 minutes, T2 at 20
        SetDelay(grid, 2, 3, "25:00");
        ExpectStored(site, {{"OutputDelay_3", "10:00"}, {"OutputDelayT2_3", "20:00"}});
        // Cancel changes nothing; no delay is no key.
        QCOMPARE(SetDelay(grid, 2, 3, nullptr), QStringLiteral("20:00"));
        SetDelay(grid, 1, 3, "0:00");
        ExpectStored(site, {{"OutputDelay_3", "<missing>"}, {"OutputDelayT2_3", "20:00"}});
        QCOMPARE(CellText(grid, 1, 3), std::string("0:00"));
    }

    // What the Off and Cont buttons store is the matrix table's (tested with it); here: both reach the
    // site and the grid, and the refresh shows a cell that went missing as C again. The conventional
    // alarm group steps within 1 to 32, each step stored at once; a stored group outside that range
    // comes back within it at the first step.
    void toolBarButtons() {
        auto site = DefaultSite();
        site.put("ConvAlarmOpGroup", "2");
        auto editor = OpenEditor(EditorView::Matrix, site, 1700, 900);
        Grid& grid = *editor->grid();
        site.erase("Matrix_7_7");
        QWidget* toolBar = editor->toolBar();
        toolBar->show();
        QTest::mouseClick(toolBar->findChild<QPushButton*>(QStringLiteral("matrixOffButton")), Qt::LeftButton);
        ExpectStored(site, {{"Matrix_1_1", "O"}, {"Matrix_7_7", "C"}});
        QCOMPARE(CellText(grid, RowOf(31), 32), std::string("O"));
        QTest::mouseClick(toolBar->findChild<QPushButton*>(QStringLiteral("matrixContButton")), Qt::LeftButton);
        QCOMPARE(Stored(site, "Matrix_2_2"), std::string("C"));
        QCOMPARE(CellText(grid, RowOf(2), 2), std::string("C"));

        auto* box = toolBar->findChild<QLineEdit*>(QStringLiteral("alarmGroupBox"));
        auto* up = toolBar->findChild<QToolButton*>(QStringLiteral("alarmGroupUp"));
        auto* down = toolBar->findChild<QToolButton*>(QStringLiteral("alarmGroupDown"));
        QVERIFY(box && up && down && box->isReadOnly());
        QCOMPARE(box->text(), QStringLiteral("2"));
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("1"));
        QCOMPARE(Stored(site, "ConvAlarmOpGroup"), std::string("1"));
        for (int i = 0; i < 40; ++i) QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("32"));
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(Stored(site, "ConvAlarmOpGroup"), std::string("31"));

        site.put("ConvAlarmOpGroup", "77");
        editor = OpenEditor(EditorView::Matrix, site);
        QTest::mouseClick(editor->toolBar()->findChild<QToolButton*>(QStringLiteral("alarmGroupUp")), Qt::LeftButton);
        QCOMPARE(Stored(site, "ConvAlarmOpGroup"), std::string("32"));
    }

    // Columns 1 to 12 are 12 down to 1 groups, column 13 is Off; the chosen column is red throughout.
    void coincidenceShowsAndStoresTheNumberOfGroups() {
        auto site = DefaultSite();
        site.put("CoincidenceInputGroups", "3");
        auto editor = OpenEditor(EditorView::Coincidence, site, 900, 420);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        const auto redColumns = [&grid] {
            std::vector<int> columns;
            for (int column = 1; column <= 13; ++column) {
                int red = 0;
                for (int row = 1; row <= 13; ++row) red += grid.cell(row, column).colour == kRed ? 1 : 0;
                if (red) columns.push_back(red == 13 ? column : -column);  // negative: only partly red
            }
            return columns;
        };
        // The column for N groups lists 28, 27, ... from row 2 down; three groups colour rows 1 to 4.
        QCOMPARE(RowTexts(grid, 0, 12, 13), (std::vector<std::string>{"1", "Off"}));
        QCOMPARE(RowTexts(grid, 4, 10, 12), (std::vector<std::string>{"26", "", "28"}));
        QCOMPARE(RowTexts(grid, 13, 0, 1), (std::vector<std::string>{"12", "17"}));
        QCOMPARE(redColumns(), std::vector<int>{-10});
        QCOMPARE(grid.cell(4, 10).colour, kRed);
        QVERIFY(SavePng(*editor, QStringLiteral("coincidence_editor")));

        // Row and column clicked, groups stored, red column after. Off colours its first row only.
        const int clicks[][4] = {{5, 1, 12, 1}, {0, 12, 1, 12}, {7, 13, 0, -13}, {7, 0, 0, -13}};
        for (const auto& [row, column, groups, red] : clicks) {
            ClickCell(grid, row, column);
            QCOMPARE(Stored(site, "CoincidenceInputGroups"), std::to_string(groups));
            QCOMPARE(redColumns(), std::vector<int>{red});
        }
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::MatrixEditorTest)
#include "MatrixEditorTest.moc"
