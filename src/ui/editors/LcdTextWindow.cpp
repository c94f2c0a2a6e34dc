#include "ui/editors/LcdTextWindow.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cstring>

namespace tamrik {
namespace {

constexpr int kTextLine = 1;  // the second display line

void copyField(std::array<char, LcdTextWindow::kTextLength + 1>& field, std::string_view text) {
    field.fill('\0');
    const std::size_t length = std::min<std::size_t>(text.size(), LcdTextWindow::kTextLength);
    std::copy_n(text.begin(), length, field.begin());
}

QVector<QRgb> displayPalette() {
    QVector<QRgb> palette(256);
    palette[0] = qRgb(0, 0, 255);
    for (int i = 1; i < 256; ++i) palette[i] = qRgb(i, i, i);
    return palette;
}

}  // namespace

LcdTextWindow::LcdTextWindow(std::string_view prompt, std::string_view text, QWidget* owner)
    // A dialog of its owner with a close button only: minimised, it would leave the owner disabled
    // behind it with nothing on the screen to answer.
    : QWidget(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName(QStringLiteral("lcdTextWindow"));
    setWindowTitle(QStringLiteral("Edit text"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setWindowModality(Qt::ApplicationModal);
    setFocusPolicy(Qt::StrongFocus);
    setFixedSize(LcdFrame::kWidth, LcdFrame::kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    copyField(prompt_, prompt);
    copyField(line_, text);
    frame_.drawText(0, 0, prompt_.data());
    redrawText();
    blinkTimer_.start(kBlinkMilliseconds, this);
}

LcdTextWindow::~LcdTextWindow() = default;

QImage LcdTextWindow::image() const {
    QImage image(frame_.data(), LcdFrame::kWidth, LcdFrame::kHeight, LcdFrame::kWidth, QImage::Format_Indexed8);
    image.setColorTable(displayPalette());
    return image.copy();  // the frame changes; the image keeps what it showed
}

void LcdTextWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            close();
            return;
        case Qt::Key_Backspace:
            // Blanks the character under the cursor, then steps back.
            if (cursor_ < static_cast<int>(std::strlen(line_.data()))) line_[static_cast<std::size_t>(cursor_)] = ' ';
            cursor_ = std::max(cursor_ - 1, 0);
            break;
        case Qt::Key_Left:
            cursor_ = std::max(cursor_ - 1, 0);
            break;
        case Qt::Key_Right:
            cursor_ = std::min(cursor_ + 1, kTextLength - 1);
            break;
        default: {
            const QString typed = event->text();
            if (typed.size() != 1) return;
            const char16_t character = typed.at(0).unicode();
            // The display shows printable ASCII only.
            if (character < 32 || character > 126) return;
            typeCharacter(static_cast<char>(character));
            break;
        }
    }
    blink_ = true;
    redrawText();
}

// Overwrites the character under the cursor. Past the end of a short text the gap is filled with
// blanks, so a character typed there is kept (and shown) rather than lost behind the terminator.
void LcdTextWindow::typeCharacter(char character) {
    const auto length = static_cast<int>(std::strlen(line_.data()));
    for (int i = length; i < cursor_; ++i) line_[static_cast<std::size_t>(i)] = ' ';
    line_[static_cast<std::size_t>(cursor_)] = character;
    cursor_ = std::min(cursor_ + 1, kTextLength - 1);
}

// Line 2 is drawn whole: the text, then blank cells, so the cursor shows past the end of the text too.
void LcdTextWindow::redrawText() {
    frame_.setCursor(cursor_, kTextLine, blink_);
    const std::string_view text(line_.data());
    for (int column = 0; column < kTextLength; ++column) {
        const auto index = static_cast<std::size_t>(column);
        frame_.drawCharacter(column, kTextLine, index < text.size() ? static_cast<unsigned char>(text[index]) : ' ');
    }
    update();
}

void LcdTextWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, image());
}

void LcdTextWindow::timerEvent(QTimerEvent* event) {
    if (event->timerId() != blinkTimer_.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    blink_ = !blink_;
    redrawText();
}

void LcdTextWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    // A window manager may minimise it anyway (a key or the task bar): it comes straight back.
    if (event->type() == QEvent::WindowStateChange && (windowState() & Qt::WindowMinimized)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                setWindowState(windowState() & ~Qt::WindowMinimized);
                show();
                activateWindow();
            },
            Qt::QueuedConnection);
    }
}

void LcdTextWindow::closeEvent(QCloseEvent* event) {
    blinkTimer_.stop();
    if (!accepted_) {
        accepted_ = true;
        emit textAccepted(QString::fromLatin1(line_.data()));
    }
    event->accept();
}

}  // namespace tamrik
