#include "ui/dialogs/FormAlignment.h"

#include <QFormLayout>
#include <QWidget>
#include <algorithm>

namespace tamrik {

void AlignFormLabels(const QList<QFormLayout*>& forms) {
    QList<QWidget*> labels;
    int width = 0;
    for (QFormLayout* form : forms) {
        for (int row = 0; row < form->rowCount(); ++row) {
            QLayoutItem* item = form->itemAt(row, QFormLayout::LabelRole);
            if (!item || !item->widget()) continue;
            labels.append(item->widget());
            width = std::max(width, item->widget()->sizeHint().width());
        }
    }
    for (QWidget* label : labels) label->setMinimumWidth(width);
}

QList<QFormLayout*> FormsInColumn(QLayout* column) {
    QList<QFormLayout*> forms;
    for (int i = 0; i < column->count(); ++i) {
        QWidget* group = column->itemAt(i)->widget();
        if (!group) continue;
        if (auto* form = qobject_cast<QFormLayout*>(group->layout())) forms.append(form);
    }
    return forms;
}

}  // namespace tamrik
