#include "frmMain.h"

#include <QCoreApplication>
#include <QFont>
#include <QResizeEvent>
#include <cstdio>
#include <cstdlib>

#include "CaptionStrip.h"
#include "Colors.h"
#include "GameIcon.h"
#include "mainwindow/layout/HelpTexts.h"
#include "platform/desktop/Fonts.h"
#include "platform/widgets/FitLabel.h"
#include "platform/widgets/GraphicalButton.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowStates.h"
#include "records/frmFuture.h"

namespace {
QRect PixelRectOf(const ControlSpec& s) {
    return QRect(twips::ToPixels(s.left), twips::ToPixels(s.top), twips::ToPixels(s.width), twips::ToPixels(s.height));
}

QFont FontOf(const ControlSpec& s) {
    return LayoutFont(s.font[0] ? s.font : kMainFont, s.font[0] ? s.points : kMainFontPoints, s.bold, s.underline);
}
}  // namespace

frmMain::frmMain(RandomSource* rnd, TimeOfDay* clock)
    : QWidget(nullptr), GameCore(*this, *this, rnd ? *rnd : defaultRandom, clock ? *clock : defaultClock) {
    setObjectName("frmMain");
    setWindowTitle("Gravlok XII Mirvax");
    setWindowIcon(GameIcon(true));
    // The window draws its own caption strip; the rest is cut to its shape.
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint);
    setFont(LayoutFont(kMainFont, kMainFontPoints));
    BuildControls();
    ConnectTimers();
    InstallInput();
    InstallRepaint();
    windowstate::Watch(this, [this] { FollowMainWindow(); });
    ConnectMenu();
    ExitProgram = [](int code) {
        std::fflush(nullptr);
        std::_Exit(code);
    };
}

frmMain::~frmMain() { UnloadSideWindows(); }

