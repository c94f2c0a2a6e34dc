#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include "EditorTestSupport.h"
#include "site/MatrixTable.h"
#include "ui/dialogs/StepField.h"
#include "ui/dialogs/ValueDialogs.h"
#include "ui/editors/EditorFactory.h"
#include "ui/editors/MatrixEditor.h"
#include "ui/editors/MatrixGrid.h"

namespace tamrik::testing {
namespace {

const QColor kRed(255, 0, 0);
const QColor kWhite(Qt::white);

// The matrix row of input group `input`; output group n is column n.
int RowOf(int input) { return input + kMatrixInputRowOffset; }

QColor CellColour(Grid& grid, int row, int column) { return grid.cell(row, column).colour; }

// What a matrix cell shows for each letter.
QColor LetterColour(const std::string& letter) {
    if (letter == "O") return kWhite;
    if (letter == "P") return QColor(0, 255, 0);
    if (letter == "W") return QColor(255, 255, 0);
    if (letter == "Q") return QColor(0, 0, 255);
    return kRed;
}

// The fill of a data cell as painted, sampled clear of its text and of the focus frame.
QColor PaintedFill(Grid& grid, int row, int column) {
    const QImage image = grid.viewport()->grab().toImage();
    const QRect rect = grid.cellRect(row, column);
    return image.pixelColor(rect.left() + 4, rect.bottom() - 4);
}

template <typename T>
T* Child(QWidget& parent, const char* name) {
    return parent.findChild<T*>(QString::fromLatin1(name));
}

// Clicks a delay cell and answers the output delay dialog it opens: types the text and presses OK, or
// cancels when `text` is null. Returns the dialog's title and the value it opened with.
QStringList SetDelay(Grid& grid, int row, int column, const char* text) {
    QStringList seen;
    WhenModal([text, &seen](QWidget* modal) {
        auto* dialog = qobject_cast<ValueDialog*>(modal);
        QVERIFY(dialog);
        seen << dialog->windowTitle() << dialog->valueText();
        if (text) {
            auto* edit = dialog->field()->findChild<QLineEdit*>();
            edit->selectAll();
            QTest::keyClicks(edit, QString::fromLatin1(text));
        }
        QTest::mouseClick(Child<QPushButton>(*dialog, text ? "okButton" : "cancelButton"), Qt::LeftButton);
    });
    ClickCell(grid, row, column);
    if (!QTest::qWaitFor([&seen] { return !seen.isEmpty() && !QApplication::activeModalWidget(); })) return {};
    return seen;
}

}  // namespace

class MatrixEditorTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheMatrixWithItsSettingsRows() {
        DefaultSite site;
        Put(*site,
            {{"DisabledOPGroups", "6"}, {"OutputDelay_4", "1:25"}, {"OutputDelayT2_4", "10:00"}});  // 2 and 3 off
        Put(*site, {{"AlarmType_2", "1"}, {"AlarmType_3", nullptr}, {"Matrix_1_1", "O"}, {"Matrix_1_2", "P"}});
        Put(*site, {{"Matrix_1_4", "W"}, {"Matrix_2_4", "Q"}, {"Matrix_5_5", nullptr}});
        auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        QCOMPARE(grid.columnWidth(33), 0);  // the spare column stays hidden
        QCOMPARE(RowTexts(grid, 0, 1, 4), (std::vector<std::string>{"OPG1", "X", "X", "OPG4"}));
        QCOMPARE(CellColour(grid, 0, 2), QColor(Qt::black));
        QCOMPARE(RowTexts(grid, 1, 4, 5), (std::vector<std::string>{"1:25", "0:00"}));
        QCOMPARE(CellText(grid, 2, 4), std::string("10:00"));
        QCOMPARE(RowTexts(grid, 3, 1, 2), (std::vector<std::string>{"Alarm", "Control"}));
        QCOMPARE(CellColour(grid, 3, 1), QColor(255, 200, 200));
        QCOMPARE(CellColour(grid, 3, 2), QColor(200, 200, 255));
        QVERIFY(!grid.cell(3, 3).written);  // a missing alarm type stays empty
        QCOMPARE(RowTexts(grid, RowOf(31), 0, 0), std::vector<std::string>{"IPG31"});
        QCOMPARE(RowTexts(grid, RowOf(32), 0, 0), std::vector<std::string>{"Sound Alarms"});

