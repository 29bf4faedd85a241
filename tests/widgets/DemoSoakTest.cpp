// The demo player at the top speed through many games, with the timers
// driven here and every end-of-game question answered: after each landing
// the well holds only what may be there and the score has not gone down;
// after each game the hall of fame is sorted, at most 99 rows, as saved; and
// memory does not grow. GRAVLOK_SOAK_GAMES sets the number of games
// (scripts/soak runs thousands).
#include <gtest/gtest.h>

#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "Game.h"
#include "WellCheck.h"
#include "mainwindow/frmMain.h"
#include "records/formats/TableFile.h"
#include "records/frmEnterName.h"
#include "records/frmGameOver.h"

namespace {
long ResidentKb() {
    std::ifstream f("/proc/self/status");
    std::string key;
    long kb = 0;
    while (f >> key)
        if (key == "VmRSS:") {
            f >> kb;
            break;
        }
    return kb;
}

int GamesWanted() {
    const char* s = std::getenv("GRAVLOK_SOAK_GAMES");
    return s && std::atoi(s) > 0 ? std::atoi(s) : 300;
}
}  // namespace

TEST(DemoSoak, ThousandsOfDemoGamesKeepTheWellTheScoreTheTableAndTheMemory) {
    Game g;
    frmMain& w = *g.w;
    const int wanted = GamesWanted();
    int games = 0;
    bool ended = false;  // the end-of-game questions of this game were answered
    // Answers the two questions at once, from their own event loops.
    QTimer answer;
    answer.setInterval(0);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* m = QApplication::activeModalWidget();
        if (auto* n = qobject_cast<frmEnterName*>(m)) {
            n->txtName->setText(QString("Demo%1").arg(games % 500));
            n->cmdOk->click();
        } else if (auto* q = qobject_cast<frmGameOver*>(m)) {
            ended = true;
            q->cmdYes->click();
        } else if (m) {
            ADD_FAILURE() << "unexpected window " << m->objectName().toStdString();
            m->close();
        }
    });
    answer.start();

    QTest::mouseClick(w.chkDemo, Qt::LeftButton);
    w.iSpeed = 150;  // the top speed: a row every tick
    int32_t lastScore = 0;
    long landings = 0, rssAtTen = 0;
    while (games < wanted) {
        w.tmrDown->SetEnabled(false);  // this loop is the timer
        w.tmrDemo->SetEnabled(false);
        w.tmrDemo_Timer();
        const int ticks = std::max(1, w.tmrDemo->Interval() / 10);
        for (int t = 0; t < ticks && !ended; ++t) {
            const int16_t figures = w.iFigureNo;
            w.tmrDown_Timer();
            if (ended) break;
            if (w.iFigureNo != figures) {
                ++landings;
                ASSERT_GE(w.lngScore, lastScore) << "the score went down in game " << games;
                lastScore = w.lngScore;
                CheckWell(w);
                if (HasFatalFailure()) return;
            }
        }
        if (!ended) continue;
        // A new game has started: the table as saved, sorted, at most 99 rows.
        ended = false;
        ++games;
        ASSERT_EQ(w.lngScore, 0);
        ASSERT_FALSE(w.chkDemo->isChecked());
        const hof::Table saved = hof::Load(g.dir.path());
        ASSERT_EQ(saved.colScores, w.colScores);
        ASSERT_LE(w.colScores.size(), 99u);
        for (size_t i = 1; i < w.colScores.size(); ++i)
            ASSERT_GE(w.colScores[i - 1], w.colScores[i]) << "row " << i << " after game " << games;
        QTest::mouseClick(w.chkDemo, Qt::LeftButton);
        w.iSpeed = 150;
        lastScore = 0;
        if (games == 10) rssAtTen = ResidentKb();
        if (games % 500 == 0) std::printf("%d games, %ld landings, resident %ld kB\n", games, landings, ResidentKb());
    }
    const long growth = ResidentKb() - rssAtTen;
    std::printf("%d games, %ld landings, resident growth after game 10: %ld kB\n", games, landings, growth);
    EXPECT_GT(landings, games * 5L);
    EXPECT_EQ(w.colScores.size(), std::min<size_t>(99, static_cast<size_t>(games) + 1));
    EXPECT_LT(growth, 8 * 1024) << "memory grew";
}
