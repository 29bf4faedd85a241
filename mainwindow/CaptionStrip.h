#pragma once
// The caption strip across the top of the frameless main window: the icon,
// the caption, a minimise and a close button. Dragging it moves the window.
#include <QAbstractButton>
#include <QPoint>
#include <QWidget>

class CaptionButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class Glyph { Minimize, Close };
    CaptionButton(Glyph g, QWidget* parent);

protected:
    void paintEvent(QPaintEvent*) override;
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }

private:
    Glyph glyph_;
};

class CaptionStrip : public QWidget {
    Q_OBJECT
public:
    explicit CaptionStrip(QWidget* window);

    CaptionButton* cmdMinimize;
    CaptionButton* cmdClose;

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    bool event(QEvent* e) override;

private:
    bool dragging_ = false;  // moved by hand where the window system cannot move it
    QPoint grab_;            // where the strip was taken, relative to the window
};
