#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QWidget>
#include <QtTest>
#include <initializer_list>
#include <memory>
#include <utility>

#include "settings/DefaultSettings.h"
#include "settings/SettingsStore.h"
#include "support/QtTestSupport.h"
#include "ui/dialogs/MessageBoxes.h"

namespace tamrik::testing {

// Renders a window to png/<name>.png in the build folder for review.
inline void SavePng(QWidget* widget, const QString& name) {
    QDir().mkpath(QStringLiteral(TAMRIK_DIALOGS_PNG_DIR));
    QVERIFY(widget->grab().save(QStringLiteral(TAMRIK_DIALOGS_PNG_DIR "/%1.png").arg(name)));
}

// Clicks the named button of a dialog.
inline void ClickButton(QWidget& dialog, const char* name) {
    auto* button = dialog.findChild<QAbstractButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Replaces a field's text by typing, as a user would.
inline void Retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, text);
}

// The names of the widgets that Tab visits from `start` until it comes back there, space-separated; a
// "Shift+Tab:" note is added where Shift+Tab does not go back the same way.
inline QString TabCycle(QWidget* start) {
    QApplication::setActiveWindow(start->window());
    if (!QTest::qWaitForWindowActive(start->window())) return QStringLiteral("window not active");
    start->setFocus(Qt::TabFocusReason);
    const auto press = [](Qt::KeyboardModifier modifier) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifier);
        return QApplication::focusWidget();
    };
    QStringList names{start->objectName()};
    for (QWidget* next = press(Qt::NoModifier); next != start && names.size() < 100; next = press(Qt::NoModifier)) {
        names << next->objectName();
    }
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        if (press(Qt::ShiftModifier)->objectName() != names[i]) return names.join(' ') + " Shift+Tab: " + names[i];
    }
    return names.join(QLatin1Char(' '));
}

// A default site for one test, with message boxes recorded instead of shown.
struct DialogSite {
    DialogSite() {
        message_box_test::Enable(true);
        ApplyDefaultSettings(store);
    }
    ~DialogSite() { message_box_test::Enable(false); }
    template <typename Dialog>
    std::unique_ptr<Dialog> open() {
        auto dialog = std::make_unique<Dialog>(store);
        dialog->show();
        return dialog;
    }
    SettingsStore store;
};

inline QString Stored(const SettingsStore& store, const char* key) {
    const auto value = store.get(key);
    return value ? QString::fromLatin1(value->data(), static_cast<qsizetype>(value->size()))
                 : QStringLiteral("<missing>");
}

using KeyValues = std::initializer_list<std::pair<const char*, const char*>>;

// Stores each value; a null value removes the key.
inline void Put(SettingsStore& store, KeyValues values) {
    for (const auto& [key, value] : values) value ? (void)store.put(key, value) : store.erase(key);
}

// Compares each key's stored value; "<missing>" stands for no value.
inline void ExpectStored(const SettingsStore& store, KeyValues expected) {
    for (const auto& [key, value] : expected) QCOMPARE(Stored(store, key), QString::fromLatin1(value));
}

}  // namespace tamrik::testing
