// The main window's shape from its layout: the caption strip, the four
// panels and the five bars, at 96 dpi and at another dpi.
#include <gtest/gtest.h>

#include <string>

#include "mainwindow/layout/HelpTexts.h"
#include "mainwindow/layout/Layout.h"
#include "mainwindow/layout/WindowRegion.h"

namespace {
// The window's direct children from the layout, at the given twips per pixel.
std::vector<shape::Member> Members(double twipsPerPixel) {
    std::vector<shape::Member> m;
    for (const ControlSpec& s : MainLayout()) {
        if (s.parent[0]) continue;  // inside a panel: not a direct child
        shape::Member c;
        c.timer = s.kind == Kind::Timer;
        c.hasHelpText = std::string(HelpText(s.name, s.index)).size() > 0;
        c.label = s.kind == Kind::Label || s.kind == Kind::Bar;
        c.left = s.left / twipsPerPixel;
        c.top = s.top / twipsPerPixel;
        c.width = s.width / twipsPerPixel;
        c.height = s.height / twipsPerPixel;
        m.push_back(c);
    }
    return m;
}
}  // namespace

TEST(WindowRegion, AtFifteenTwipsPerPixelItIsTheStripPlusTheNineRectangles) {
    const std::vector<shape::Rect> expected = {
        {0, 0, 6930, 27},      // caption strip
        {10, 35, 263, 500},    // fraGravlok
        {58, 507, 207, 596},   // fraBottom
        {234, 515, 447, 604},  // fraBottomRight
        {290, 35, 455, 500},   // fraLeft
        {274, 27, 277, 196},   // Label5
        {34, 555, 57, 560},    // Label4
        {34, 491, 37, 556},    // Label3
        {202, 571, 249, 576},  // Label2
        {258, 195, 297, 200},  // Label1
    };
    EXPECT_EQ(shape::WindowRegion(6930, 9210, Members(15)), expected);
}

TEST(WindowRegion, AtAnotherDpiThePanelsFollowTheirPixelsAndTheStripStays27High) {
    // 120 dpi: 12 twips per pixel, positions no longer whole pixels.
    const std::vector<shape::Rect> r = shape::WindowRegion(6930, 9210, Members(12));
    ASSERT_EQ(r.size(), 10u);
    EXPECT_EQ(r[0], (shape::Rect{0, 0, 6930, 27}));
    // fraGravlok: 10, 10, 311.25, 571.25 pixels.
    EXPECT_EQ(r[1], (shape::Rect{12, 37, 327, 616}));
    // fraBottomRight: 290, 610, 261.25, 101.25.
    EXPECT_EQ(r[3], (shape::Rect{292, 637, 557, 746}));
    // Label5: 340, 0, 6.25, 211.25 -> 346.25 and 238.25.
    EXPECT_EQ(r[5], (shape::Rect{342, 27, 346, 238}));
    // Label4: 40, 660, 31.25, 6.25 -> 71.25 and 693.25.
    EXPECT_EQ(r[6], (shape::Rect{42, 687, 71, 693}));
}

TEST(WindowRegion, ControlsWithAHelpTextAndTimersAreLeftOut) {
    std::vector<shape::Member> m(3);
    m[0] = {false, true, false, 1, 1, 10, 10};    // a labelled control
    m[1] = {true, false, false, 1, 1, 10, 10};    // a timer
    m[2] = {false, false, true, 2.5, 3.5, 4, 5};  // a bar, halves to even
    const std::vector<shape::Rect> r = shape::WindowRegion(100, 200, m);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1], (shape::Rect{4, 30, 6, 36}));  // 4.5 -> 4, 30.5 -> 30, 6.5 -> 6, 35.5 -> 36
}
