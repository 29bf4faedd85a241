// Every text of every window shown whole: the longest value the game can put
// into a control, measured with the control's own font, word wrap and room.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>
#include <set>

#include "Game.h"
#include "mainwindow/CaptionStrip.h"
#include "mainwindow/layout/HelpTexts.h"
#include "mainwindow/layout/Layout.h"
#include "platform/widgets/FitLabel.h"
#include "platform/widgets/GraphicalButton.h"
#include "records/frmEnterName.h"
#include "records/frmGameOver.h"
#include "records/frmGravloFathers.h"
#include "records/frmHelp.h"
#include "records/frmStatistic.h"
#include "sound/settingswindow/frmSettings.h"

namespace {
// The caption room of a button by the style that draws it.
QRect ButtonRoom(QAbstractButton* b) {
    if (qobject_cast<GraphicalButton*>(b)) return b->rect().adjusted(2, 2, -2, -2);  // inside the bevel
    QStyleOptionButton o;
    o.initFrom(b);
    o.text = b->text();
    QStyle::SubElement e = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(b)) e = QStyle::SE_CheckBoxContents;
    else if (qobject_cast<QRadioButton*>(b)) e = QStyle::SE_RadioButtonContents;
    return b->style()->subElementRect(e, &o, b);
}

bool OneLineFits(const QFont& f, const QRect& room, const QString& text) {
    const QFontMetrics fm(f);
    return fm.horizontalAdvance(text) <= room.width() && fm.tightBoundingRect(text).height() <= room.height();
}

// What is not shown whole in `top` and the windows inside it. With
// `designFonts`, a label that had to shrink its font counts as cut too.
std::string CutTexts(QWidget* top, bool designFonts = true) {
    QStringList cut;
    auto name = [](QWidget* w) { return w->objectName() + ": \""; };
    QList<QWidget*> all = top->findChildren<QWidget*>();
    all.prepend(top);
    for (QWidget* w : all) {
        if (auto* l = qobject_cast<FitLabel*>(w)) {
            if (l->ShownText() != l->text() ||
                !FitLabel::Fits(l->ShownFont(), l->TextRect(), l->TextFlags(), l->text()))
                cut << name(w) + l->text() + "\" cut";
            else if (designFonts && l->ShownFont() != l->font()) cut << name(w) + l->text() + "\" needs a smaller font";
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            if (!b->text().isEmpty() && !OneLineFits(b->font(), ButtonRoom(b), b->text()))
                cut << name(w) + b->text() + "\"";
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            // The title starts a little in from the left border.
            if (!g->title().isEmpty() && QFontMetrics(g->font()).horizontalAdvance(g->title()) + 8 > g->width())
                cut << name(w) + g->title() + "\"";
        } else if (auto* c = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox o;
            o.initFrom(c);
            const QRect field = c->style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, c);
            for (int i = 0; i < c->count(); ++i)
                if (QFontMetrics(c->font()).horizontalAdvance(c->itemText(i)) > field.width())
                    cut << name(w) + c->itemText(i) + "\"";
        }
    }
    return cut.join("; ").toStdString();
}

// The largest shown number: tenths at the top of the 32-bit range.
const QString kSaturated = "214748365";

void LongestValues(frmMain& w) {
    w.lblLevel->setText("Level # 10");
    w.lblRemain->setText("123456789");
    w.lblScore->setText(kSaturated);
    w.lblPosition->setText("Place # 99");
    w.lblNextPlace->setText("Next Place : +999999");
    w.lblFirma->setText("This Is Gravlok Bonus 25000");
    // A game of a seven-digit score: some 250 Gravlok figures, 999 single and
    // double removals, 199 of three and four rows, 40 000 figures' time bonus.
    w.lblSumBonus->setText("  Gravlok Bonus : 999999");
    w.lblCountLines[1]->setText("1-Lines*999 = 274725");
    w.lblCountLines[2]->setText("2-Lines*999 = 799200");
    w.lblCountLines[3]->setText("3-Lines*199 = 442775");
    w.lblCountLines[4]->setText("4-Lines*199 = 995000");
    w.lblTimeBonus->setText("201");
    w.lblTotalScore->setText("9999999");
}
}  // namespace

