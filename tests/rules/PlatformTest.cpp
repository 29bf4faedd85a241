// The operating-system stand-ins: rounding, palette, twips, clock, random.
#include <gtest/gtest.h>

#include "Scripted.h"
#include "platform/drawing/Canvas.h"
#include "platform/drawing/Palette.h"
#include "platform/runtime/Arithmetic.h"
#include "platform/widgets/TimerPace.h"
#include "platform/widgets/Twips.h"

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(arith::RoundToInt32(0.5), 0);
    EXPECT_EQ(arith::RoundToInt32(1.5), 2);
    EXPECT_EQ(arith::RoundToInt32(2.5), 2);
    EXPECT_EQ(arith::RoundToInt32(-2.5), -2);
    EXPECT_EQ(arith::RoundToInt32(2.5000001), 3);
    EXPECT_EQ(arith::RoundToInt32(40000.5), 40000);
    EXPECT_EQ(arith::RoundToInt16(23.5), 24);
    EXPECT_EQ(arith::RoundToInt16(1e9), 32767);  // held at the field's limit
}

TEST(Rounding, IntegerPartIsFloor) {
    EXPECT_EQ(arith::FloorToInt32(6.9999), 6);
    EXPECT_EQ(arith::FloorToInt32(-0.5), -1);
    EXPECT_EQ(arith::FloorToInt32(0.0), 0);
}

TEST(Rounding, SaturatingAddNeverWraps) {
    int16_t v = 32766;
    arith::SaturatingIncrease(v);
    arith::SaturatingIncrease(v);
    EXPECT_EQ(v, 32767);
    EXPECT_EQ(arith::SaturatingAdd<int32_t>(-2147483647, -10), -2147483647 - 1);
}

TEST(Palette, RedInTheLowByte) {
    EXPECT_EQ(RGB(255, 0, 0), 255u);
    EXPECT_EQ(RGB(0, 0, 255), 0xFF0000u);
    EXPECT_EQ(RGB(255, 255, 0), 0xFFFFu);
    EXPECT_EQ(QBColor(0), RGB(0, 0, 0));
    EXPECT_EQ(QBColor(1), RGB(0, 0, 128));
    EXPECT_EQ(QBColor(11), RGB(0, 255, 255));
    EXPECT_EQ(QBColor(14), RGB(255, 255, 0));
    EXPECT_EQ(QBColor(15), RGB(255, 255, 255));
}

TEST(Twips, FifteenPerPixelAt96Dpi) {
    EXPECT_EQ(twips::ToPixels(6930), 462);
    EXPECT_EQ(twips::ToPixels(9210), 614);
    EXPECT_EQ(twips::ToPixels(492), 33);  // 32.8
    EXPECT_EQ(twips::ToPixels(1440, 120), 120);
    EXPECT_EQ(twips::ToPixels(6930, 144), 693);
}

TEST(TimerPace, TwoMillisecondTimersTickEveryTenMilliseconds) {
    EXPECT_EQ(timerpace::Effective(2), 10);
    EXPECT_EQ(timerpace::Effective(15), 15);
    EXPECT_EQ(timerpace::Effective(500), 500);
}

TEST(Clock, SecondsAreTheLastTwoCharacters) {
    FixedClock c("09:41:07");
    EXPECT_EQ(c.Seconds(), 7);
    c.Set("23:59:59");
    EXPECT_EQ(c.Seconds(), 59);
    c.Set("7:05 PM");  // not ending in two digits: the real seconds
    const int s = c.Seconds();
    EXPECT_GE(s, 0);
    EXPECT_LE(s, 59);
    SystemTimeOfDay sys;
    EXPECT_EQ(sys.TimeText().size(), 8u);
    EXPECT_EQ(sys.ShortDate().size(), 10u);
}

TEST(Random, DefaultValuesLieInZeroToOne) {
    DefaultRandom r(42);
    float lo = 1, hi = 0;
    double sum = 0;
    for (int i = 0; i < 200000; ++i) {
        const float v = r.Rnd();
        ASSERT_GE(v, 0.0f);
        ASSERT_LT(v, 1.0f);
        lo = std::min(lo, v);
        hi = std::max(hi, v);
        sum += v;
    }
    EXPECT_LT(lo, 0.001f);
    EXPECT_GT(hi, 0.999f);
    EXPECT_NEAR(sum / 200000, 0.5, 0.005);
}

TEST(Canvas, BoxesInLogicalUnitsAndTheTouchedRectangle) {
    Canvas c;
    c.Resize(100, 50);
    c.SetScale(1000, 500);
    c.TakeDirty();
    c.FillBox(100, 100, 199, 199, RGB(255, 255, 0));
    EXPECT_EQ(c.PixelAt(15, 15), RGB(255, 255, 0));
    EXPECT_EQ(c.PixelAt(25, 15), 0u);
    const PixelRect d = c.TakeDirty();
    EXPECT_EQ(d.x, 10);
    EXPECT_EQ(d.y, 10);
    EXPECT_EQ(d.w, 10);
    EXPECT_EQ(d.h, 10);
    EXPECT_TRUE(c.TakeDirty().Empty());
    c.Box(0, 0, 999, 499, 255);  // outline only
    EXPECT_EQ(c.PixelAt(0, 0), 255u);
    EXPECT_EQ(c.PixelAt(99, 49), 255u);
    EXPECT_EQ(c.PixelAt(50, 25), 0u);
    c.FillBox(-500, -500, 5000, 5000, 1);  // clipped, no write outside
    EXPECT_EQ(c.PixelAt(99, 49), 1u);
}
