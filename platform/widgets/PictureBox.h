#pragma once
// A picture area: a widget that keeps its own canvas, drawn by the game's
// routines in the picture's logical scale. Painting only shows the canvas;
// only the part a routine touched is repainted.
#include <QImage>
#include <QWidget>

#include "platform/drawing/Canvas.h"

class PictureBox : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBorder = 2;  // sunken border around the drawing area

    explicit PictureBox(QWidget* parent = nullptr);

    Canvas& canvas() { return canvas_; }
    // The drawing area in the window's pixels (the canvas may have more).
    QSize InnerSize() const { return size().shrunkBy(QMargins(kBorder, kBorder, kBorder, kBorder)); }
    // Repaints what the drawing since the last call touched.
    void Flush();
    // The back colour: canvas clears use it. Setting it clears the drawing.
    void SetBackColor(Rgb c);
    Rgb BackColor() const { return canvas_.BackColor(); }

protected:
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    QSize DeviceSize() const;
    Canvas canvas_;
    QImage image_;  // a view of the canvas's pixels
};
