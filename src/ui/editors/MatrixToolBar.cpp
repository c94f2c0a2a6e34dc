#include "ui/editors/MatrixToolBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "settings/DefaultSettings.h"
#include "site/MatrixTable.h"
#include "ui/dialogs/FocusOrder.h"

namespace tamrik {
namespace {

constexpr const char* kAlarmGroupKey = "ConvAlarmOpGroup";

QToolButton* arrowButton(Qt::ArrowType arrow, const QString& name, QWidget* parent) {
    auto* button = new QToolButton(parent);
    button->setObjectName(name);
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setFixedSize(18, 13);
    return button;
}

}  // namespace

MatrixToolBar::MatrixToolBar(SettingsStore& store, QWidget* parent) : QWidget(parent), store_(store) {
    setObjectName(QStringLiteral("matrixToolBar"));
    setAutoFillBackground(true);

    auto* off = new QPushButton(QStringLiteral("Matrix OFF"), this);
    off->setObjectName(QStringLiteral("matrixOffButton"));
    auto* continuous = new QPushButton(QStringLiteral("Matrix CONT"), this);
    continuous->setObjectName(QStringLiteral("matrixContButton"));
    auto* label = new QLabel(QStringLiteral("Conventional alarm O/P Group"), this);

    groupBox_ = new QLineEdit(this);
    groupBox_->setObjectName(QStringLiteral("alarmGroupBox"));
    MakeShownOnly(groupBox_);
    groupBox_->setAlignment(Qt::AlignCenter);
    groupBox_->setFixedWidth(40);
    const std::string_view group = store_.text(kAlarmGroupKey);
    groupBox_->setText(QString::fromLatin1(group.data(), static_cast<qsizetype>(group.size())));

    auto* arrows = new QVBoxLayout;
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    auto* up = arrowButton(Qt::UpArrow, QStringLiteral("alarmGroupUp"), this);
    auto* down = arrowButton(Qt::DownArrow, QStringLiteral("alarmGroupDown"), this);
    arrows->addWidget(up);
    arrows->addWidget(down);

    auto* upDown = new QHBoxLayout;  // the box and its arrows side by side, as one control
    upDown->setContentsMargins(0, 0, 0, 0);
    upDown->setSpacing(1);
    upDown->addWidget(groupBox_);
    upDown->addLayout(arrows);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(6, 4, 6, 4);
    row->addWidget(off);
    row->addWidget(continuous);
    row->addSpacing(16);
    row->addWidget(label);
    row->addLayout(upDown);
    row->addStretch(1);

    connect(off, &QPushButton::clicked, this, [this] {
        MatrixSetAllOff(store_);
        emit matrixChanged();
    });
    connect(continuous, &QPushButton::clicked, this, [this] {
        MatrixSetAllContinuous(store_);
        emit matrixChanged();
    });
    connect(up, &QToolButton::clicked, this, [this] { stepAlarmGroup(1); });
    connect(down, &QToolButton::clicked, this, [this] { stepAlarmGroup(-1); });
}

void MatrixToolBar::stepAlarmGroup(int direction) {
    const int group =
        std::clamp(ParseLeadingInt(groupBox_->text().toLatin1().toStdString()) + direction, 1, kGroupCount);
    store_.put(kAlarmGroupKey, std::to_string(group));
    groupBox_->setText(QString::number(group));
}

// The arrow keys work the up-down control as its arrows do.
void MatrixToolBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        stepAlarmGroup(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace tamrik