void frmMain::BuildControls() {
    setFixedSize(twips::ToPixels(kOuterWidthTw), twips::ToPixels(kOuterHeightTw));
    client = new QWidget(this);
    client->setObjectName("client");
    client->setGeometry(kClientLeftPx, kClientTopPx, twips::ToPixels(kClientWidthTw), twips::ToPixels(kClientHeightTw));
    SetBackColor(client, 0);
    captionStrip = new CaptionStrip(this);

    for (const ControlSpec& s : MainLayout()) {
        const QString name = s.name;
        ControlEntry entry{name, s.index, s.kind, nullptr, QString::fromUtf8(HelpText(s.name, s.index))};
        if (s.kind == Kind::Timer) {
            const bool down = name == "tmrDown";
            const int interval = down                         ? 2
                                 : name == "tmrLevel"         ? 150
                                 : name == "tmrMigCountLines" ? 250
                                 : name == "tmrDemo"          ? 500
                                                              : 100;
            auto* t = new WindowTimer(name, interval, down, this);
            if (name == "tmrMigMenuControls") tmrMigMenuControls = t;
            else if (name == "tmrDemo") tmrDemo = t;
            else if (name == "tmrLevel") tmrLevel = t;
            else if (name == "tmrMigCountLines") tmrMigCountLines = t;
            else tmrDown = t;
            entry.object = t;
            controls_.push_back(entry);
            continue;
        }

        QWidget* parent = s.parent[0] ? Control(s.parent) : client;
        QWidget* w = nullptr;
        switch (s.kind) {
        case Kind::Frame: w = new QGroupBox(QString::fromUtf8(s.caption), parent); break;
        case Kind::Picture: w = new PictureBox(parent); break;
        case Kind::Button: w = new GraphicalButton(QString::fromUtf8(s.caption), false, parent); break;
        case Kind::Check: w = new GraphicalButton(QString::fromUtf8(s.caption), true, parent); break;
        case Kind::Label:
        case Kind::Bar: {
            auto* l = s.kind == Kind::Bar ? new QLabel(parent) : new FitLabel(QString::fromUtf8(s.caption), parent);
            l->setAlignment(s.centred ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignLeft | Qt::AlignTop);
            l->setWordWrap(true);
            w = l;
            break;
        }
        case Kind::Timer: break;
        }
        w->setObjectName(s.index >= 0 ? QString("%1(%2)").arg(name).arg(s.index) : name);
        w->setGeometry(PixelRectOf(s));
        w->setFont(FontOf(s));
        SetBackColor(w, s.buttonColor ? RGB(192, 192, 192) : s.back);
        ::SetForeColor(w, s.fore);
        w->setProperty("tag", entry.tag);
        entry.object = w;
        controls_.push_back(entry);

        auto* btn = qobject_cast<QPushButton*>(w);
        auto* lbl = qobject_cast<QLabel*>(w);
        auto* fra = qobject_cast<QGroupBox*>(w);
        auto* pic = qobject_cast<PictureBox*>(w);
        if (name == "fraGravlok") fraGravlok = fra;
        else if (name == "fraBottom") fraBottom = fra;
        else if (name == "fraControl") fraControl = fra;
        else if (name == "fraBottomRight") fraBottomRight = fra;
        else if (name == "frmMenu") frmMenu = fra;
        else if (name == "fraLeft") fraLeft = fra;
        else if (name == "fraScore") fraScore = fra;
        else if (name == "fraLines") fraLines = fra;
        else if (name == "picGravlok") picGravlok = pic;
        else if (name == "picNext") picNext = pic;
        else if (name == "cmdDown") cmdDown = btn;
        else if (name == "cmdSpace") cmdSpace = btn;
        else if (name == "cmdLeftRight") cmdLeftRight[static_cast<size_t>(s.index)] = btn;
        else if (name == "cmdRotate") cmdRotate[0] = btn;
        else if (name == "chkSet") chkSet = btn;
        else if (name == "chkDemo") chkDemo = btn;
        else if (name == "chkHelp") chkHelp = btn;
        else if (name == "chkPause") chkPause = btn;
        else if (name == "chkRec") chkRec = btn;
        else if (name == "chkStat") chkStat = btn;
        else if (name == "chkAuto") chkAuto = btn;
        else if (name == "chkFuture") chkFuture = btn;
        else if (name == "lblPause") lblPause = lbl;
        else if (name == "lblScore") lblScore = lbl;
        else if (name == "lblCountLines") lblCountLines[static_cast<size_t>(s.index)] = lbl;
        else if (name == "lblFirma") lblFirma = lbl;
        else if (name == "lblSumBonus") lblSumBonus = lbl;
        else if (name == "lblHeightBonus") lblHeightBonus = lbl;
        else if (name == "lblLevel") lblLevel = lbl;
        else if (name == "lblPosition") lblPosition = lbl;
        else if (name == "lblRemain") lblRemain = lbl;
        else if (name == "lblNextPlace") lblNextPlace = lbl;
        else if (name == "lblAutors") lblAutors = lbl;
        else if (name == "lblTimeBonus") lblTimeBonus = lbl;
        else if (name == "lblTotal") lblTotal = lbl;
        else if (name == "lblTotalScore") lblTotalScore = lbl;
        else if (name == "Label5") Label5 = lbl;
        else if (name == "Label4") Label4 = lbl;
        else if (name == "Label3") Label3 = lbl;
        else if (name == "Label2") Label2 = lbl;
        else if (name == "Label1") Label1 = lbl;
    }

    // The pause label lies under the control panel, seen only when the panel hides.
    lblPause->stackUnder(fraControl);
    // The bars join the panels from beneath: they never cover a border or a button.
    for (QLabel* bar : {Label1, Label2, Label3, Label4, Label5}) bar->lower();
    // The pictures get their canvases at their designed size.
    for (PictureBox* p : {picGravlok, picNext}) {
        QResizeEvent e(p->size(), QSize());
        QCoreApplication::sendEvent(p, &e);
    }
    // The preview draws in twips.
    picNext->canvas().SetScale(twips::FromPixels(picNext->InnerSize().width()),
                               twips::FromPixels(picNext->InnerSize().height()));
    picGravlok->setFocus();
}

