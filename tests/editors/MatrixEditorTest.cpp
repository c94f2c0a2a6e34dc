#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "EditorTestSupport.h"
#include "ui/dialogs/StepField.h"
#include "ui/dialogs/ValueDialogs.h"
#include "ui/editors/MatrixCells.h"
#include "ui/editors/MatrixEditor.h"

namespace tamrik::testing {
namespace {

constexpr std::uint32_t kRed = GridRgb(255, 0, 0);

// The matrix cell of input group `input` and output group `output`.
int RowOf(int input) { return input + kMatrixInputRowOffset; }

std::uint32_t CellColour(Grid& grid, int row, int column) { return GridGetCell(grid, row, column).colour; }

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

// Answers the output delay dialog: types the text and presses OK, or cancels when `text` is null.
void AnswerDelayDialog(const char* text, QString* title = nullptr, QString* shown = nullptr) {
    WhenModal([text, title, shown](QWidget* modal) {
        auto* dialog = qobject_cast<ValueDialog*>(modal);
        QVERIFY(dialog);
        if (title) *title = dialog->windowTitle();
        if (shown) *shown = dialog->valueText();
        if (!text) {
            QTest::mouseClick(Child<QPushButton>(*dialog, "cancelButton"), Qt::LeftButton);
            return;
        }
        auto* edit = dialog->field()->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        QTest::keyClicks(edit, QString::fromLatin1(text));
        QTest::mouseClick(Child<QPushButton>(*dialog, "okButton"), Qt::LeftButton);
    });
}

}  // namespace

class MatrixEditorTest : public QObject {
    Q_OBJECT

private slots:
    void showsTheMatrixWithItsSettingsRows();
    void labelsFollowTheSpecialInputs();
    void clickingACellStepsItsLetter();
    void headerDisablesAndEnablesOutputGroups();
    void outputDelaysAreSetInTheDelayDialog();
    void alarmTypeTogglesBetweenAlarmAndControl();
    void toolBarSetsTheWholeMatrix();
    void toolBarStepsTheConventionalAlarmGroup();
    void coincidenceColumnsListTheInputGroups();
    void coincidenceClickStoresTheNumberOfGroups();
};

void MatrixEditorTest::showsTheMatrixWithItsSettingsRows() {
    DefaultSite site;
    SettingPut(*site, "DisabledOPGroups", "6");  // groups 2 and 3
    SettingPut(*site, "OutputDelay_4", "1:25");
    SettingPut(*site, "OutputDelayT2_4", "10:00");
    SettingPut(*site, "AlarmType_2", "1");
    SettingDelete(*site, "AlarmType_3");
    SettingPut(*site, "Matrix_1_1", "O");
    SettingPut(*site, "Matrix_1_2", "P");
    SettingPut(*site, "Matrix_1_4", "W");
    SettingPut(*site, "Matrix_2_4", "Q");
    SettingDelete(*site, "Matrix_5_5");
    SettingPut(*site, "ConvAlarmOpGroup", "7");

    auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
    QVERIFY(editor);
    Grid& grid = *editor->grid();
    QCOMPARE(grid.controlId(), kMatrixGridId);
    QCOMPARE(grid.title(), QStringLiteral("Input / Output Matrix Editor"));
    QCOMPARE(grid.rowCount(), 35);
    QCOMPARE(grid.columnCount(), 33);
    QCOMPARE(grid.headerHeight(), 21);
    QCOMPARE(grid.columnWidth(33), 0);  // the spare column stays hidden

    QCOMPARE(CellText(grid, 0, 1), std::string("OPG1"));
    QCOMPARE(CellText(grid, 0, 2), std::string("X"));
    QCOMPARE(CellColour(grid, 0, 2), 0u);
    QCOMPARE(CellText(grid, 0, 32), std::string("OPG32"));
    QCOMPARE(CellText(grid, 1, 0), std::string("Output delay (T1)"));
    QCOMPARE(CellText(grid, 2, 0), std::string("Output delay (T2)"));
    QCOMPARE(CellText(grid, 3, 0), std::string("Alarm type"));
    QCOMPARE(CellText(grid, RowOf(1), 0), std::string("IPG1"));
    QCOMPARE(CellText(grid, RowOf(30), 0), std::string("IPG30"));
    QCOMPARE(CellText(grid, RowOf(31), 0), std::string("IPG31"));
    QCOMPARE(CellText(grid, RowOf(32), 0), std::string("Sound Alarms"));

    QCOMPARE(CellText(grid, 1, 4), std::string("1:25"));
    QCOMPARE(CellText(grid, 2, 4), std::string("10:00"));
    QCOMPARE(CellText(grid, 1, 5), std::string("0:00"));
    QCOMPARE(CellText(grid, 3, 1), std::string("Alarm"));
    QCOMPARE(CellColour(grid, 3, 1), GridRgb(255, 200, 200));
    QCOMPARE(CellText(grid, 3, 2), std::string("Control"));
    QCOMPARE(CellColour(grid, 3, 2), GridRgb(200, 200, 255));
    bool found = true;
    GridGetCell(grid, 3, 3, &found);
    QVERIFY(!found);

    const struct {
        int input, output;
        const char* letter;
        std::uint32_t colour;
    } letters[] = {{1, 1, "O", kGridWhite}, {1, 2, "P", GridRgb(0, 255, 0)}, {1, 4, "W", GridRgb(255, 255, 0)},
                   {1, 5, "C", kRed},       {2, 4, "Q", GridRgb(0, 0, 255)}, {5, 5, "C", kRed}};
    for (const auto& cell : letters) {
        QCOMPARE(CellText(grid, RowOf(cell.input), cell.output), std::string(cell.letter));
        QCOMPARE(CellColour(grid, RowOf(cell.input), cell.output), cell.colour);
    }
    QCOMPARE(Stored(*site, "Matrix_5_5"), std::string("C"));  // a missing cell is filled in

    // Laid out as the main window does: the grid above, the tool bar along the bottom.
    QWidget window;
    window.resize(1700, 980);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    QWidget* toolBar = editor->toolBar();
    QVERIFY(toolBar);
    QCOMPARE(editor->toolBar(), toolBar);
    layout->addWidget(editor.get());
    layout->addWidget(toolBar);
    toolBar->show();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(Child<QLineEdit>(*toolBar, "alarmGroupBox")->text(), QStringLiteral("7"));
    QVERIFY(SavePng(window, QStringLiteral("matrix_editor")));
    layout->removeWidget(editor.get());
    editor->setParent(nullptr);
}

void MatrixEditorTest::labelsFollowTheSpecialInputs() {
    DefaultSite site;
    SettingPut(*site, "ClassChange", "1");
    SettingPut(*site, "RemoteAlarmInput", "1");
    auto editor = OpenEditor(EditorView::Matrix, *site);
    Grid& grid = *editor->grid();
    QCOMPARE(CellText(grid, 33, 0), std::string("Class Change"));
    QCOMPARE(CellText(grid, 34, 0), std::string("Remote Alarm"));
    QCOMPARE(CellText(grid, 35, 0), std::string("Sound Alarms"));
}

void MatrixEditorTest::clickingACellStepsItsLetter() {
    DefaultSite site;
    SettingPut(*site, "Matrix_3_7", "O");
    SettingPut(*site, "Matrix_4_7", "X");
    auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
    Grid& grid = *editor->grid();

    const char* expected[] = {"P", "W", "C", "O"};
    for (const char* letter : expected) {
        ClickCell(grid, RowOf(3), 7);
        QCOMPARE(Stored(*site, "Matrix_3_7"), std::string(letter));
        QCOMPARE(CellText(grid, RowOf(3), 7), std::string(letter));
        QCOMPARE(CellColour(grid, RowOf(3), 7), MatrixLetterColour(letter));
        QCOMPARE(GridGetCell(grid, RowOf(3), 7).readOnly, 1);
    }
    ClickCell(grid, RowOf(4), 7);
    QCOMPARE(Stored(*site, "Matrix_4_7"), std::string("C"));
    QCOMPARE(PaintedFill(grid, RowOf(4), 7), QColor(255, 0, 0));

    // A cell whose key went missing is left alone; so are clicks on the row headers.
    SettingDelete(*site, "Matrix_6_1");
    ClickCell(grid, RowOf(6), 1);
    QCOMPARE(Stored(*site, "Matrix_6_1"), std::string("<missing>"));
    const std::uint64_t before = StoreFingerprint(*site);
    ClickCell(grid, RowOf(6), 0);
    ClickCell(grid, 0, 0);
    QCOMPARE(StoreFingerprint(*site), before);
}

void MatrixEditorTest::headerDisablesAndEnablesOutputGroups() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
    Grid& grid = *editor->grid();

