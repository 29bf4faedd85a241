#include "TrackBar.h"

#include <QMouseEvent>

void TrackBar::SetValue(int v) {
    programmatic_ = true;
    setValue(v);  // a value outside the range shows clamped; nothing is applied
    programmatic_ = false;
}

void TrackBar::sliderChange(SliderChange change) {
    QSlider::sliderChange(change);
    if (change == SliderValueChange && !programmatic_) emit Scroll();
}

void TrackBar::mouseReleaseEvent(QMouseEvent* e) {
    QSlider::mouseReleaseEvent(e);
    emit MouseUp();
}
