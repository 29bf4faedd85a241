// A landing that removes a row, through the main window with the game's own
// sounds: the landing sound and the line sound sound together.
#include <gtest/gtest.h>

#include <QApplication>
#include <cmath>

#include "Scripted.h"
#include "mainwindow/frmMain.h"
#include "platform/audio/SoundDevice.h"

namespace {
double Rms(const std::vector<float>& v) {
    double s = 0;
    for (float x : v) s += double(x) * x;
    return v.empty() ? 0 : std::sqrt(s / double(v.size()));
}
}  // namespace

TEST(SoundFlow, LandingAndLineSoundsOverlap) {
    ScriptedRandom rnd;
    FixedClock clock{"08:15:00"};
    frmMain w{&rnd, &clock};
    w.Form_Load();
    w.tmrDown->SetEnabled(false);
    // The generated sounds live in the program folder of the build.
    const std::string dir = GRAVLOK_SOUND_DIR;
    w.mDown1->DMCtrlPath(dir + "/down1.WAV");
    w.mDown2->DMCtrlPath(dir + "/down2.WAV");
    w.mDelLin1->DMCtrlPath(dir + "/dellin1.WAV");
    sounddevice::Render(44100);  // let the start-up's sounds end

    for (int x = 4; x <= 18; ++x) w.arrWell.Set(x, 30, x != 10);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) w.arrC.Set(i, j, i == 1);  // a bar in column 1 of its box
    w.iFigX = 9;
    w.iFigY = 27;
    w.bDropping = true;
    rnd.Push(0.9f);  // landing sound: down1
    const int figures = w.iFigureNo;
    for (int i = 0; i < 5 && w.iFigureNo == figures; ++i) w.tmrDown_Timer();
    ASSERT_EQ(w.iFigureNo, figures + 1);
    ASSERT_EQ(w.iLastLines, 1);

    EXPECT_TRUE(w.mDown1->Sounding());
    EXPECT_TRUE(w.mDelLin1->Sounding());
    const std::vector<float> together = sounddevice::Render(441);  // the first 10 ms
    EXPECT_TRUE(w.mDown1->Sounding());
    EXPECT_TRUE(w.mDelLin1->Sounding());

    // Each alone is quieter than both: the second did not cut the first.
    w.mDelLin1->Buffer->Stop();
    w.mDown1->DMCtrlPlay();
    const double downAlone = Rms(sounddevice::Render(441));
    w.mDown1->Buffer->Stop();
    w.mDelLin1->DMCtrlPlay();
    const double lineAlone = Rms(sounddevice::Render(441));
    EXPECT_GT(downAlone, 0.001);
    EXPECT_GT(lineAlone, 0.001);
    EXPECT_GT(Rms(together), std::max(downAlone, lineAlone) * 1.05);
    sounddevice::Render(44100);
}
