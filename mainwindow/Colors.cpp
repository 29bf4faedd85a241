#include "Colors.h"

#include <QPalette>
#include <QWidget>

#include "platform/widgets/PictureBox.h"

void SetBackColor(QWidget* w, Rgb c) {
    if (auto* pic = qobject_cast<PictureBox*>(w)) pic->SetBackColor(c);
    QPalette p = w->palette();
    const QColor q = ToQColor(c);
    p.setColor(QPalette::Window, q);
    p.setColor(QPalette::Button, q);
    p.setColor(QPalette::Base, q);
    w->setPalette(p);
    w->setAutoFillBackground(true);
    w->setProperty("backColor", static_cast<uint>(c));
}

Rgb BackColorOf(const QWidget* w) {
    const QVariant v = w->property("backColor");
    if (v.isValid()) return static_cast<Rgb>(v.toUInt());
    return FromQColor(w->palette().color(QPalette::Window));
}

void SetForeColor(QWidget* w, Rgb c) {
    QPalette p = w->palette();
    const QColor q = ToQColor(c);
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(group, QPalette::WindowText, q);
        p.setColor(group, QPalette::ButtonText, q);
        p.setColor(group, QPalette::Text, q);
    }
    w->setPalette(p);
    w->setProperty("foreColor", static_cast<uint>(c));
}

Rgb ForeColorOf(const QWidget* w) {
    const QVariant v = w->property("foreColor");
    if (v.isValid()) return static_cast<Rgb>(v.toUInt());
    return FromQColor(w->palette().color(QPalette::WindowText));
}
