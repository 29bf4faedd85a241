// The main window's controls: names, containers, positions and sizes in
// pixels at 96 dpi, captions, colours and the control order.
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGroupBox>

#include "Scripted.h"
#include "mainwindow/Colors.h"
#include "mainwindow/frmMain.h"

namespace {
struct Expected {
    const char* name;
    int index;
    const char* parent;
    int x, y, w, h;
};

// The layout at 15 twips per pixel.
const Expected kExpected[] = {
    {"fraGravlok", -1, "", 8, 8, 249, 457},
    {"picGravlok", -1, "fraGravlok", 8, 16, 233, 433},
    {"fraBottom", -1, "", 56, 480, 145, 81},
    {"fraControl", -1, "fraBottom", 8, 8, 129, 65},
    {"cmdDown", -1, "fraControl", 48, 32, 33, 15},
    {"cmdLeftRight", 2, "fraControl", 80, 32, 41, 13},
    {"cmdLeftRight", 0, "fraControl", 8, 32, 41, 13},
    {"cmdRotate", 0, "fraControl", 48, 16, 33, 15},
    {"cmdSpace", -1, "fraControl", 32, 48, 65, 13},
    {"lblPause", -1, "fraBottom", 8, 16, 129, 65},
    {"fraBottomRight", -1, "", 232, 488, 209, 81},
    {"frmMenu", -1, "fraBottomRight", 8, 8, 193, 41},
    {"chkSet", -1, "frmMenu", 144, 16, 49, 17},
    {"chkDemo", -1, "frmMenu", 96, 16, 49, 17},
    {"chkHelp", -1, "frmMenu", 48, 16, 49, 17},
    {"chkPause", -1, "frmMenu", 0, 16, 49, 17},
    {"chkRec", -1, "fraBottomRight", 104, 56, 49, 17},
    {"chkStat", -1, "fraBottomRight", 152, 56, 49, 17},
    {"chkAuto", -1, "fraBottomRight", 8, 56, 49, 17},
    {"chkFuture", -1, "fraBottomRight", 56, 56, 49, 17},
    {"fraLeft", -1, "", 288, 8, 161, 457},
    {"fraScore", -1, "fraLeft", 16, 88, 129, 49},
    {"lblScore", -1, "fraScore", 8, 16, 113, 25},
    {"fraLines", -1, "fraLeft", 8, 280, 145, 89},
    {"lblCountLines", 1, "fraLines", 8, 16, 129, 17},
    {"lblCountLines", 2, "fraLines", 8, 32, 129, 17},
    {"lblCountLines", 3, "fraLines", 8, 48, 129, 17},
    {"lblCountLines", 4, "fraLines", 8, 64, 129, 17},
    {"picNext", -1, "fraLeft", 40, 168, 77, 77},
    {"lblFirma", -1, "fraLeft", 24, 248, 113, 25},
    {"lblSumBonus", -1, "fraLeft", 8, 144, 145, 17},
    {"lblHeightBonus", -1, "fraLeft", 24, 416, 73, 17},
    {"lblLevel", -1, "fraLeft", 16, 16, 129, 33},
    {"lblPosition", -1, "fraLeft", 8, 376, 145, 17},
    {"lblRemain", -1, "fraLeft", 8, 56, 145, 25},
    {"lblNextPlace", -1, "fraLeft", 8, 392, 145, 17},
    {"lblAutors", -1, "fraLeft", 8, 184, 17, 33},
    {"lblTimeBonus", -1, "fraLeft", 104, 416, 49, 17},
    {"lblTotal", -1, "fraLeft", 24, 432, 65, 17},
    {"lblTotalScore", -1, "fraLeft", 104, 432, 49, 17},
    {"Label5", -1, "", 272, 0, 5, 169},
    {"Label4", -1, "", 32, 528, 25, 5},
    {"Label3", -1, "", 32, 464, 5, 65},
    {"Label2", -1, "", 200, 544, 49, 5},
    {"Label1", -1, "", 256, 168, 41, 5},
};

QString ObjectName(const Expected& e) {
    return e.index >= 0 ? QString("%1(%2)").arg(e.name).arg(e.index) : QString(e.name);
}
}  // namespace

TEST(Layout, EveryControlSitsInItsContainerAtItsPlace) {
    frmMain w;
    for (const Expected& e : kExpected) {
        QWidget* c = w.Control(e.name, e.index);
        ASSERT_NE(c, nullptr) << e.name << " " << e.index;
        EXPECT_EQ(c->objectName(), ObjectName(e));
        const QString parent = e.parent[0] ? QString(e.parent) : QString("client");
        EXPECT_EQ(c->parentWidget()->objectName(), parent) << e.name;
        EXPECT_EQ(c->geometry(), QRect(e.x, e.y, e.w, e.h)) << e.name << " " << e.index;
    }
    EXPECT_EQ(w.client->size(), QSize(454, 587));  // 6810 x 8805 twips
    EXPECT_EQ(w.windowTitle(), "Gravlok XII Mirvax");
}

TEST(Layout, TheBarsLieBeneathThePanelsTheyTouch) {
    frmMain w;
    const QObjectList stack = w.client->children();  // later is higher
    int overlaps = 0;
    for (QLabel* bar : {w.Label1, w.Label2, w.Label3, w.Label4, w.Label5})
        for (QWidget* panel : {w.fraGravlok, w.fraBottom, w.fraBottomRight, w.fraLeft})
            if (bar->geometry().intersects(panel->geometry())) {
                ++overlaps;
                EXPECT_LT(stack.indexOf(bar), stack.indexOf(panel))
                    << bar->objectName().toStdString() << " over " << panel->objectName().toStdString();
            }
    EXPECT_GE(overlaps, 5);  // every bar reaches into a panel
    // What the player sees at the top-left corner of Auto is the button.
    const QPoint autoCorner = w.chkAuto->mapTo(w.client, QPoint(1, 1));
    EXPECT_EQ(w.client->childAt(autoCorner), w.chkAuto);
}