    ClickCell(grid, 0, 5);
    QCOMPARE(Stored(*site, "DisabledOPGroups"), std::string("16"));
    QCOMPARE(CellText(grid, 0, 5), std::string("X"));
    QTRY_COMPARE(PaintedFill(grid, RowOf(1), 5), QColor(128, 128, 128));  // the group's column is greyed
    QCOMPARE(PaintedFill(grid, RowOf(1), 6), QColor(255, 0, 0));
    QVERIFY(SavePng(*editor, QStringLiteral("matrix_editor_group_5_disabled")));

    ClickCell(grid, 0, 5);
    QCOMPARE(Stored(*site, "DisabledOPGroups"), std::string("0"));
    QCOMPARE(CellText(grid, 0, 5), std::string("OPG5"));
    QTRY_COMPARE(PaintedFill(grid, RowOf(1), 5), QColor(255, 0, 0));

    // The top group is bit 31; the mask is kept as the panel's signed number.
    ClickCell(grid, 0, 32);
    ClickCell(grid, 0, 1);
    QCOMPARE(Stored(*site, "DisabledOPGroups"), std::string("-2147483647"));
    ClickCell(grid, 0, 32);
    QCOMPARE(Stored(*site, "DisabledOPGroups"), std::string("1"));
}

void MatrixEditorTest::outputDelaysAreSetInTheDelayDialog() {
    DefaultSite site;
    SettingPut(*site, "OutputDelay_3", "2:00");
    auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
    Grid& grid = *editor->grid();

    QString title;
    QString shown;
    AnswerDelayDialog("1:32", &title, &shown);
    ClickCell(grid, 1, 3);
    QTRY_COMPARE(Stored(*site, "OutputDelay_3"), std::string("1:30"));  // in 5-second steps
    QCOMPARE(title, QStringLiteral("Output Delay (m:ss)"));
    QCOMPARE(shown, QStringLiteral("2:00"));
    QCOMPARE(CellText(grid, 1, 3), std::string("1:30"));

    // T1 stops at 10 minutes, T2 at 20.
    AnswerDelayDialog("15:00");
    ClickCell(grid, 1, 3);
    QTRY_COMPARE(Stored(*site, "OutputDelay_3"), std::string("10:00"));
    AnswerDelayDialog("25:00");
    ClickCell(grid, 2, 3);
    QTRY_COMPARE(Stored(*site, "OutputDelayT2_3"), std::string("20:00"));

    // No delay is no key; the cell still reads 0:00.
    AnswerDelayDialog("0:00");
    ClickCell(grid, 1, 3);
    QTRY_COMPARE(Stored(*site, "OutputDelay_3"), std::string("<missing>"));
    QCOMPARE(CellText(grid, 1, 3), std::string("0:00"));

    // Cancel changes nothing, and a missing delay is not created by looking at it.
    shown.clear();
    AnswerDelayDialog(nullptr, nullptr, &shown);
    ClickCell(grid, 1, 3);
    QTRY_VERIFY(!shown.isEmpty() && !QApplication::activeModalWidget());
    QCOMPARE(shown, QStringLiteral("0:00"));
    QCOMPARE(Stored(*site, "OutputDelay_3"), std::string("<missing>"));
}

