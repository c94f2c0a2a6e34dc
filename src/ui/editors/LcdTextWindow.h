#pragma once

#include <QBasicTimer>
#include <QImage>
#include <QString>
#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "ui/editors/LcdFrame.h"

namespace tamrik {

// The "Edit text" window: the panel's display, white on blue, with a prompt on line 1 and the text
// being edited on line 2, 20 characters at most. A blinking inverted block marks the cursor. Typing
// overwrites the character under the cursor; every way of closing the window accepts the text.
class LcdTextWindow : public QWidget {
    Q_OBJECT

public:
    static constexpr int kBlinkMilliseconds = 1000;
    static constexpr int kTextLength = LcdFrame::kColumns;

    // Shown centred on the screen and modal to the whole application until closed; deletes itself
    // when closed.
    LcdTextWindow(std::string_view prompt, std::string_view text, QWidget* owner = nullptr);
    ~LcdTextWindow() override;

    std::string text() const { return std::string(line_.data()); }
    int cursorColumn() const { return cursor_; }
    bool blinkOn() const { return blink_; }
    const LcdFrame& frame() const { return frame_; }
    // The frame with its palette, as the window shows it.
    QImage image() const;

signals:
    // Sent once, as the window closes.
    void textAccepted(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    void typeCharacter(char character);
    void redrawText();

    std::array<char, kTextLength + 1> prompt_{};
    // The text line, terminated; characters past its end are zero.
    std::array<char, kTextLength + 1> line_{};
    int cursor_ = 0;
    bool blink_ = true;
    bool accepted_ = false;
    LcdFrame frame_;
    QBasicTimer blinkTimer_;
};

}  // namespace tamrik
