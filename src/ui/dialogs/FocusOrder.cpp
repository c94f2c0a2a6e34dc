#include "ui/dialogs/FocusOrder.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLineEdit>
#include <algorithm>
#include <tuple>

namespace tamrik {
namespace {

void collectLayout(QLayout* layout, QList<QWidget*>& widgets);

void collectWidget(QWidget* widget, QList<QWidget*>& widgets) {
    if (auto* box = qobject_cast<QDialogButtonBox*>(widget)) {
        // The platform decides where each button goes; the order of adding says nothing.
        box->layout()->activate();
        QList<QAbstractButton*> buttons = box->buttons();
        std::stable_sort(buttons.begin(), buttons.end(),
                         [](const QAbstractButton* a, const QAbstractButton* b) { return a->x() < b->x(); });
        for (QAbstractButton* button : buttons) widgets.append(button);
        return;
    }
    widgets.append(widget);
    if (widget->layout()) collectLayout(widget->layout(), widgets);
}

// The layout's items in the order a reader meets them.
QList<QLayoutItem*> itemsAsShown(QLayout* layout) {
    struct Placed {
        int row;
        int column;
        QLayoutItem* item;
    };
    QList<Placed> placed;
    for (int index = 0; index < layout->count(); ++index) {
        int row = 0;
        int column = index;
        if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
            int rowSpan = 0;
            int columnSpan = 0;
            grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        } else if (auto* form = qobject_cast<QFormLayout*>(layout)) {
            QFormLayout::ItemRole role{};
            form->getItemPosition(index, &row, &role);
            column = static_cast<int>(role);
        }
        placed.append({row, column, layout->itemAt(index)});
    }
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return std::tie(a.row, a.column) < std::tie(b.row, b.column);
    });
    QList<QLayoutItem*> items;
    for (const Placed& entry : placed) items.append(entry.item);
    return items;
}

void collectLayout(QLayout* layout, QList<QWidget*>& widgets) {
    for (QLayoutItem* item : itemsAsShown(layout)) {
        if (QWidget* widget = item->widget()) {
            collectWidget(widget, widgets);
        } else if (QLayout* inner = item->layout()) {
            collectLayout(inner, widgets);
        }
    }
}

}  // namespace

void OrderTabsAsShown(QWidget* window) {
    if (!window->layout()) return;
    QList<QWidget*> widgets;
    collectLayout(window->layout(), widgets);
    QWidget* previous = nullptr;
    bool focused = false;
    for (QWidget* widget : widgets) {
        if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, widget);
        previous = widget;
        // The window opens on its first field, not on its default button.
        if (!focused && widget->isEnabled()) {
            widget->setFocus();
            focused = true;
        }
    }
}

void MakeShownOnly(QLineEdit* field) {
    field->setReadOnly(true);
    field->setFocusPolicy(Qt::ClickFocus);
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    field->setPalette(palette);
}

}  // namespace tamrik
