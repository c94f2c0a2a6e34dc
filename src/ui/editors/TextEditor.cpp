#include "ui/editors/TextEditor.h"

#include "settings/DefaultSettings.h"
#include "site/KeyFamily.h"
#include "ui/editors/LcdTextWindow.h"
#include "ui/grid/Grid.h"

namespace tamrik {
namespace {

constexpr int kDeviceTextColumn = 1;
constexpr int kZoneTextColumn = 2;
constexpr int kBannerTextColumn = 3;
constexpr int kShownBannerLines = 2;
constexpr const char* kMissingText = "NULL";
constexpr const char* kEditPrompt = "     Edit Text      ";

}  // namespace

TextEditor::TextEditor(SettingsStore& store, Grid* grid, QWidget* parent)
    : SiteEditor(EditorView::Text, grid, parent), store_(store), grid_(grid) {
    setObjectName(QStringLiteral("textEditor"));
    grid_->setSize(kLoopAddressCount, 3);
    fill();
    grid_->setHeaderHeight(21);
    grid_->setDoubleClickNotify(true);
    grid_->setColumnGap(10);
}

LcdTextWindow* TextEditor::displayWindow() const { return displayWindow_; }

void TextEditor::fill() {
    grid_->setText(0, 0, "");
    grid_->setText(0, kDeviceTextColumn, "Device text");
    grid_->setText(0, kZoneTextColumn, "Zone text");
    grid_->setText(0, kBannerTextColumn, "Banner text");
    for (int row = 1; row <= kLoopAddressCount; ++row) {
        grid_->setText(row, 0, std::to_string(row));
        setTextCell(row, kDeviceTextColumn, key::DeviceText(row));
        if (row <= kZoneCount) setTextCell(row, kZoneTextColumn, key::ZoneText(row));
        if (row <= kShownBannerLines) setTextCell(row, kBannerTextColumn, key::BannerText(row));
    }
}

void TextEditor::setTextCell(int row, int column, const std::string& key) {
    grid_->setText(row, column, std::string(store_.text(key, kMissingText)));
}

void TextEditor::gridEvent(Grid::Event event, int row, int column) {
    if (event == Grid::Event::DoubleClick) openDisplay(row, column);
}

void TextEditor::openDisplay(int row, int column) {
    if (row < 1 || column < 1 || displayWindow_) return;
    editRow_ = row;
    editColumn_ = column;
    const std::string text = grid_->cell(row, column).text;
    displayWindow_ = new LcdTextWindow(kEditPrompt, text, this);
    connect(displayWindow_, &LcdTextWindow::textAccepted, this, [this](const QString& accepted) {
        grid_->setText(editRow_, editColumn_, accepted.toLatin1().toStdString(), true);
        window()->activateWindow();
    });
    displayWindow_->show();
    displayWindow_->activateWindow();
}

void TextEditor::writeBack() {
    grid_->endEdit();
    writeColumn(kDeviceTextColumn, key::DeviceText);
    writeColumn(kZoneTextColumn, key::ZoneText);
    // The panel shows two banner lines; lines 3 and 4 are kept too.
    writeColumn(kBannerTextColumn, key::BannerText);
}

void TextEditor::writeColumn(int column, const KeyFamily& family) {
    for (int row = 1; row <= family.count; ++row) {
        const std::string& text = grid_->cell(row, column).text;
        const std::string key = family(row);
        // The placeholder of a missing text is not a text: the key stays missing.
        if (text == kMissingText && !store_.contains(key)) continue;
        store_.put(key, text);
    }
}

}  // namespace tamrik
