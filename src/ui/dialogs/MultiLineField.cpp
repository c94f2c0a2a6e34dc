#include "ui/dialogs/MultiLineField.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace tamrik {
namespace {

// Length of a shown text once its line breaks are stored as CR LF.
int storedSize(const QString& text) {
    return static_cast<int>(text.size() + text.count(QLatin1Char('\n')) + text.count(QChar::ParagraphSeparator));
}

}  // namespace

MultiLineField::MultiLineField(int maxLength, QWidget* parent) : QPlainTextEdit(parent), maxLength_(maxLength) {
    setTabChangesFocus(true);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { edited_ = true; });
}

void MultiLineField::setStoredText(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
    original_ = text;
    edited_ = false;
    maxLength_ = std::max(maxLength_, storedLength());
}

QString MultiLineField::storedText() const {
    if (!edited_) return original_;
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

int MultiLineField::storedLength() const { return storedSize(toPlainText()); }

int MultiLineField::roomFor(const QString& text) const {
    const int room = maxLength_ - storedLength() + storedSize(textCursor().selectedText());
    int fits = 0;
    int used = 0;
    for (const QChar c : text) {
        used += (c == QLatin1Char('\n') || c == QChar::ParagraphSeparator) ? 2 : 1;
        if (used > room) break;
        ++fits;
    }
    return fits;
}

void MultiLineField::keyPressEvent(QKeyEvent* event) {
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
    const bool inserts = lineBreak || (!typed.isEmpty() && typed.at(0).isPrint());
    if (inserts && roomFor(typed) < typed.size()) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineField::insertFromMimeData(const QMimeData* source) {
    if (!source->hasText()) return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor cursor = textCursor();
    cursor.insertText(text.left(roomFor(text)));
    setTextCursor(cursor);
    ensureCursorVisible();
}

}  // namespace tamrik
