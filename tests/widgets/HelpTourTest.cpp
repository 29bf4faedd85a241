// The help tour: the hall-of-fame screen, then every control of the main
// window in control order, painted blue with its text shown; Close, Next and
// a game that ends while a help screen is open.
#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include "Answers.h"
#include "Game.h"
#include "mainwindow/Colors.h"
#include "mainwindow/layout/HelpTexts.h"
#include "records/frmEnterName.h"
#include "records/frmGameOver.h"
#include "records/frmGravloFathers.h"
#include "records/frmHelp.h"

namespace {
constexpr Rgb kBlue = RGB(0, 0, 255);
constexpr Rgb kRed = RGB(255, 0, 0);

const QStringList kTour = {
    "picGravlok",   "fraControl", "cmdDown",          "cmdLeftRight(2)",  "cmdLeftRight(0)",  "cmdRotate(0)",
    "cmdSpace",     "lblPause",   "frmMenu",          "chkSet",           "chkDemo",          "chkHelp",
    "chkPause",     "chkRec",     "chkStat",          "chkAuto",          "chkFuture",        "fraScore",
    "lblScore",     "fraLines",   "lblCountLines(1)", "lblCountLines(2)", "lblCountLines(3)", "lblCountLines(4)",
    "picNext",      "lblFirma",   "lblSumBonus",      "lblLevel",         "lblPosition",      "lblRemain",
    "lblNextPlace", "lblAutors",  "lblTimeBonus",     "lblTotalScore"};

// What one help screen shows: the controls painted blue, the list's colour
// and the text.
struct Screen {
    QStringList blue;
    Rgb list;
    QString text;
    QString tagOfBlue;
};

Screen Look(frmMain& w, QDialog* d) {
    Screen s;
    for (const ControlEntry& e : w.Controls()) {
        auto* c = qobject_cast<QWidget*>(e.object);
        if (c && BackColorOf(c) == kBlue) {
            s.blue << c->objectName();
            s.tagOfBlue = e.tag;
        }
    }
    s.list = BackColorOf(w.GravloFathers()->lstTable);
    s.text = static_cast<frmHelp*>(d)->txtText->toPlainText();
    return s;
}

std::map<QString, Rgb> Colours(frmMain& w) {
    std::map<QString, Rgb> m;
    for (const ControlEntry& e : w.Controls())
        if (auto* c = qobject_cast<QWidget*>(e.object)) m[c->objectName()] = BackColorOf(c);
    return m;
}

void Next(QDialog* d) { static_cast<frmHelp*>(d)->cmdNext->click(); }
void Close(QDialog* d) { static_cast<frmHelp*>(d)->cmdClose->click(); }
}  // namespace

TEST(HelpTour, CloseOnTheHallOfFameScreenPaintsNothing) {
    Game g;
    const auto colours = Colours(*g.w);
    Answers a;
    std::vector<Screen> screens;
    a.Expect("frmHelp", [&](QDialog* d) {
        screens.push_back(Look(*g.w, d));
        Close(d);
    });
    QTest::mouseClick(g.w->chkHelp, Qt::LeftButton);
    EXPECT_EQ(a.seen, std::vector<QString>{"frmHelp"});
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_TRUE(screens[0].blue.isEmpty());
    EXPECT_EQ(screens[0].list, kRed);
    EXPECT_EQ(screens[0].text, QString::fromUtf8(kHallOfFameHelp));
    EXPECT_EQ(BackColorOf(g.w->GravloFathers()->lstTable), RGB(0, 0, 0));
    EXPECT_EQ(Colours(*g.w), colours);
    EXPECT_FALSE(g.w->chkHelp->isChecked());
}

