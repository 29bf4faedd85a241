#include "frmSettings.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QMouseEvent>
#include <cmath>

#include "frmOpen.h"
#include "mainwindow/frmMain.h"
#include "platform/desktop/Fonts.h"
#include "platform/widgets/FitLabel.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowFrame.h"
#include "platform/windows/WindowPlace.h"
#include "records/formats/HallOfFame.h"
#include "sound/DirectSound.h"
#include "sound/clsDMCtrl.h"

namespace {
QRect Tw(int l, int t, int w, int h) {
    return QRect(twips::ToPixels(l), twips::ToPixels(t), twips::ToPixels(w), twips::ToPixels(h));
}
const char* const kEvents[] = {
    "Инверсия", "Появление Gravlok-фигурки", "Удаление линиий", "Приземление", "Бросить", "Вращение", "Влево",
    "Вправо"};
QString U(const char* s) { return QString::fromUtf8(s); }
}  // namespace

frmSettings::frmSettings(frmMain* main) : QDialog(static_cast<QWidget*>(main)), main_(main) {
    windowframe::FixedDialog(this);
    setObjectName("frmSettings");
    setWindowTitle("Settings");
    setModal(true);
    setFixedSize(twips::ToPixels(7590), twips::ToPixels(6840));
    setFont(LayoutFont("MS Sans Serif", 8.25));
    auto frame = [](const char* cap, QWidget* parent, QRect r, const char* name) {
        auto* f = new QGroupBox(U(cap), parent);
        f->setObjectName(name);
        f->setGeometry(r);
        return f;
    };
    auto check = [](QWidget* parent, QRect r, const char* name) {
        auto* c = new QCheckBox(U("Выключить"), parent);
        c->setObjectName(name);
        c->setGeometry(r);
        return c;
    };
    auto slider = [](QWidget* parent, QRect r, int lo, int hi, int tick, int large, const char* name) {
        auto* s = new TrackBar(Qt::Horizontal, parent);
        s->setObjectName(name);
        s->setGeometry(r);
        s->setRange(lo, hi);
        s->setTickPosition(QSlider::TicksBelow);
        s->setTickInterval(tick);
        s->setPageStep(large);
        s->setSingleStep(1);
        return s;
    };
    auto label = [](const char* text, QWidget* parent, QRect r, const char* name) {
        auto* l = new FitLabel(U(text), parent);
        l->setObjectName(name);
        l->setGeometry(r);
        l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        l->setWordWrap(true);
        return l;
    };
    auto button = [](const char* text, QWidget* parent, QRect r, const char* name) {
        auto* b = new QPushButton(U(text), parent);
        b->setObjectName(name);
        b->setGeometry(r);
        b->setAutoDefault(false);
        return b;
    };

    frmControls = frame("Озвучивание основных событий", this, Tw(120, 120, 3495, 735), "frmControls");
    chkSoundControl = check(frmControls, Tw(120, 240, 1215, 375), "chkSoundControl");
    fraButton = frame("Основные события", this, Tw(120, 960, 3495, 5775), "fraButton");
    cmbListEvents = new QComboBox(fraButton);
    cmbListEvents->setObjectName("cmbListEvents");
    cmbListEvents->setGeometry(Tw(120, 360, 3255, 315));
    cmbListEvents->setEditable(false);
    QGroupBox* vars[2];
    QLabel* varLabels[2];
    TrackBar *vols[2], *freqs[2];
    QCheckBox* ens[2];
    QPushButton* opens[2];
    for (int v = 0; v < 2; ++v) {
        vars[v] = frame(v == 0 ? "Первый вариант" : "Второй вариант", fraButton,
                        Tw(120, v == 0 ? 840 : 3360, 3255, 2295), v == 0 ? "fraFirstVar" : "fraSecondVar");
        varLabels[v] = label("Empty", vars[v], Tw(240, 240, 2775, 375), v == 0 ? "lblFirstVar" : "lblSecondVar");
        vols[v] = slider(vars[v], Tw(120, 600, 3015, 495), -2500, 0, 250, 1000, v == 0 ? "sldVolBut1" : "sldVolBut2");
        freqs[v] =
            slider(vars[v], Tw(120, 1080, 3015, 615), 5000, 75000, 2500, 5, v == 0 ? "sldFreqBut1" : "sldFreqBut2");
        ens[v] = check(vars[v], Tw(v == 0 ? 120 : 240, 1800, 1335, 375), v == 0 ? "chkEnFirstVar" : "chkEnSecondVar");
        opens[v] =
            button("Выбрать файл", vars[v], Tw(1680, 1800, 1335, 375), v == 0 ? "cmdOpenFirst" : "cmdOpenSecond");
    }
    fraFirstVar = vars[0], fraSecondVar = vars[1];
    lblFirstVar = varLabels[0], lblSecondVar = varLabels[1];
    sldVolBut1 = vols[0], sldVolBut2 = vols[1], sldFreqBut1 = freqs[0], sldFreqBut2 = freqs[1];
    chkEnFirstVar = ens[0], chkEnSecondVar = ens[1];
    cmdOpenFirst = opens[0], cmdOpenSecond = opens[1];

    fraBkg = frame("Фоновая музыка", this, Tw(3840, 120, 3615, 2895), "fraBkg");
    lblFile = label("Empty", fraBkg, Tw(120, 240, 2895, 255), "lblFile");
    sldVolBackgrnd = slider(fraBkg, Tw(120, 600, 3375, 495), -2500, 0, 250, 1000, "sldVolBackgrnd");
    sldChange = slider(fraBkg, Tw(120, 1080, 2535, 495), 0, 500, 100, 2, "sldChange");
    txtChange = new QLineEdit("Text1", fraBkg);
    txtChange->setObjectName("txtChange");
    txtChange->setGeometry(Tw(2760, 1080, 615, 375));
    sldFreq = slider(fraBkg, Tw(120, 1680, 3375, 615), 5000, 75000, 2500, 5, "sldFreq");
    chkEnable = check(fraBkg, Tw(120, 2400, 1215, 375), "chkEnable");
    cmdOpen = button("Выбрать файл", fraBkg, Tw(2040, 2400, 1335, 375), "cmdOpen");

    fraMirv = frame("Mirvax", this, Tw(3840, 3120, 3615, 1455), "fraMirv");
    const char* const mirv[] = {"Hе показывать", "Только при появлении Gravlok-фигурки", "Показывать всегда"};
    const int mirvWidth[] = {3015, 3375, 3015};
    auto* group = new QButtonGroup(this);
    for (int i = 0; i < 3; ++i) {
        optMirv[static_cast<size_t>(i)] = new QRadioButton(U(mirv[i]), fraMirv);
        optMirv[static_cast<size_t>(i)]->setObjectName(QString("optMirv(%1)").arg(i));
        optMirv[static_cast<size_t>(i)]->setGeometry(Tw(120, 360 + 360 * i, mirvWidth[i], 255));
        group->addButton(optMirv[static_cast<size_t>(i)], i);
    }
    Label1 = label(
        "Воспроизводиться могут только wav-файлы. Под именем файла расположены слайдеры, определяющие "
        "громкость и скорость воспроизведения. Для фоновой музыки можно настраивать скорость перехода "
        "музыки слева направо и наоборот (второй ползунок или текстовое поле напротив ползунка).",
        this, Tw(3840, 4680, 3615, 1575), "Label1");
    cmdOk = button("OK", this, Tw(6240, 6360, 1215, 375), "cmdOk");

    connect(cmbListEvents, &QComboBox::currentIndexChanged, this, [this] { cmbListEvents_Click(); });
    connect(chkEnable, &QCheckBox::toggled, this, [this] { chkEnable_Click(); });
    connect(chkSoundControl, &QCheckBox::toggled, this, [this] { chkSoundControl_Click(); });
    connect(sldVolBackgrnd, &TrackBar::Scroll, this, [this] { sldVolBackgrnd_Scroll(); });
    connect(sldFreq, &TrackBar::MouseUp, this, [this] { sldFreq_MouseUp(); });
    connect(sldChange, &TrackBar::Scroll, this, [this] { sldChange_Scroll(); });
    connect(txtChange, &QLineEdit::textChanged, this, [this] { txtChange_Change(); });
    connect(cmdOpen, &QPushButton::clicked, this, [this] { cmdOpen_Click(); });
    for (int v = 0; v < 2; ++v) {
        connect(ens[v], &QCheckBox::toggled, this, [this, v] { chkEnVar_Click(v); });
        connect(vols[v], &TrackBar::MouseUp, this, [this, v] { sldVolBut_MouseUp(v); });
        connect(freqs[v], &TrackBar::MouseUp, this, [this, v] { sldFreqBut_MouseUp(v); });
        connect(opens[v], &QPushButton::clicked, this, [this, v] { cmdOpenVar_Click(v); });
    }
    for (int i = 0; i < 3; ++i)
        connect(optMirv[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { optMirv_Click(i); });
    connect(cmdOk, &QPushButton::clicked, this, [this] { close(); });
    Form_Load();
    windowplace::CentreFrame(this, windowplace::ScreenArea(main));
}

frmSettings::~frmSettings() {
    if (open_) delete open_.data();
}

void frmSettings::Form_Load() {
    sldVolBackgrnd->SetValue(BkgMusic().BkgMusicVolume);                          // 1
    chkEnable->setChecked(!main_->EnableLoop);                                    // 2
    chkSoundControl->setChecked(!main_->EnableSoundControl);                      // 3
    lblFile->setText(QString::fromStdString(FileNameOf(main_->PathToBkgMusic)));  // 4
    for (const char* e : kEvents) cmbListEvents->addItem(U(e));                   // 5
    cmbListEvents->setCurrentIndex(0);
    cmbListEvents_Click();
    sldChange->SetValue(main_->SpeedChange);  // 6
    txtChange->setText(QString::number(sldChange->value()));
    sldFreq->SetValue(main_->freq);  // 7
    if (main_->iMirvax < 3) {        // 8
        optMirv[main_->iMirvax]->setChecked(true);
        optMirv_Click(main_->iMirvax);
    }
}

std::string frmSettings::FileNameOf(const std::string& path) {
    const size_t i = path.find_last_of("\\/");
    return i == std::string::npos ? path : path.substr(i + 1);
}

std::string frmSettings::FolderOf(const std::string& path) {
    const size_t i = path.find_last_of("\\/");
    return i == std::string::npos ? std::string() : path.substr(0, i + 1);
}

void frmSettings::SetChannelProperty(clsDMCtrl* c, const std::string& value, int kind) {
    if (!c) return;
    switch (kind) {
    case PropEnabled: c->DMCtrlEnabled(value == "1"); break;
    case PropPath: c->DMCtrlPath(value); break;
    case PropVolume: c->DMCtrlVolume(static_cast<int16_t>(std::stoi(value))); break;
    case PropFreq: c->DMCtrlFreq(std::stoi(value)); break;
    default: break;
    }
}

clsDMCtrl* frmSettings::EventChannel(int variant) {
    const QString e = cmbListEvents->currentText();
    if (e == U("Влево")) return main_->mLeft1.get();
    if (e == U("Вправо")) return main_->mRight1.get();
    if (e == U("Вращение")) return main_->mRotate1.get();
    if (e == U("Бросить")) return variant == 0 ? main_->mDrop1.get() : main_->mDrop2.get();
    if (e == U("Приземление")) return variant == 0 ? main_->mDown1.get() : main_->mDown2.get();
    if (e == U("Удаление линиий")) return main_->mDelLin1.get();
    if (e == U("Появление Gravlok-фигурки")) return main_->mGravlok1.get();
    if (e == U("Инверсия")) return main_->mInverse1.get();
    return nullptr;
}

void frmSettings::SetEventProperty(const std::string& value, int kind, int variant) {
    SetChannelProperty(EventChannel(variant), value, kind);
}

std::string frmSettings::EventPath(int variant) {
    clsDMCtrl* c = EventChannel(variant);
    return c ? c->DMCtrlPath() : std::string();
}

void frmSettings::ShowFirstVariant(clsDMCtrl* c) {
    if (!c) return;
    lblFirstVar->setText(QString::fromStdString(FileNameOf(c->DMCtrlPath())));
    sldVolBut1->SetValue(c->DMCtrlVolume());
    sldFreqBut1->SetValue(c->DMCtrlFreq());
    QSignalBlocker b(chkEnFirstVar);  // showing is not a click
    chkEnFirstVar->setChecked(!c->DMCtrlEnabled());
}

void frmSettings::ShowSecondVariant(clsDMCtrl* c) {
    if (!c) return;
    lblSecondVar->setText(QString::fromStdString(FileNameOf(c->DMCtrlPath())));
    sldVolBut2->SetValue(c->DMCtrlVolume());
    sldFreqBut2->SetValue(c->DMCtrlFreq());
    QSignalBlocker b(chkEnSecondVar);
    chkEnSecondVar->setChecked(!c->DMCtrlEnabled());
}

void frmSettings::cmbListEvents_Click() {
    const QString e = cmbListEvents->currentText();
    const bool two = e == U("Бросить") || e == U("Приземление");
    fraSecondVar->setVisible(two);
    ShowFirstVariant(EventChannel(0));
    if (two) ShowSecondVariant(EventChannel(1));
}

void frmSettings::chkEnable_Click() {
    if (chkEnable->isChecked()) {
        BkgMusicStop();
        main_->EnableLoop = false;
    } else {
        BkgMusicResume();
        main_->EnableLoop = true;
    }
}

void frmSettings::chkSoundControl_Click() { main_->EnableSoundControl = !chkSoundControl->isChecked(); }

void frmSettings::sldVolBackgrnd_Scroll() {
    const auto v = static_cast<int16_t>(sldVolBackgrnd->value());
    BkgMusicSetVolume(v);
    main_->VolumeBkgMusic = v;
    cmdOk->setFocus();
}

void frmSettings::sldFreq_MouseUp() {
    BkgMusicSetFrequency(sldFreq->value());
    main_->freq = sldFreq->value();
}

void frmSettings::sldChange_Scroll() {
    main_->SpeedChange = static_cast<int16_t>(sldChange->value());
    txtChange->setText(QString::number(sldChange->value()));
    if (sldChange->value() == 0) main_->ForLoop = 0;
}

void frmSettings::txtChange_Change() {
    const double lead = hof::LeadingNumber(txtChange->text().toStdString());
    const double v = std::nearbyint(lead);
    if (v >= 0 && v <= sldChange->maximum()) {
        main_->SpeedChange = static_cast<int16_t>(v);
    } else if (v > sldChange->maximum()) {
        txtChange->setText(QString::number(sldChange->maximum()));
        txtChange->setSelection(0, static_cast<int>(txtChange->text().size()));
    } else {
        txtChange->setText("0");
        txtChange->setSelection(0, 1);
    }
    sldChange->SetValue(static_cast<int>(std::nearbyint(hof::LeadingNumber(txtChange->text().toStdString()))));
    if (sldChange->value() == 0) main_->ForLoop = 0;
}

frmOpen* frmSettings::Chooser() {
    if (!open_) open_ = new frmOpen(this);
    return open_;
}

void frmSettings::cmdOpen_Click() {
    frmOpen* o = Chooser();
    o->SetPath(QString::fromStdString(FolderOf(main_->PathToBkgMusic)));
    o->ShowModal();
    if (!o->NameFile.isEmpty()) {
        lblFile->setText(o->NameFile);
        BkgMusicLoad(o->PathToFile.toStdString());
        if (!main_->EnableLoop) BkgMusicStop();
        main_->PathToBkgMusic = o->PathToFile.toStdString();
        sldFreq->SetValue(BkgMusicGetFrequency());
    }
    BkgMusicSetVolume(static_cast<int16_t>(sldVolBackgrnd->value()));
}

void frmSettings::chkEnVar_Click(int variant) {
    const bool checked = (variant == 0 ? chkEnFirstVar : chkEnSecondVar)->isChecked();
    SetEventProperty(checked ? "0" : "1", PropEnabled, variant);
}

void frmSettings::sldVolBut_MouseUp(int variant) {
    SetEventProperty(std::to_string((variant == 0 ? sldVolBut1 : sldVolBut2)->value()), PropVolume, variant);
}

void frmSettings::sldFreqBut_MouseUp(int variant) {
    SetEventProperty(std::to_string((variant == 0 ? sldFreqBut1 : sldFreqBut2)->value()), PropFreq, variant);
}

void frmSettings::cmdOpenVar_Click(int variant) {
    frmOpen* o = Chooser();
    o->SetPath(QString::fromStdString(FolderOf(EventPath(variant))));
    o->ShowModal();
    if (o->NameFile.isEmpty()) return;
    (variant == 0 ? lblFirstVar : lblSecondVar)->setText(o->NameFile);
    SetEventProperty(o->PathToFile.toStdString(), PropPath, variant);
}

void frmSettings::optMirv_Click(int index) { main_->iMirvax = static_cast<uint8_t>(index); }

void frmSettings::closeEvent(QCloseEvent* e) {
    if (open_) open_->close();
    QDialog::closeEvent(e);
}

void frmSettings::done(int r) {
    if (open_) open_->hide();
    QDialog::done(r);
}