void MatrixEditorTest::alarmTypeTogglesBetweenAlarmAndControl() {
    DefaultSite site;
    SettingDelete(*site, "AlarmType_9");
    auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
    Grid& grid = *editor->grid();

    ClickCell(grid, 3, 8);
    QCOMPARE(Stored(*site, "AlarmType_8"), std::string("1"));
    QCOMPARE(CellText(grid, 3, 8), std::string("Control"));
    QCOMPARE(CellColour(grid, 3, 8), GridRgb(200, 200, 255));
    ClickCell(grid, 3, 8);
    QCOMPARE(Stored(*site, "AlarmType_8"), std::string("0"));
    QCOMPARE(CellText(grid, 3, 8), std::string("Alarm"));
    QCOMPARE(CellColour(grid, 3, 8), GridRgb(255, 200, 200));
    ClickCell(grid, 3, 9);
    QCOMPARE(Stored(*site, "AlarmType_9"), std::string("<missing>"));
}

void MatrixEditorTest::toolBarSetsTheWholeMatrix() {
    DefaultSite site;
    SettingPut(*site, "Matrix_32_5", "P");
    SettingDelete(*site, "Matrix_7_7");
    auto editor = OpenEditor(EditorView::Matrix, *site, 1700, 900);
    Grid& grid = *editor->grid();
    SettingDelete(*site, "Matrix_7_7");  // the editor filled it in; a missing cell stays missing
    QWidget* toolBar = editor->toolBar();
    toolBar->show();

    QTest::mouseClick(Child<QPushButton>(*toolBar, "matrixOffButton"), Qt::LeftButton);
    for (int input = 1; input <= 32; ++input) {
        for (int output = 1; output <= 32; ++output) {
            if (input == 7 && output == 7) continue;
            const std::string expected = input == 32 ? "C" : "O";
            QCOMPARE(Stored(*site, Key("Matrix_%d_%d", input, output)), expected);
            QCOMPARE(CellText(grid, RowOf(input), output), expected);
        }
    }
    QCOMPARE(CellColour(grid, RowOf(1), 1), kGridWhite);
    // The refresh that follows shows a missing cell as C again.
    QCOMPARE(Stored(*site, "Matrix_7_7"), std::string("C"));

    ClickCell(grid, RowOf(2), 2);  // O -> P
    QTest::mouseClick(Child<QPushButton>(*toolBar, "matrixContButton"), Qt::LeftButton);
    for (int input = 1; input <= 32; ++input) {
        for (int output = 1; output <= 32; ++output) {
            QCOMPARE(Stored(*site, Key("Matrix_%d_%d", input, output)), std::string("C"));
        }
    }
    QCOMPARE(CellText(grid, RowOf(2), 2), std::string("C"));
    QCOMPARE(CellColour(grid, RowOf(2), 2), kRed);
}

