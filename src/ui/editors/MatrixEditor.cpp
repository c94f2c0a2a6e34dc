#include "ui/editors/MatrixEditor.h"

#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "site/KeyFamily.h"
#include "site/MatrixTable.h"
#include "site/StepCycle.h"
#include "ui/dialogs/ValueDialogs.h"
#include "ui/editors/MatrixGrid.h"
#include "ui/editors/MatrixToolBar.h"
#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr int kDelayT1Limit = 600;   // seconds
constexpr int kDelayT2Limit = 1200;  // seconds
constexpr int kDelayStep = 5;        // seconds

bool inputRow(int row) { return row > kMatrixInputRowOffset && row <= kMatrixRows; }

QStringList toStringList(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) list << QString::fromStdString(text);
    return list;
}

}  // namespace

MatrixEditor::MatrixEditor(SettingsStore& store, Grid* grid, QWidget* parent)
    : SiteEditor(EditorView::Matrix, grid, parent), store_(store), grid_(grid) {
    setObjectName(QStringLiteral("matrixEditor"));
    grid_->setSize(kMatrixRows, kMatrixColumns);
    fill();
    grid_->setHeaderHeight(21);
}

QWidget* MatrixEditor::toolBar() {
    if (!toolBar_) {
        // A child of the editor until the main window takes it, so that it never outlives an editor
        // that was not shown.
        toolBar_ = new MatrixToolBar(store_, this);
        toolBar_->hide();
        connect(toolBar_, &MatrixToolBar::matrixChanged, this, &MatrixEditor::refreshMatrix);
    }
    return toolBar_;
}

void MatrixEditor::fill() {
    const std::uint32_t disabled = DisabledOutputGroups(store_);
    grid_->setText(kMatrixDelayT1Row, 0, "Output delay (T1)");
    grid_->setText(kMatrixDelayT2Row, 0, "Output delay (T2)");
    grid_->setText(kMatrixAlarmTypeRow, 0, "Alarm type");
    for (int output = 1; output <= kGroupCount; ++output) setHeader(output, (disabled >> (output - 1)) & 1u);
    for (int input = 1; input <= kGroupCount; ++input) {
        grid_->setText(input + kMatrixInputRowOffset, 0, InputGroupLabel(store_, input));
    }
    for (int output = 1; output <= kGroupCount; ++output) {
        for (const int row : {kMatrixDelayT1Row, kMatrixDelayT2Row}) {
            grid_->setText(row, output, OutputDelay(store_, row == kMatrixDelayT2Row, output));
        }
        if (const auto alarmType = store_.get(key::AlarmType(output))) {
            grid_->setCell(
                kMatrixAlarmTypeRow, output,
                {.text = AlarmTypeName(*alarmType), .colour = AlarmTypeColour(*alarmType), .readOnly = false});
        }
    }
    refreshMatrix();
}

// A disabled group's heading reads "X", which greys its column, on a sunken (coloured) heading.
void MatrixEditor::setHeader(int outputGroup, bool disabled) {
    if (disabled) {
        grid_->setCell(0, outputGroup, {.text = "X", .colour = QColor(Qt::black), .readOnly = true});
    } else {
        grid_->setText(0, outputGroup, "OPG" + std::to_string(outputGroup), true);
    }
}

void MatrixEditor::refreshMatrix() {
    for (int input = 1; input <= kGroupCount; ++input) {
        for (int output = 1; output <= kGroupCount; ++output) {
            const std::string letter(store_.insertIfAbsent(key::Matrix(input, output), "C"));
            const int row = input + kMatrixInputRowOffset;
            grid_->setCell(row, output, {.text = letter, .colour = MatrixLetterColour(letter), .readOnly = false});
        }
    }
    grid_->viewport()->update();
}

void MatrixEditor::gridEvent(Grid::Event event, int row, int column) {
    if (event == Grid::Event::Click) click(row, column);
}

void MatrixEditor::click(int row, int outputGroup) {
    if (outputGroup < 1 || outputGroup > kGroupCount) return;
    if (row == 0) {
        toggleOutputGroup(outputGroup);
    } else if (row == kMatrixDelayT1Row || row == kMatrixDelayT2Row) {
        // The dialog runs after the click has been handled, not inside the grid's mouse press.
        QMetaObject::invokeMethod(
            this, [this, row, outputGroup] { editDelay(row, outputGroup); }, Qt::QueuedConnection);
    } else if (row == kMatrixAlarmTypeRow) {
        toggleAlarmType(outputGroup);
    } else if (row > kMatrixInputRowOffset && row <= kMatrixRows) {
        stepLetter(row, outputGroup);
    }
}

