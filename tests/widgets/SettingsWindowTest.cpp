// The settings window and the file chooser, with the main window's values
// and the music heard through the loopback device.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "Answers.h"
#include "Scripted.h"
#include "mainwindow/frmMain.h"
#include "platform/audio/SoundDevice.h"
#include "platform/folders/ProgramFolder.h"
#include "sound/DirectSound.h"
#include "sound/settingswindow/frmOpen.h"
#include "sound/settingswindow/frmSettings.h"

namespace {
const QString kBin = QString(GRAVLOK_SOUND_DIR) + "/..";

double Loudness() {
    sounddevice::Render(4410);  // past any glide
    const std::vector<float> v = sounddevice::Render(4410);
    double s = 0;
    for (float x : v) s += double(x) * x;
    return std::sqrt(s / double(v.size()));
}

struct Main {
    QTemporaryDir dir;
    ScriptedRandom rnd;
    FixedClock clock;
    std::unique_ptr<frmMain> w;
    Main() {
        SetProgramFolder(dir.path());
        w = std::make_unique<frmMain>(&rnd, &clock);
        w->Form_Load();
        w->tmrDown->SetEnabled(false);
    }
    ~Main() {
        w.reset();
        BkgMusicShutdown();
        SetProgramFolder(QString());
    }
    void MusicOff(const std::string& path) {
        w->PathToBkgMusic = path;
        BkgMusicLoad(path);
        BkgMusicStop();
        w->EnableLoop = false;
    }
};
}  // namespace

TEST(SettingsWindow, OpensWithMusicOffSilentAndTheChooserPicksANewTrack) {
    Main m;
    m.MusicOff((kBin + "/Sound/bkgmusic.WAV").toStdString());
    frmSettings s(m.w.get());
    EXPECT_TRUE(s.chkEnable->isChecked());
    EXPECT_EQ(s.lblFile->text(), "bkgmusic.WAV");
    EXPECT_LT(Loudness(), 1e-6);

    // A pick in the chooser while the music is off stays silent...
    Answers a;
    a.Expect("frmOpen", [](QDialog* d) {
        auto* o = static_cast<frmOpen*>(d);
        EXPECT_EQ(o->filOpen->count(), 1) << o->DirPath().toStdString();
        if (o->filOpen->count() == 1) o->filOpen_Click(o->filOpen->item(0)->text());
        else d->close();
    });
    s.cmdOpen_Click();
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(QDir::cleanPath(QString::fromStdString(m.w->PathToBkgMusic)),
              QDir::cleanPath(kBin + "/Sound/bkgmusic.WAV"));
    EXPECT_EQ(s.sldFreq->value(), 18600);  // the file's own rate
    EXPECT_LT(Loudness(), 1e-6);
    // ... until the switch is released.
    s.chkEnable->setChecked(false);
    EXPECT_TRUE(m.w->EnableLoop);
    EXPECT_GT(Loudness(), 1e-3);

    // Closing the chooser without a pick changes nothing.
    const std::string before = m.w->PathToBkgMusic;
    a.Expect("frmOpen", [](QDialog* d) { d->close(); });
    s.cmdOpen_Click();
    EXPECT_EQ(m.w->PathToBkgMusic, before);
    EXPECT_EQ(s.lblFile->text(), "bkgmusic.WAV");
    EXPECT_TRUE(s.Chooser()->NameFile.isEmpty());
}

TEST(SettingsWindow, TheSweepTextBoxKeepsItsValueInRange) {
    Main m;
    m.w->SpeedChange = 0;
    frmSettings s(m.w.get());
    EXPECT_EQ(s.txtChange->text(), "0");
    s.txtChange->clear();
    QTest::keyClicks(s.txtChange, "700");
    EXPECT_EQ(s.txtChange->text(), "500");
    EXPECT_EQ(s.txtChange->selectedText(), "500");
    EXPECT_EQ(m.w->SpeedChange, 500);
    EXPECT_EQ(s.sldChange->value(), 500);

    m.w->ForLoop = 1234;
    s.txtChange->clear();
    m.w->ForLoop = 1234;
    QTest::keyClicks(s.txtChange, "-3");
    EXPECT_EQ(s.txtChange->text(), "0");
    EXPECT_EQ(m.w->SpeedChange, 0);
    EXPECT_EQ(m.w->ForLoop, 0);  // centred

    s.sldChange->SetValue(300);
    m.w->ForLoop = 777;
    s.sldChange->setFocus();
    QTest::keyClick(s.sldChange, Qt::Key_Home);  // the player moves it to 0
    EXPECT_EQ(s.txtChange->text(), "0");
    EXPECT_EQ(m.w->ForLoop, 0);
    EXPECT_EQ(m.w->SpeedChange, 0);
}

