// The settings file through the main window: the first start, and the close
// that writes the running values back.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "Scripted.h"
#include "mainwindow/frmMain.h"
#include "platform/folders/ProgramFolder.h"
#include "records/frmFuture.h"
#include "records/frmGravloFathers.h"
#include "records/frmStatistic.h"

namespace {
QStringList Lines(const QString& dir) {
    QFile f(QDir(dir).filePath("GMirvax.ini"));
    if (!f.open(QIODevice::ReadOnly)) return {};
    QStringList l = QString::fromLatin1(f.readAll()).split("\r\n");
    if (!l.isEmpty() && l.back().isEmpty()) l.pop_back();
    return l;
}
}  // namespace

TEST(SettingsFlow, FirstStartWritesTheDefaultsAndACloseWritesWhatIsInUse) {
    QTemporaryDir dir;
    SetProgramFolder(dir.path());
    ScriptedRandom rnd;
    FixedClock clock;
    {
        frmMain w(&rnd, &clock);
        w.Form_Load();
        EXPECT_EQ(Lines(dir.path()).size(), 59);
        EXPECT_TRUE(w.GravloFathers()->isVisible());
        EXPECT_EQ(w.GravloFathers()->pos(), QPoint(660, 480));  // 9905, 7200 twips
        EXPECT_EQ(w.Future()->pos(), QPoint(660, 104));
        EXPECT_TRUE(w.chkStat->isChecked());
        EXPECT_EQ(w.PathToBkgMusic, (dir.path() + "/Sound/bkgmusic.WAV").toStdString());
        EXPECT_EQ(w.mLeft1->DMCtrlPath(), (dir.path() + "/sound/left1.WAV").toStdString());
        EXPECT_EQ(w.VolumeBkgMusic, -800);

        w.show();
        w.move(300, 200);
        w.chkStat->setChecked(false);  // hides the statistic window
        w.VolumeBkgMusic = -1500;
        w.showMinimized();
        w.close();
        EXPECT_FALSE(w.isMinimized());  // restored before its place was written
    }
    const QStringList l = Lines(dir.path());
    ASSERT_EQ(l.size(), 57);
    EXPECT_EQ(l[0], " 4500 ");  // 300 pixels
    EXPECT_EQ(l[1], " 3000 ");
    EXPECT_EQ(l[5], "False");
    EXPECT_EQ(l[11], dir.path() + "/Sound/bkgmusic.WAV");  // full paths now
    EXPECT_EQ(l[13], "-1500 ");
    EXPECT_EQ(l[15], dir.path() + "/sound/left1.WAV");
    SetProgramFolder(QString());
}
