#include "ui/editors/MatrixEditor.h"

#include "settings/DefaultSettings.h"
#include "settings/DeviceCatalogue.h"
#include "ui/dialogs/ValueDialogs.h"
#include "ui/editors/EditorKeys.h"
#include "ui/editors/MatrixCells.h"
#include "ui/editors/MatrixToolBar.h"
#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr const char* kNoDelay = "0:00";
constexpr int kDelayT1Limit = 600;   // seconds
constexpr int kDelayT2Limit = 1200;  // seconds
constexpr int kDelayStep = 5;        // seconds

const char* delayFormat(int row) { return row == kMatrixDelayT1Row ? "OutputDelay_%d" : "OutputDelayT2_%d"; }

const char* nextAlarmType(std::string_view alarmType) { return alarmType == "0" ? "1" : "0"; }

QString letterMeaning(std::string_view letter) {
    if (letter == "O") return QStringLiteral("O: off");
    if (letter == "P") return QStringLiteral("P: pulsing");
    if (letter == "W") return QStringLiteral("W: warble");
    if (letter == "C") return QStringLiteral("C: continuous");
    return QString::fromLatin1(letter.data(), static_cast<qsizetype>(letter.size()));
}

bool inputRow(int row) { return row > kMatrixInputRowOffset && row <= kMatrixRows; }

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
            grid_->setText(row, output, std::string(store_.text(EditorKey(delayFormat(row), output), kNoDelay)));
        }
        if (const auto alarmType = store_.get(EditorKey("AlarmType_%d", output))) {
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
            const std::string letter(store_.insertIfAbsent(EditorKey("Matrix_%d_%d", input, output), "C"));
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
        .arg(letterMeaning(letter));
}

QStringList MatrixEditor::stepChoices(int row, int column) const {
    if (column < 1 || column > kGroupCount) return {};
    if (row == kMatrixAlarmTypeRow) {
        const auto alarmType = store_.get(EditorKey("AlarmType_%d", column));
        if (!alarmType) return {};
        return StepCycle(std::string(*alarmType), nextAlarmType,
                         [](const std::string& value) { return QString::fromStdString(AlarmTypeName(value)); });
    }
    if (!inputRow(row)) return {};
    const auto letter = store_.get(EditorKey("Matrix_%d_%d", row - kMatrixInputRowOffset, column));
    if (!letter) return {};
    return StepCycle(std::string(*letter), MatrixLetterStep,
                     [](const std::string& value) { return letterMeaning(value); });
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
    const std::string key = EditorKey(delayFormat(row), outputGroup);
    const std::string_view current = store_.text(key, kNoDelay);
    TimeEntryRequest request{QStringLiteral("Output Delay (m:ss)"),
                             QString::fromLatin1(current.data(), static_cast<qsizetype>(current.size())), 0,
                             row == kMatrixDelayT1Row ? kDelayT1Limit : kDelayT2Limit, kDelayStep};
    if (!MinSecDialog(this, request)) return;
    const std::string delay = request.value.toLatin1().toStdString();
    // A missing key is no delay, so no delay is stored as no key.
    if (delay == kNoDelay) {
        store_.erase(key);
    } else {
        store_.put(key, delay);
    }
    grid_->setText(row, outputGroup, delay, true);
}

void MatrixEditor::toggleAlarmType(int outputGroup) {
    const std::string key = EditorKey("AlarmType_%d", outputGroup);
    const auto alarmType = store_.get(key);
    if (!alarmType) return;
    const char* next = nextAlarmType(*alarmType);
    store_.put(key, next);
    grid_->setCell(kMatrixAlarmTypeRow, outputGroup,
                   {.text = AlarmTypeName(next), .colour = AlarmTypeColour(next), .readOnly = true});
}

void MatrixEditor::stepLetter(int row, int outputGroup) {
    const std::string key = EditorKey("Matrix_%d_%d", row - kMatrixInputRowOffset, outputGroup);
    const auto letter = store_.get(key);
    if (!letter) return;
    const char* next = MatrixLetterStep(*letter);
    store_.put(key, next);
    grid_->setCell(row, outputGroup, {.text = next, .colour = MatrixLetterColour(next), .readOnly = true});
}

}  // namespace tamrik
