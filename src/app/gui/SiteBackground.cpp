#include "app/gui/SiteBackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace tamrik {

SiteBackground::SiteBackground(QWidget* parent) : QWidget(parent), picture_(makePicture()) {
    setObjectName(QStringLiteral("siteBackground"));
}

void SiteBackground::setShowErrorBanner(bool show) {
    if (show == showErrorBanner_) return;
    showErrorBanner_ = show;
    update();
}

void SiteBackground::setEditor(QWidget* editor, QWidget* toolBar) {
    editor_ = editor;
    toolBar_ = toolBar;
    if (editor_) {
        editor_->setParent(this);
        editor_->show();
    }
    if (toolBar_) {
        toolBar_->setParent(this);
        toolBar_->show();
        toolBar_->lower();  // behind the editor, as the layout expects
    }
    layOut();
}

void SiteBackground::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layOut();
}

void SiteBackground::layOut() {
    const int toolBarHeight = toolBar_ ? toolBar_->sizeHint().height() : 0;
    if (toolBar_) toolBar_->setGeometry(0, height() - toolBarHeight, width(), toolBarHeight);
    if (editor_) editor_->setGeometry(0, 0, width(), height() - toolBarHeight);
}

void SiteBackground::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect(), picture_);
    if (!showErrorBanner_) return;

    static const QString text = QStringLiteral("Site File contains errors");
    QFont font = painter.font();
    font.setPointSize(font.pointSize() + 6);
    font.setBold(true);
    painter.setFont(font);
    const QFontMetrics metrics(font);
    const int w = metrics.horizontalAdvance(text);
    const int h = metrics.height();
    const int cx = width() / 2;
    const int cy = height() / 2;
    const QColor red(255, 50, 50);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::black);
    painter.setBrush(red);
    painter.drawRoundedRect(QRect(QPoint(cx - w / 2 - 10, cy - h), QPoint(cx + w / 2 + 10, cy + h)), 10, 10);
    painter.setPen(Qt::white);
    painter.drawText(QRect(cx - w / 2, cy - h / 2, w, h), Qt::AlignCenter, text);
}

// A quiet picture drawn once: a dark blue field with a stylised panel front.
QImage SiteBackground::makePicture() {
    QImage image(800, 500, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, image.height());
    sky.setColorAt(0, QColor(24, 40, 82));
    sky.setColorAt(1, QColor(58, 86, 140));
    painter.fillRect(image.rect(), sky);

    const QRect panel(250, 90, 300, 300);
    painter.setPen(QPen(QColor(20, 20, 20), 3));
    painter.setBrush(QColor(208, 212, 218));
    painter.drawRoundedRect(panel, 16, 16);
    painter.setBrush(QColor(178, 34, 34));
    painter.drawRect(panel.left() + 2, panel.bottom() - 40, panel.width() - 4, 24);
    painter.setBrush(QColor(22, 30, 110));
    painter.drawRect(panel.left() + 40, panel.top() + 40, panel.width() - 80, 60);
    painter.setPen(QColor(235, 235, 255));
    QFont mono(QStringLiteral("monospace"));
    mono.setPixelSize(20);
    mono.setBold(true);
    painter.setFont(mono);
    painter.drawText(QRect(panel.left() + 40, panel.top() + 40, panel.width() - 80, 60), Qt::AlignCenter,
                     QStringLiteral("5300"));
    const QColor lamps[] = {QColor(255, 214, 0), QColor(255, 255, 255), QColor(60, 200, 80)};
    for (int i = 0; i < 3; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(lamps[i]);
        painter.drawEllipse(QPoint(panel.left() + 90 + i * 60, panel.top() + 160), 14, 14);
    }
    return image;
}

}  // namespace tamrik