void MatrixEditorTest::toolBarStepsTheConventionalAlarmGroup() {
    DefaultSite site;
    SettingPut(*site, "ConvAlarmOpGroup", "2");
    auto editor = OpenEditor(EditorView::Matrix, *site);
    QWidget* toolBar = editor->toolBar();
    toolBar->show();
    auto* box = Child<QLineEdit>(*toolBar, "alarmGroupBox");
    auto* up = Child<QToolButton>(*toolBar, "alarmGroupUp");
    auto* down = Child<QToolButton>(*toolBar, "alarmGroupDown");
    QVERIFY(box && up && down);
    QVERIFY(box->isReadOnly());

    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QTest::mouseClick(down, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("1"));
    QCOMPARE(Stored(*site, "ConvAlarmOpGroup"), std::string("1"));
    for (int i = 0; i < 40; ++i) QTest::mouseClick(up, Qt::LeftButton);
    QCOMPARE(box->text(), QStringLiteral("32"));
    QCOMPARE(Stored(*site, "ConvAlarmOpGroup"), std::string("32"));
    QTest::keyClick(box, Qt::Key_Down);
    QCOMPARE(Stored(*site, "ConvAlarmOpGroup"), std::string("31"));

    // A stored group outside 1 to 32 comes back within it at the first step.
    SettingPut(*site, "ConvAlarmOpGroup", "77");
    editor.reset();
    editor = OpenEditor(EditorView::Matrix, *site);
    toolBar = editor->toolBar();
    QCOMPARE(Child<QLineEdit>(*toolBar, "alarmGroupBox")->text(), QStringLiteral("77"));
    QTest::mouseClick(Child<QToolButton>(*toolBar, "alarmGroupUp"), Qt::LeftButton);
    QCOMPARE(Stored(*site, "ConvAlarmOpGroup"), std::string("32"));
}