void frmMain::ConnectTimers() {
    // The fall timer dozes through ticks that would change nothing on the
    // screen or in the music (the figure waiting for its next step): they
    // are counted when the doze ends, before a tick, an input or another
    // timer of the game can see the figure.
    connect(tmrDown, &WindowTimer::Tick, this, [this] {
        tmrDown_Timer();
        if (const int quiet = QuietTicksAhead(); quiet > 1) tmrDown->Doze(quiet);
    });
    connect(tmrDown, &WindowTimer::Dozed, this, [this](int ticks) { SkipQuietTicks(ticks); });
    tmrDown->WakeOnInput();
    connect(tmrLevel, &WindowTimer::Tick, this, [this] {
        tmrDown->Wake();
        tmrLevel_Timer();
    });
    connect(tmrMigCountLines, &WindowTimer::Tick, this, [this] {
        tmrDown->Wake();
        tmrMigCountLines_Timer();
    });
    connect(tmrDemo, &WindowTimer::Tick, this, [this] {
        tmrDown->Wake();
        tmrDemo_Timer();
    });
}

QWidget* frmMain::Control(const QString& name, int index) const {
    for (const ControlEntry& e : controls_)
        if (e.name == name && e.index == index) return qobject_cast<QWidget*>(e.object);
    return nullptr;
}

QLabel* frmMain::LabelOf(Label l) const {
    switch (l) {
    case Label::Score: return lblScore;
    case Label::Level: return lblLevel;
    case Label::Remain: return lblRemain;
    case Label::CountLines1: return lblCountLines[1];
    case Label::CountLines2: return lblCountLines[2];
    case Label::CountLines3: return lblCountLines[3];
    case Label::CountLines4: return lblCountLines[4];
    case Label::Firma: return lblFirma;
    case Label::SumBonus: return lblSumBonus;
    case Label::TimeBonus: return lblTimeBonus;
    case Label::TotalScore: return lblTotalScore;
    case Label::Position: return lblPosition;
    case Label::NextPlace: return lblNextPlace;
    }
    return lblScore;
}

WindowTimer* frmMain::TimerOf(Timer t) const {
    switch (t) {
    case Timer::Down: return tmrDown;
    case Timer::Level: return tmrLevel;
    case Timer::MigCountLines: return tmrMigCountLines;
    case Timer::Demo: return tmrDemo;
    case Timer::MigMenuControls: return tmrMigMenuControls;
    }
    return tmrDown;
}

void frmMain::SetCaption(Label l, const std::string& text) { LabelOf(l)->setText(QString::fromStdString(text)); }
std::string frmMain::Caption(Label l) const { return LabelOf(l)->text().toStdString(); }
void frmMain::SetForeColor(Label l, Rgb c) { ::SetForeColor(LabelOf(l), c); }
Rgb frmMain::ForeColor(Label l) const { return ForeColorOf(LabelOf(l)); }
void frmMain::SetLabelVisible(Label l, bool visible) { LabelOf(l)->setVisible(visible); }
void frmMain::EnableTimer(Timer t, bool enabled) { TimerOf(t)->SetEnabled(enabled); }
bool frmMain::TimerEnabled(Timer t) const { return TimerOf(t)->Enabled(); }
void frmMain::SetDownBackColor(Rgb c) { SetBackColor(cmdDown, c); }
void frmMain::EnableDown(bool enabled) { cmdDown->setEnabled(enabled); }

Canvas* frmMain::PictureCanvas(Picture p) {
    switch (p) {
    case Picture::Gravlok: return &picGravlok->canvas();
    case Picture::Next: return &picNext->canvas();
    case Picture::Future: return SideWaits(future_) ? nullptr : &Future()->picFuture->canvas();
    }
    return nullptr;
}

void frmMain::PictureChanged(Picture p) {
    if (p == Picture::Gravlok) picGravlok->Flush();
    else if (p == Picture::Next) picNext->Flush();
    else if (p == Picture::Future) Future()->picFuture->Flush();
}