TEST(SettingsWindow, EventsShowTheirChannelsAndSlidersOutOfRangeApplyNothing) {
    Main m;
    m.w->mDrop2->DMCtrlVolume(-700);
    m.w->mDrop2->DMCtrlFreq(44100);
    m.w->mDrop2->DMCtrlEnabled(false);
    m.w->mDrop1->DMCtrlFreq(0);  // outside the slider's range
    frmSettings s(m.w.get());
    EXPECT_EQ(s.cmbListEvents->currentText(), QString::fromUtf8("Инверсия"));
    EXPECT_TRUE(s.fraSecondVar->isHidden());
    s.cmbListEvents->setCurrentText(QString::fromUtf8("Влево"));
    EXPECT_TRUE(s.fraSecondVar->isHidden());
    EXPECT_EQ(s.lblFirstVar->text(), "left1.WAV");
    s.cmbListEvents->setCurrentText(QString::fromUtf8("Бросить"));
    EXPECT_FALSE(s.fraSecondVar->isHidden());
    EXPECT_EQ(s.lblSecondVar->text(), "drop2.WAV");
    EXPECT_EQ(s.sldVolBut2->value(), -700);
    EXPECT_EQ(s.sldFreqBut2->value(), 44100);
    EXPECT_TRUE(s.chkEnSecondVar->isChecked());
    EXPECT_EQ(s.sldFreqBut1->value(), 5000);           // shown clamped
    EXPECT_EQ(m.w->mDrop1->DMCtrlFreq(), 0);           // and left alone
    QTest::mouseClick(s.sldFreqBut1, Qt::LeftButton);  // until the player moves it
    EXPECT_EQ(m.w->mDrop1->DMCtrlFreq(), s.sldFreqBut1->value());
    s.chkEnSecondVar->setChecked(false);
    EXPECT_TRUE(m.w->mDrop2->DMCtrlEnabled());

    s.optMirv[0]->click();
    EXPECT_EQ(m.w->iMirvax, 0);
    s.chkSoundControl->setChecked(true);
    EXPECT_FALSE(m.w->EnableSoundControl);
}

TEST(SettingsWindow, FileNamesAndFoldersTakeEitherSeparator) {
    EXPECT_EQ(frmSettings::FileNameOf("C:\\Games\\sound\\left1.WAV"), "left1.WAV");
    EXPECT_EQ(frmSettings::FolderOf("C:\\Games\\sound\\left1.WAV"), "C:\\Games\\sound\\");
    EXPECT_EQ(frmSettings::FileNameOf("/opt/game/sound/left1.WAV"), "left1.WAV");
    EXPECT_EQ(frmSettings::FolderOf("/opt/game/sound/left1.WAV"), "/opt/game/sound/");
    EXPECT_EQ(frmSettings::FileNameOf("left1.WAV"), "left1.WAV");
    EXPECT_EQ(frmSettings::FolderOf("left1.WAV"), "");
}

TEST(FileChooser, ShowsWaveFilesInAnyCaseAndFallsBackToTheProgramFolder) {
    QTemporaryDir prog, other;
    SetProgramFolder(prog.path());
    for (const char* n : {"a.WAV", "b.wav", "c.Wav", "notes.txt"})
        QFile(QDir(other.path()).filePath(n)).open(QIODevice::WriteOnly);
    QDir(other.path()).mkdir("sub");
    frmOpen o(nullptr);
    o.SetPath(other.path() + "/");
    EXPECT_EQ(o.DirPath(), QDir(other.path()).absolutePath());
    ASSERT_EQ(o.filOpen->count(), 3);
    EXPECT_EQ(o.filOpen->item(0)->text(), "a.WAV");
    o.SetPath("");
    EXPECT_EQ(o.DirPath(), QDir(prog.path()).absolutePath());
    EXPECT_EQ(o.filOpen->count(), 0);
    o.SetPath(other.path() + "/missing/");
    EXPECT_EQ(o.DirPath(), QDir(prog.path()).absolutePath());
    // A pick at a volume's root gives two separators in a row, which opens.
    o.SetDir("/");
    o.filOpen_Click("x.wav");
    EXPECT_EQ(o.PathToFile, "//x.wav");
    EXPECT_EQ(QFileInfo(o.PathToFile).absoluteFilePath(), "/x.wav");
    SetProgramFolder(QString());
}