void MatrixEditorTest::coincidenceColumnsListTheInputGroups() {
    DefaultSite site;
    SettingPut(*site, "CoincidenceInputGroups", "3");
    auto editor = OpenEditor(EditorView::Coincidence, *site, 900, 420);
    QVERIFY(editor);
    Grid& grid = *editor->grid();
    QCOMPARE(grid.controlId(), kCoincidenceGridId);
    QCOMPARE(grid.title(), QStringLiteral("Set coincidence"));
    QVERIFY(grid.hasFocus());
    QCOMPARE(grid.rowCount(), 13);
    QCOMPARE(grid.columnCount(), 13);

    QCOMPARE(CellText(grid, 0, 0), std::string("Number of groups"));
    QCOMPARE(CellText(grid, 0, 1), std::string("12"));
    QCOMPARE(CellText(grid, 0, 12), std::string("1"));
    QCOMPARE(CellText(grid, 0, 13), std::string("Off"));
    QCOMPARE(CellText(grid, 1, 0), std::string("Device input group"));
    QCOMPARE(CellText(grid, 13, 0), std::string("12"));
    // The column for N groups lists 28, 27, ... from row 2 down; one group takes 28 throughout.
    for (int groups = 2; groups <= 12; ++groups) {
        const int column = 13 - groups;
        for (int k = 0; k < groups; ++k) QCOMPARE(CellText(grid, 2 + k, column), std::to_string(28 - k));
        if (groups < 12) QCOMPARE(CellText(grid, 2 + groups, column), std::string());
    }
    for (int row = 2; row <= 13; ++row) QCOMPARE(CellText(grid, row, 12), std::string("28"));
    QCOMPARE(CellText(grid, 2, 13), std::string());

    // Three groups: column "3", rows 1 to 4 red.
    for (int row = 1; row <= 13; ++row) {
        QCOMPARE(CellColour(grid, row, 10) == kRed, row <= 4);
        QCOMPARE(CellColour(grid, row, 11) == kRed, false);
    }
    QVERIFY(SavePng(*editor, QStringLiteral("coincidence_editor")));
}

void MatrixEditorTest::coincidenceClickStoresTheNumberOfGroups() {
    DefaultSite site;
    auto editor = OpenEditor(EditorView::Coincidence, *site, 900, 420);
    Grid& grid = *editor->grid();
    QCOMPARE(CellColour(grid, 1, 13), kRed);  // none stored: Off
    QCOMPARE(CellColour(grid, 2, 13), kGridWhite);

    ClickCell(grid, 5, 1);
    QCOMPARE(Stored(*site, "CoincidenceInputGroups"), std::string("12"));
    for (int row = 1; row <= 13; ++row) {
        QCOMPARE(CellColour(grid, row, 1), kRed);
        QCOMPARE(CellColour(grid, row, 13), kGridWhite);
    }
    ClickCell(grid, 0, 12);  // the heading row counts too
    QCOMPARE(Stored(*site, "CoincidenceInputGroups"), std::string("1"));
    for (int row = 1; row <= 13; ++row) {
        QCOMPARE(CellColour(grid, row, 12), kRed);
        QCOMPARE(CellColour(grid, row, 1), kGridWhite);
    }
    ClickCell(grid, 7, 13);
    QCOMPARE(Stored(*site, "CoincidenceInputGroups"), std::string("0"));
    QCOMPARE(CellColour(grid, 1, 13), kRed);
    QCOMPARE(CellColour(grid, 13, 12), kGridWhite);
    ClickCell(grid, 7, 0);
    QCOMPARE(Stored(*site, "CoincidenceInputGroups"), std::string("0"));
}

}  // namespace tamrik::testing

QTEST_MAIN(tamrik::testing::MatrixEditorTest)
#include "MatrixEditorTest.moc"
