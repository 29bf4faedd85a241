#pragma once
// A label that always shows its whole text. A text that its font cannot fit
// into the label (a number grown longer than the layout planned for) is drawn
// with the largest smaller size that fits; below the smallest readable size
// the text is shortened in the middle with an ellipsis.
#include <QLabel>

class FitLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // The rectangle the text is drawn in, and its drawing flags.
    QRect TextRect() const;
    int TextFlags() const;
    // The font and the text as drawn.
    QFont ShownFont() const;
    QString ShownText() const;

    // True when `text` in `font`, drawn with `flags` (word wrap included),
    // lies wholly inside `room`.
    static bool Fits(const QFont& font, const QRect& room, int flags, const QString& text);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    struct Shown {
        QFont font;
        QString text;
    };
    Shown Fitted() const;
};