TEST(TextFit, TheMainWindowShowsTheLongestValuesOfALongGameInItsOwnFonts) {
    Game g;
    LongestValues(*g.w);
    EXPECT_EQ(CutTexts(g.w.get()), "");
    // The first Gravlok announcement of a game and the paused label.
    g.w->lblFirma->setText(QString::fromUtf8("Gravlok-фигурка Bonus 5000"));
    g.w->lblPause->setVisible(true);
    EXPECT_EQ(CutTexts(g.w.get()), "");
    // Every caption the player sees at the start.
    Game fresh;
    EXPECT_EQ(CutTexts(fresh.w.get()), "");
}

TEST(TextFit, NumbersPastTheLayoutsRoomShrinkButStayWhole) {
    Game g;
    LongestValues(*g.w);
    // Sums at the top of the range: the label's font gets smaller, the number stays.
    g.w->lblSumBonus->setText("  Gravlok Bonus : " + kSaturated);
    g.w->lblNextPlace->setText("Next Place : +9999999");  // an edited table
    g.w->lblCountLines[4]->setText("4-Lines*2147483647 = 10737418235000");
    g.w->lblCountLines[1]->setText("1-Lines*99999 = 27499725");
    g.w->lblTotalScore->setText("20100000");  // a hundred thousand figures
    EXPECT_EQ(CutTexts(g.w.get(), false), "");
    auto* sum = static_cast<FitLabel*>(g.w->lblSumBonus);
    EXPECT_LT(sum->ShownFont().pointSizeF(), sum->font().pointSizeF());
    EXPECT_EQ(sum->ShownText(), sum->text());
}

TEST(TextFit, TheCheckFindsACaptionOneCharacterLongerThanItsControlHolds) {
    Game g;
    // Grow captions until they no longer fit: the text before still does.
    for (QWidget* c : std::initializer_list<QWidget*>{g.w->chkFuture, g.w->lblLevel, g.w->fraLines}) {
        auto text = [c] {
            if (auto* b = qobject_cast<QAbstractButton*>(c)) return b->text();
            if (auto* l = qobject_cast<QLabel*>(c)) return l->text();
            return static_cast<QGroupBox*>(c)->title();
        };
        auto set = [c](const QString& t) {
            if (auto* b = qobject_cast<QAbstractButton*>(c)) b->setText(t);
            else if (auto* l = qobject_cast<QLabel*>(c)) l->setText(t);
            else static_cast<QGroupBox*>(c)->setTitle(t);
        };
        if (c == g.w->lblLevel) set("Level # 10");
        int grown = 0;
        while (CutTexts(g.w.get()).empty() && grown < 40) {
            set(text() + "0");
            ++grown;
        }
        ASSERT_GT(grown, 0) << c->objectName().toStdString();
        ASSERT_LT(grown, 40) << c->objectName().toStdString();
        EXPECT_EQ(CutTexts(g.w.get()).find(';'), std::string::npos);
        set(text().chopped(1));
        EXPECT_EQ(CutTexts(g.w.get()), "");
    }
}

