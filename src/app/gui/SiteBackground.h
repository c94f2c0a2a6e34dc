#pragma once

#include <QImage>
#include <QWidget>

namespace tamrik {

// The main window's client area: a background picture, the red "Site File contains errors" banner
// while the site has design faults, and the editor or view (with the matrix tool bar) on top.
class SiteBackground : public QWidget {
    Q_OBJECT
public:
    explicit SiteBackground(QWidget* parent = nullptr);

    void setShowErrorBanner(bool show);
    bool showsErrorBanner() const { return showErrorBanner_; }

    // The editor fills the area above the tool bar; both are owned by this widget while shown.
    void setEditor(QWidget* editor, QWidget* toolBar = nullptr);
    QWidget* editor() const { return editor_; }
    QWidget* toolBar() const { return toolBar_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();
    static QImage makePicture();

    QImage picture_;
    bool showErrorBanner_ = false;
    QWidget* editor_ = nullptr;
    QWidget* toolBar_ = nullptr;
};

}  // namespace tamrik