TEST(HelpTour, NextVisitsTheControlsInOrderHiddenOnesIncludedAndRestoresEveryColour) {
    Game g;
    g.w->show();
    g.w->chkPause->setChecked(true);  // the control panel is hidden, still visited
    const auto colours = Colours(*g.w);
    const long draws = g.rnd.draws;
    Answers a;
    std::vector<Screen> screens;
    for (int i = 0; i < 35; ++i)
        a.Expect("frmHelp", [&](QDialog* d) {
            screens.push_back(Look(*g.w, d));
            Next(d);
        });
    QTest::mouseClick(g.w->chkHelp, Qt::LeftButton);
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(a.seen.size(), 35u);
    ASSERT_EQ(screens.size(), 35u);
    QStringList visited;
    for (size_t i = 1; i < screens.size(); ++i) {
        EXPECT_EQ(screens[i].blue.size(), 1) << screens[i].blue.join(",").toStdString();
        visited << screens[i].blue.value(0);
        EXPECT_EQ(screens[i].text, screens[i].tagOfBlue);
        EXPECT_FALSE(screens[i].text.isEmpty());
        EXPECT_EQ(screens[i].list, RGB(0, 0, 0));
    }
    EXPECT_EQ(visited, kTour);
    EXPECT_EQ(Colours(*g.w), colours);
    EXPECT_FALSE(g.w->chkHelp->isChecked());
    // One random sound before the first screen and one after each control.
    EXPECT_EQ(g.rnd.draws - draws, 35);
    // The well is drawn again after its visit; the preview, wiped by its own
    // visit, comes back as the screens that covered the window close.
    Canvas& well = g.w->picGravlok->canvas();
    bool drawn = false;
    for (int y = 0; y < well.HeightPx() && !drawn; ++y)
        for (int x = 0; x < well.WidthPx() && !drawn; ++x) drawn = well.PixelAt(x, y) != RGB(0, 0, 0);
    EXPECT_TRUE(drawn);
    EXPECT_NE(well.PixelAt(well.WidthPx() / 2, well.HeightPx() / 2), kBlue);
    Canvas& next = g.w->picNext->canvas();
    auto blank = [&] {
        for (int y = 0; y < next.HeightPx(); ++y)
            for (int x = 0; x < next.WidthPx(); ++x)
                if (next.PixelAt(x, y) != RGB(0, 0, 0)) return false;
        return true;
    };
    QApplication::processEvents();
    EXPECT_FALSE(blank());
    // Without a window closing over it, only a repaint of the window brings it.
    next.Cls();
    QApplication::processEvents();
    EXPECT_TRUE(blank());
    g.w->client->repaint();
    EXPECT_FALSE(blank());
}

TEST(HelpTour, CloseOnTheWellsScreenRestoresAndRedrawsItAndEnds) {
    Game g;
    Answers a;
    a.Expect("frmHelp", Next);
    Rgb during = 0;
    a.Expect("frmHelp", [&](QDialog* d) {
        during = BackColorOf(g.w->picGravlok);
        Close(d);
    });
    QTest::mouseClick(g.w->chkHelp, Qt::LeftButton);
    EXPECT_EQ(a.seen.size(), 2u);
    EXPECT_EQ(during, kBlue);
    EXPECT_EQ(BackColorOf(g.w->picGravlok), RGB(0, 0, 0));
    Canvas& well = g.w->picGravlok->canvas();
    EXPECT_NE(well.PixelAt(well.WidthPx() / 2, well.HeightPx() / 2), kBlue);
    EXPECT_FALSE(g.w->chkHelp->isChecked());
}

TEST(HelpTour, AGameOverDuringAHelpScreenClosesItAndTheTourGoesOn) {
    Game g;
    Answers a;
    std::vector<Screen> screens;
    a.Expect("frmHelp", Next);
    // On the well's screen a figure lands and the game ends.
    a.Expect("frmHelp", [&](QDialog* d) {
        screens.push_back(Look(*g.w, d));
        QTimer::singleShot(0, [&] {
            g.w->lngScore = 700;
            g.LandAndEnd();
        });
    });
    a.Expect("frmEnterName",
             [](QDialog* d) { QTest::keyClick(static_cast<frmEnterName*>(d)->txtName, Qt::Key_Return); });
    a.Expect("frmGameOver", [](QDialog* d) { static_cast<frmGameOver*>(d)->cmdYes->click(); });
    a.Expect("frmHelp", [&](QDialog* d) {
        screens.push_back(Look(*g.w, d));
        Close(d);
    });
    QTest::mouseClick(g.w->chkHelp, Qt::LeftButton);
    ASSERT_TRUE(a.AllAnswered());
    EXPECT_EQ(a.seen, (std::vector<QString>{"frmHelp", "frmHelp", "frmEnterName", "frmGameOver", "frmHelp"}));
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0].blue, QStringList{"picGravlok"});
    EXPECT_EQ(screens[1].blue, QStringList{"fraControl"});
    EXPECT_EQ(g.exits, 0);
    EXPECT_EQ(g.w->lngScore, 0);  // the new game runs
    EXPECT_FALSE(g.w->chkHelp->isChecked());
}