TEST(TextFit, QuestionWindowsHelpScreensAndTheSettingsWindowShowEveryTextWhole) {
    Game g;
    frmGameOver over(g.w.get());
    EXPECT_EQ(CutTexts(&over), "");
    bool cancel = false;
    frmEnterName name(g.w.get(), &cancel);
    EXPECT_EQ(CutTexts(&name), "");
    frmSettings set(g.w.get());
    EXPECT_EQ(CutTexts(&set), "");
    // A file name as long as a folder allows: shrunk, then shortened in the
    // middle, its beginning and its ending still there.
    for (QLabel* l : {set.lblFirstVar, set.lblFile}) {
        const QString name = QString::fromUtf8("Очень длинное имя ") + QString(233, 'x') + ".wav";
        l->setText(name);
        const auto* f = static_cast<FitLabel*>(l);
        EXPECT_TRUE(FitLabel::Fits(f->ShownFont(), f->TextRect(), f->TextFlags(), f->ShownText()));
        EXPECT_TRUE(f->ShownText().startsWith(QString::fromUtf8("Очень"))) << f->ShownText().toStdString();
        EXPECT_TRUE(f->ShownText().endsWith("x.wav")) << f->ShownText().toStdString();
    }
    set.lblFirstVar->setText("drop1.WAV");
    set.lblFile->setText(QString::fromUtf8("Музыка для игры.wav"));
    EXPECT_EQ(CutTexts(&set), "");

    frmHelp help(g.w.get());
    EXPECT_EQ(CutTexts(&help), "");
    // Every help text fits its screen without scrolling.
    const int edge = help.txtText->frameWidth() + 4;  // frame and document margin
    const QRect room = help.txtText->rect().adjusted(edge, edge, -edge, -edge);
    QStringList texts{QString::fromUtf8(kHallOfFameHelp)};
    for (const ControlSpec& s : MainLayout()) texts << QString::fromUtf8(HelpText(s.name, s.index));
    for (const QString& t : texts)
        EXPECT_TRUE(FitLabel::Fits(help.txtText->font(), room, Qt::TextWordWrap, t)) << t.toStdString();
}

namespace {
// The ink of a sample text drawn in `f`: the darkness of its pixels, summed.
int Ink(const QFont& f) {
    QImage img(900, 72, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(f);
    p.setPen(Qt::black);
    p.drawText(4, 54, QString::fromUtf8("Game Over Статистика 123"));
    p.end();
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += 255 - qGray(img.pixel(x, y));
    return n;
}

int CapHeight(const QFont& f) { return QFontMetrics(f).tightBoundingRect("H").height(); }

// Every font of the windows that is not drawn as asked: a bold one drawn
// regular, one above 9 pt drawn no bigger than the same face at 8.25 pt.
std::string FontsNotAsAsked(const QList<QWidget*>& tops) {
    std::set<std::string> wrong;
    for (QWidget* top : tops) {
        QList<QWidget*> all = top->findChildren<QWidget*>();
        all.prepend(top);
        for (QWidget* w : all) {
            const QFont f = w->font();
            const std::string what = w->objectName().toStdString() + " (" + f.family().toStdString() + " " +
                                     std::to_string(f.pointSizeF()) + (f.bold() ? " bold)" : ")");
            QFont regular = f;
            regular.setBold(false);
            // A bold face lays at least a tenth more ink than the regular one.
            if (f.bold() && Ink(f) * 10 < Ink(regular) * 11) wrong.insert(what + " drawn regular");
            QFont small = f;
            small.setPointSizeF(8.25);
            if (f.pointSizeF() > 9 && CapHeight(f) <= CapHeight(small)) wrong.insert(what + " drawn at 8.25 pt");
        }
    }
    std::string out;
    for (const std::string& s : wrong) out += s + "; ";
    return out;
}
}  // namespace

TEST(TextFit, EveryFontIsDrawnAtItsSizeAndWeight) {
    Game g;
    frmGameOver over(g.w.get());
    bool cancel = false;
    frmEnterName name(g.w.get(), &cancel);
    frmSettings set(g.w.get());
    frmHelp help(g.w.get());
    const QList<QWidget*> windows{g.w.get(), &over, &name, &set, &help, g.w->Statistic(), g.w->GravloFathers()};
    EXPECT_EQ(FontsNotAsAsked(windows), "");
    // "Game Over !" (12 pt bold) stands above the line under it (9.75 pt).
    EXPECT_GT(CapHeight(over.lblGameOver->font()), CapHeight(over.lblNewGame->font()));
}