        const struct {
            int input, output;
            const char* letter;
        } letters[] = {{1, 1, "O"}, {1, 2, "P"}, {1, 4, "W"}, {1, 5, "C"}, {2, 4, "Q"}, {5, 5, "C"}};
        for (const auto& cell : letters) {
            QCOMPARE(CellText(grid, RowOf(cell.input), cell.output), std::string(cell.letter));
            QCOMPARE(CellColour(grid, RowOf(cell.input), cell.output), LetterColour(cell.letter));
        }
        QCOMPARE(Stored(*site, "Matrix_5_5"), std::string("C"));  // a missing cell is filled in

        QVERIFY(SavePng(*editor, QStringLiteral("matrix_editor")));
    }

    // The letters' cycle is the matrix table's (tested with it); here: the clicked cell steps, shows
    // and paints its new letter, and a cell whose key went missing is left alone.
    void clickingACellStepsItsLetter() {
        DefaultSite site;
        Put(*site, {{"Matrix_3_7", "O"}, {"Matrix_4_7", "X"}});
        auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
        Grid& grid = *editor->grid();
        site->erase("Matrix_6_1");  // went missing after the editor opened

        ClickCell(grid, RowOf(3), 7);
        QCOMPARE(Stored(*site, "Matrix_3_7"), std::string("P"));
        QCOMPARE(CellText(grid, RowOf(3), 7), std::string("P"));
        QCOMPARE(CellColour(grid, RowOf(3), 7), LetterColour("P"));
        QVERIFY(grid.cell(RowOf(3), 7).readOnly);
        ClickCell(grid, RowOf(4), 7);
        QCOMPARE(PaintedFill(grid, RowOf(4), 7), QColor(255, 0, 0));

        const std::uint64_t before = site->fingerprint();
        ClickCell(grid, RowOf(6), 1);
        ClickCell(grid, RowOf(6), 0);
        ClickCell(grid, 0, 0);
        QCOMPARE(site->fingerprint(), before);
    }

