#pragma once

#include <QApplication>
#include <QDir>
#include <QTest>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "support/QtTestSupport.h"
#include "ui/editors/EditorFactory.h"
#include "ui/editors/EditorMessage.h"
#include "ui/grid/Grid.h"

namespace tamrik::testing {

inline SettingsStore DefaultSite() {
    SettingsStore store;
    ApplyDefaultSettings(store);
    return store;
}

inline std::string Stored(const SettingsStore& store, const std::string& key) {
    return std::string(store.text(key, "<missing>"));
}

// Compares each key's stored value; "<missing>" stands for no value.
inline void ExpectStored(const SettingsStore& store,
                         std::initializer_list<std::pair<std::string, std::string>> expected) {
    for (const auto& [key, value] : expected) QCOMPARE(Stored(store, key), value);
}

// Stores each value; a null value removes the key.
inline void Put(SettingsStore& store, std::initializer_list<std::pair<const char*, const char*>> values) {
    for (const auto& [key, value] : values) value ? (void)store.put(key, value) : store.erase(key);
}

// An editor shown as the active window, as big as the main window's editor area usually is.
inline std::unique_ptr<SiteEditor> OpenEditor(EditorView view, SettingsStore& store, int width = 1400,
                                              int height = 820) {
    auto editor = CreateSiteEditor(view, store, nullptr);
    if (!editor) return editor;
    editor->resize(width, height);
    editor->show();
    editor->activateWindow();
    QApplication::setActiveWindow(editor.get());
    if (!QTest::qWaitForWindowActive(editor.get())) return nullptr;
    editor->grid()->setFocus();
    return editor;
}

inline std::string CellText(Grid& grid, int row, int column) { return grid.cell(row, column).text; }

// The texts of a row's cells from `first` to `last`.
inline std::vector<std::string> RowTexts(Grid& grid, int row, int first, int last) {
    std::vector<std::string> texts;
    for (int column = first; column <= last; ++column) texts.push_back(grid.cell(row, column).text);
    return texts;
}

// Brings a data cell into view the way the keyboard would (the grid scrolls to its current cell).
inline QPoint CellPoint(Grid& grid, int row, int column) {
    if (row >= 1 && column >= 1) grid.setCurrent(row, column);
    return grid.cellRect(row, column).center();
}

inline void ClickCell(Grid& grid, int row, int column) {
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, CellPoint(grid, row, column));
}

// A double click as a mouse delivers it: the first press is an ordinary click.
inline void DoubleClickCell(Grid& grid, int row, int column) {
    const QPoint point = CellPoint(grid, row, column);
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, point);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, Qt::NoModifier, point);
}

// Selects the cell by clicking it, types the text and presses Enter.
inline void TypeIntoCell(Grid& grid, int row, int column, const char* text) {
    ClickCell(grid, row, column);
    QTest::keyClicks(&grid, QString::fromLatin1(text));
    QTest::keyClick(&grid, Qt::Key_Return);
}

inline QString PngPath(const QString& name) {
    QDir().mkpath(QStringLiteral(TAMRIK_EDITORS_PNG_DIR));
    return QStringLiteral(TAMRIK_EDITORS_PNG_DIR) + QLatin1Char('/') + name + QStringLiteral(".png");
}

inline bool SavePng(QWidget& widget, const QString& name) {
    const QPixmap pixmap = widget.grab();
    return !pixmap.isNull() && pixmap.save(PngPath(name));
}

}  // namespace tamrik::testing
