#pragma once

#include <QPlainTextEdit>
#include <QString>

namespace tamrik {

// A several-line text field whose value keeps CR LF line ends, as the site texts store them. The
// typing limit counts the stored form, so each line break takes two characters.
class MultiLineField : public QPlainTextEdit {
    Q_OBJECT
public:
    MultiLineField(int maxLength, QWidget* parent = nullptr);

    // Shows a stored value. A value longer than the limit is shown whole and raises the limit.
    void setStoredText(const QString& text);
    // The value to store: line breaks as CR LF. While the user has not edited the field this is
    // exactly the text it was given.
    QString storedText() const;
    int storedLength() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many characters of `text` still fit in place of the current selection.
    int roomFor(const QString& text) const;

    int maxLength_;
    QString original_;
    bool edited_ = false;
};

}  // namespace tamrik