QString MatrixEditor::cellExplanation(int row, int column) const {
    if (column < 1 || column > kGroupCount) return {};
    if (row == 0) {
        return grid_->cell(0, column).text.starts_with('O')
                   ? QStringLiteral("Output group %1 is in use: a click disables it").arg(column)
                   : QStringLiteral("X: output group %1 is disabled: a click enables it").arg(column);
    }
    if (row == kMatrixDelayT1Row || row == kMatrixDelayT2Row) {
        return QStringLiteral("Output delay %1 of output group %2 (m:ss): a click changes it")
            .arg(row == kMatrixDelayT1Row ? QStringLiteral("T1") : QStringLiteral("T2"))
            .arg(column);
    }
    if (row == kMatrixAlarmTypeRow) {
        return QStringLiteral("Alarm type of output group %1: Alarm or Control; a click switches it").arg(column);
    }
    if (!inputRow(row)) return {};
    const std::string letter = grid_->cell(row, column).text;
    return QStringLiteral(
               "%1 to output group %2: %3. Letters: O off, P pulsing, W warble, C continuous; "
               "a click steps O, P, W, C")
        .arg(QString::fromStdString(InputGroupLabel(store_, row - kMatrixInputRowOffset)))
        .arg(column)
        .arg(QString::fromStdString(MatrixLetterMeaning(letter)));
}

QStringList MatrixEditor::stepChoices(int row, int column) const {
    if (column < 1 || column > kGroupCount) return {};
    if (row == kMatrixAlarmTypeRow) {
        const auto alarmType = store_.get(key::AlarmType(column));
        if (!alarmType) return {};
        return toStringList(StepCycle(std::string(*alarmType), AlarmTypeStep, AlarmTypeName));
    }
    if (!inputRow(row)) return {};
    const auto letter = store_.get(key::Matrix(row - kMatrixInputRowOffset, column));
    if (!letter) return {};
    return toStringList(StepCycle(std::string(*letter), MatrixLetterStep, MatrixLetterMeaning));
}

void MatrixEditor::stepCell(int row, int column) {
    if (row == kMatrixAlarmTypeRow || inputRow(row)) click(row, column);
}

void MatrixEditor::toggleOutputGroup(int outputGroup) {
    const std::uint32_t bit = 1u << (outputGroup - 1);
    const bool enabled = grid_->cell(0, outputGroup).text.starts_with('O');
    const std::uint32_t mask = DisabledOutputGroups(store_);
    SetDisabledOutputGroups(store_, enabled ? mask | bit : mask & ~bit);
    setHeader(outputGroup, enabled);
    grid_->viewport()->update();  // the whole column turns grey or back
}

void MatrixEditor::editDelay(int row, int outputGroup) {
    const bool secondDelay = row == kMatrixDelayT2Row;
    TimeEntryRequest request{QStringLiteral("Output Delay (m:ss)"),
                             QString::fromStdString(OutputDelay(store_, secondDelay, outputGroup)), 0,
                             secondDelay ? kDelayT2Limit : kDelayT1Limit, kDelayStep};
    if (!MinSecDialog(this, request)) return;
    const std::string delay = request.value.toLatin1().toStdString();
    SetOutputDelay(store_, secondDelay, outputGroup, delay);
    grid_->setText(row, outputGroup, delay, true);
}

void MatrixEditor::toggleAlarmType(int outputGroup) {
    const auto next = AlarmTypeClick(store_, outputGroup);
    if (!next) return;
    grid_->setCell(kMatrixAlarmTypeRow, outputGroup,
                   {.text = AlarmTypeName(*next), .colour = AlarmTypeColour(*next), .readOnly = true});
}

void MatrixEditor::stepLetter(int row, int outputGroup) {
    const auto next = MatrixCellClick(store_, row - kMatrixInputRowOffset, outputGroup);
    if (!next) return;
    grid_->setCell(row, outputGroup, {.text = *next, .colour = MatrixLetterColour(*next), .readOnly = true});
}

}  // namespace tamrik
