#pragma once
// A push button or check-button in the graphical style: flat in its own back
// colour with a raised bevel, sunken while it is held down or while a
// check-button's value is 1.
#include <QPushButton>

class GraphicalButton : public QPushButton {
    Q_OBJECT
public:
    GraphicalButton(const QString& caption, bool checkButton, QWidget* parent);

    // Down to the eye: held by the mouse, or a check-button that is pressed.
    bool Sunken() const { return isDown() || isChecked(); }

protected:
    void paintEvent(QPaintEvent*) override;
};