    // A right click on a letter lists the letters the clicks step through; choosing one stores it.
    void cellsOfferTheirSteps() {
        DefaultSite site;
        Put(*site, {{"Matrix_3_7", "O"}, {"Matrix_4_7", "X"}});
        auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
        Grid& grid = *editor->grid();
        QCOMPARE(editor->stepChoices(RowOf(4), 7),
                 (QStringList{"X", "C: continuous", "O: off", "P: pulsing", "W: warble"}));
        QCOMPARE(editor->stepChoices(kMatrixAlarmTypeRow, 7), (QStringList{"Alarm", "Control"}));
        QVERIFY(editor->stepChoices(kMatrixDelayT1Row, 7).isEmpty());
        QTimer::singleShot(50, [] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QCOMPARE(menu->actions().size(), 4);
            for (int down = 0; down < 3; ++down) QTest::keyClick(menu, Qt::Key_Down);  // O, P, W
            QTest::keyClick(menu, Qt::Key_Return);
        });
        QContextMenuEvent press(QContextMenuEvent::Mouse, CellPoint(grid, RowOf(3), 7),
                                grid.viewport()->mapToGlobal(CellPoint(grid, RowOf(3), 7)));
        QApplication::sendEvent(grid.viewport(), &press);
        QCOMPARE(Stored(*site, "Matrix_3_7"), std::string("W"));
        QCOMPARE(CellText(grid, RowOf(3), 7), std::string("W"));
    }

    // The header disables and enables output groups (the mask is kept as the panel's signed number, the
    // top group is bit 31); the alarm type row toggles, and a missing alarm type stays missing.
    void headerAndAlarmTypeClicks() {
        DefaultSite site;
        Put(*site, {{"AlarmType_9", nullptr}, {"ClassChange", "1"}, {"RemoteAlarmInput", "1"}});
        auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
        Grid& grid = *editor->grid();
        QCOMPARE(RowTexts(grid, 33, 0, 0), std::vector<std::string>{"Class Change"});
        QCOMPARE(RowTexts(grid, 34, 0, 0), std::vector<std::string>{"Remote Alarm"});
        const struct {
            int row, column;
            const char *key, *stored, *shown;
            QColor
                below;  // the painted fill of input group 1's cell (unchecked if invalid), or the alarm type's colour
        } clicks[] = {{0, 5, "DisabledOPGroups", "16", "X", QColor(128, 128, 128)},
                      {0, 5, "DisabledOPGroups", "0", "OPG5", kRed},
                      {0, 32, "DisabledOPGroups", "-2147483648", "X", QColor()},
                      {0, 1, "DisabledOPGroups", "-2147483647", "X", QColor()},
                      {0, 32, "DisabledOPGroups", "1", "OPG32", QColor()},
                      {3, 8, "AlarmType_8", "1", "Control", QColor(200, 200, 255)},
                      {3, 8, "AlarmType_8", "0", "Alarm", QColor(255, 200, 200)},
                      {3, 9, "AlarmType_9", "<missing>", "", kWhite}};
        for (const auto& click : clicks) {
            ClickCell(grid, click.row, click.column);
            QCOMPARE(Stored(*site, click.key), std::string(click.stored));
            QCOMPARE(CellText(grid, click.row, click.column), std::string(click.shown));
            if (click.row == 0 && click.below.isValid()) {
                QTRY_COMPARE(PaintedFill(grid, RowOf(1), click.column), click.below);
            } else if (click.row > 0) {
                QCOMPARE(CellColour(grid, click.row, click.column), click.below);
            }
        }
        QCOMPARE(PaintedFill(grid, RowOf(1), 6), kRed);
    }

    void outputDelaysAreSetInTheDelayDialog() {
        DefaultSite site;
        site->put("OutputDelay_3", "2:00");
        auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
        Grid& grid = *editor->grid();

        QCOMPARE(SetDelay(grid, 1, 3, "1:32"),
                 (QStringList{QStringLiteral("Output Delay (m:ss)"), QStringLiteral("2:00")}));
        QCOMPARE(Stored(*site, "OutputDelay_3"), std::string("1:30"));  // in 5-second steps
        QCOMPARE(CellText(grid, 1, 3), std::string("1:30"));
        // T1 stops at 10 minutes, T2 at 20.
        SetDelay(grid, 1, 3, "15:00");
        QCOMPARE(Stored(*site, "OutputDelay_3"), std::string("10:00"));
        SetDelay(grid, 2, 3, "25:00");
        QCOMPARE(Stored(*site, "OutputDelayT2_3"), std::string("20:00"));

        // No delay is no key; the cell still reads 0:00. Cancel changes nothing, and a missing delay is not
        // created by looking at it.
        SetDelay(grid, 1, 3, "0:00");
        QCOMPARE(Stored(*site, "OutputDelay_3"), std::string("<missing>"));
        QCOMPARE(CellText(grid, 1, 3), std::string("0:00"));
        QCOMPARE(SetDelay(grid, 1, 3, nullptr).value(1), QStringLiteral("0:00"));
        QCOMPARE(Stored(*site, "OutputDelay_3"), std::string("<missing>"));
    }

    // What the buttons store is the matrix table's (tested with it); here: both reach the site and the
    // grid, and the refresh shows a cell that went missing as C again.
    void toolBarSetsTheWholeMatrix() {
        DefaultSite site;
        auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
        Grid& grid = *editor->grid();
        site->erase("Matrix_7_7");
        QWidget* toolBar = editor->toolBar();
        toolBar->show();

        QTest::mouseClick(Child<QPushButton>(*toolBar, "matrixOffButton"), Qt::LeftButton);
        ExpectStored(*site, {{"Matrix_1_1", "O"}, {"Matrix_32_5", "C"}, {"Matrix_7_7", "C"}});
        QCOMPARE(CellText(grid, RowOf(31), 32), std::string("O"));
        QCOMPARE(CellColour(grid, RowOf(1), 1), kWhite);

        QTest::mouseClick(Child<QPushButton>(*toolBar, "matrixContButton"), Qt::LeftButton);
        QCOMPARE(Stored(*site, "Matrix_2_2"), std::string("C"));
        QCOMPARE(CellText(grid, RowOf(2), 2), std::string("C"));
        QCOMPARE(CellColour(grid, RowOf(2), 2), kRed);
    }

    void toolBarStepsTheConventionalAlarmGroup() {
        DefaultSite site;
        site->put("ConvAlarmOpGroup", "2");
        auto editor = OpenEditor(EditorView::Matrix, *site);
        QWidget* toolBar = editor->toolBar();
        toolBar->show();
        auto* box = Child<QLineEdit>(*toolBar, "alarmGroupBox");
        auto* up = Child<QToolButton>(*toolBar, "alarmGroupUp");
        auto* down = Child<QToolButton>(*toolBar, "alarmGroupDown");
        QVERIFY(box && up && down && box->isReadOnly());
        QCOMPARE(box->text(), QStringLiteral("2"));

        // It stays within 1 to 32, and each step is stored at once.
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("1"));
        QCOMPARE(Stored(*site, "ConvAlarmOpGroup"), std::string("1"));
        for (int i = 0; i < 40; ++i) QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(box->text(), QStringLiteral("32"));
        QTest::keyClick(box, Qt::Key_Down);
        QCOMPARE(Stored(*site, "ConvAlarmOpGroup"), std::string("31"));

        // A stored group outside 1 to 32 comes back within it at the first step.
        site->put("ConvAlarmOpGroup", "77");
        editor.reset();
        editor = OpenEditor(EditorView::Matrix, *site);
        toolBar = editor->toolBar();
        QCOMPARE(Child<QLineEdit>(*toolBar, "alarmGroupBox")->text(), QStringLiteral("77"));
        QTest::mouseClick(Child<QToolButton>(*toolBar, "alarmGroupUp"), Qt::LeftButton);
        QCOMPARE(Stored(*site, "ConvAlarmOpGroup"), std::string("32"));
    }

    // Columns 1 to 12 are 12 down to 1 groups, column 13 is Off; the chosen column is red throughout.
    void coincidenceShowsAndStoresTheNumberOfGroups() {
        DefaultSite site;
        site->put("CoincidenceInputGroups", "3");
        auto editor = OpenEditor(EditorView::Coincidence, *site, 900, 420);
        QVERIFY(editor);
        Grid& grid = *editor->grid();
        const auto redColumns = [&grid] {
            std::vector<int> columns;
            for (int column = 1; column <= 13; ++column) {
                int red = 0;
                for (int row = 1; row <= 13; ++row) red += CellColour(grid, row, column) == kRed ? 1 : 0;
                if (red) columns.push_back(red == 13 ? column : -column);  // negative: only partly red
            }
            return columns;
        };
        // The column for N groups lists 28, 27, ... from row 2 down; three groups colour rows 1 to 4.
        QCOMPARE(RowTexts(grid, 0, 1, 13).front(), std::string("12"));
        QCOMPARE(RowTexts(grid, 0, 1, 13).back(), std::string("Off"));
        QCOMPARE(RowTexts(grid, 2, 10, 13), (std::vector<std::string>{"28", "28", "28", ""}));
        QCOMPARE(RowTexts(grid, 4, 10, 12), (std::vector<std::string>{"26", "", "28"}));
        QCOMPARE(RowTexts(grid, 13, 0, 1), (std::vector<std::string>{"12", "17"}));
        QCOMPARE(redColumns(), std::vector<int>{-10});
        QCOMPARE(editor->cellExplanation(4, 10),
                 QStringLiteral("With 3 coincidence groups, coincidence group 3 uses input group 26 (chosen)"));
        QCOMPARE(editor->cellExplanation(0, 13), QStringLiteral("Coincidence off; a click chooses it"));
        QCOMPARE(CellColour(grid, 4, 10), kRed);
        QCOMPARE(CellColour(grid, 5, 10), kWhite);
        QVERIFY(SavePng(*editor, QStringLiteral("coincidence_editor")));

        // Row and column clicked, groups stored, red column after. Off colours its first row only.
        const int clicks[][4] = {{5, 1, 12, 1}, {0, 12, 1, 12}, {7, 13, 0, -13}, {7, 0, 0, -13}};
        for (const auto& [row, column, groups, red] : clicks) {
            ClickCell(grid, row, column);
            QCOMPARE(Stored(*site, "CoincidenceInputGroups"), std::to_string(groups));
            QCOMPARE(redColumns(), std::vector<int>{red});
        }
    }
};

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::MatrixEditorTest)
#include "MatrixEditorTest.moc"
