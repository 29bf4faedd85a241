#pragma once
// A track-bar whose Scroll comes only from the player, and MouseUp after a
// mouse button is released over it.
#include <QSlider>

class TrackBar : public QSlider {
    Q_OBJECT
public:
    using QSlider::QSlider;
    void SetValue(int v);  // from the program: no Scroll
signals:
    void Scroll();
    void MouseUp();

protected:
    void sliderChange(SliderChange change) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    bool programmatic_ = false;
};