TEST(Layout, MembersAreTheNamedControls) {
    frmMain w;
    EXPECT_EQ(w.cmdLeftRight[0], w.Control("cmdLeftRight", 0));
    EXPECT_EQ(w.cmdLeftRight[1], nullptr);  // the group has no member 1
    EXPECT_EQ(w.cmdLeftRight[2], w.Control("cmdLeftRight", 2));
    EXPECT_EQ(w.cmdRotate[0], w.Control("cmdRotate", 0));
    for (int m = 1; m <= 4; ++m) EXPECT_EQ(w.lblCountLines[m], w.Control("lblCountLines", m));
    EXPECT_EQ(w.picGravlok, w.Control("picGravlok"));
    EXPECT_EQ(w.chkPause, w.Control("chkPause"));
    EXPECT_EQ(w.Label1, w.Control("Label1"));
}

TEST(Layout, CaptionsColoursAndFonts) {
    frmMain w;
    EXPECT_EQ(w.cmdDown->text(), "V");
    EXPECT_EQ(w.cmdLeftRight[0]->text(), "<");
    EXPECT_EQ(w.cmdLeftRight[2]->text(), ">");
    EXPECT_EQ(w.cmdRotate[0]->text(), "^");
    EXPECT_EQ(w.cmdSpace->text(), "");
    EXPECT_EQ(w.fraControl->title(), "Control");
    EXPECT_EQ(w.frmMenu->title(), "Menu");
    EXPECT_EQ(w.fraLines->title(), "Lines Bonus");
    EXPECT_EQ(w.lblFirma->text(), QString::fromUtf8(" Gravlok - фигурка    Бонус "));
    EXPECT_EQ(w.lblPause->text(), "Pause");
    for (QPushButton* b : {w.chkPause, w.chkHelp, w.chkDemo, w.chkSet, w.chkRec, w.chkStat, w.chkAuto, w.chkFuture})
        EXPECT_TRUE(b->isCheckable());
    EXPECT_FALSE(w.cmdDown->isCheckable());
    EXPECT_EQ(BackColorOf(w.chkPause), RGB(192, 0, 0));
    EXPECT_EQ(ForeColorOf(w.chkPause), RGB(192, 255, 255));
    EXPECT_EQ(BackColorOf(w.chkRec), RGB(0, 0, 0));
    EXPECT_EQ(BackColorOf(w.fraGravlok), RGB(128, 64, 64));
    EXPECT_EQ(ForeColorOf(w.fraLines), RGB(128, 128, 255));
    EXPECT_EQ(ForeColorOf(w.lblRemain), RGB(255, 128, 128));
    EXPECT_EQ(ForeColorOf(w.lblTotalScore), RGB(255, 128, 0));
    EXPECT_DOUBLE_EQ(w.lblLevel->font().pointSizeF(), 18.0);
    EXPECT_TRUE(w.lblLevel->font().bold());
    EXPECT_DOUBLE_EQ(w.lblPause->font().pointSizeF(), 20.25);
    EXPECT_EQ(w.cmdDown->font().family(), "Times New Roman");
    // The layout's own fonts from the program folder; the serif one stood in for.
    EXPECT_EQ(QFontInfo(w.lblFirma->font()).family(), "Tahoma");
    EXPECT_EQ(QFontInfo(w.picGravlok->font()).family(), "MS Sans Serif");
    EXPECT_EQ(QFontInfo(w.cmdDown->font()).family(), "Liberation Serif");
}

TEST(Layout, ControlOrderWithTimersAndHelpTexts) {
    frmMain w;
    QStringList names;
    for (const ControlEntry& e : w.Controls())
        names << (e.index >= 0 ? QString("%1(%2)").arg(e.name).arg(e.index) : e.name);
    const QStringList head = {"fraGravlok", "picGravlok",      "fraBottom",       "fraControl",
                              "cmdDown",    "cmdLeftRight(2)", "cmdLeftRight(0)", "cmdRotate(0)",
                              "cmdSpace",   "lblPause",        "fraBottomRight",  "frmMenu",
                              "chkSet",     "chkDemo",         "chkHelp",         "chkPause"};
    EXPECT_EQ(names.mid(0, head.size()), head);
    const QStringList tail = {"lblTotalScore",
                              "tmrMigMenuControls",
                              "tmrDemo",
                              "tmrLevel",
                              "tmrMigCountLines",
                              "tmrDown",
                              "Label5",
                              "Label4",
                              "Label3",
                              "Label2",
                              "Label1"};
    EXPECT_EQ(names.mid(names.size() - tail.size()), tail);
    EXPECT_EQ(names.size(), 45 + 5);

    // Exactly the four panels and five bars have no help text.
    QStringList untagged;
    for (const ControlEntry& e : w.Controls())
        if (e.kind != Kind::Timer && e.tag.isEmpty()) untagged << e.name;
    EXPECT_EQ(untagged, QStringList({"fraGravlok", "fraBottom", "fraBottomRight", "fraLeft", "Label5", "Label4",
                                     "Label3", "Label2", "Label1"}));
    EXPECT_EQ(w.chkSet->property("tag").toString(),
              QString::fromUtf8("Hастройка музыкального сопровождения и отображения Mirvax."));
    EXPECT_EQ(w.chkAuto->property("tag").toString(),
              QString::fromUtf8("Автоматическая пристыковка окон The Best Of The Gravlok, Future  и Statistic."));
    EXPECT_EQ(w.Control("lblTotal")->property("tag"), w.lblTotalScore->property("tag"));
}
