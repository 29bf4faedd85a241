// The two small question windows of the end of a game.
#include <QKeyEvent>
#include <QValidator>

#include "frmEnterName.h"
#include "frmGameOver.h"
#include "mainwindow/Colors.h"
#include "platform/desktop/Fonts.h"
#include "platform/files/CodePage.h"
#include "platform/widgets/FitLabel.h"
#include "platform/widgets/Twips.h"
#include "platform/windows/WindowFrame.h"
#include "platform/windows/WindowPlace.h"

namespace {
constexpr const char* kTitle = "Gravlok XII Mirvax";

QRect Tw(int l, int t, int w, int h) {
    return QRect(twips::ToPixels(l), twips::ToPixels(t), twips::ToPixels(w), twips::ToPixels(h));
}

QFont Font(const char* family, double points, bool bold, bool underline = false) {
    return LayoutFont(family, points, bold, underline);
}

void CentreOn(QWidget* w, QWidget* main) {
    if (main) windowplace::CentreFrame(w, windowplace::FrameRect(main));
}

// Buttons keep the desktop's grey face, not the window's colour.
void PlainButton(QPushButton* b) {
    SetBackColor(b, RGB(192, 192, 192));
    SetForeColor(b, RGB(0, 0, 0));
}

bool LineBreak(QChar c) {
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// Names hold at most 10 characters, each one the table file can store, on
// one line: a pasted text is cut at its first line break (what came before
// the cursor from the paste is kept up to it, the text after the cursor
// stays), and every other control character is left out, as typing them
// would give nothing.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override {
        for (qsizetype i = 0; i < input.size(); ++i) {
            if (!LineBreak(input[i])) continue;
            const qsizetype end = i < pos ? pos : input.size();
            input.remove(i, end - i);
            if (pos > i) pos = static_cast<int>(i);
            --i;
        }
        for (qsizetype i = input.size() - 1; i >= 0; --i) {
            const QChar c = input[i];
            if (c.category() != QChar::Other_Control) continue;
            input.remove(i, 1);
            if (pos > i) --pos;
        }
        if (input.size() > 10) return Invalid;
        return codepage::Cp1251CanStore(input.toStdString()) ? Acceptable : Invalid;
    }
};
}  // namespace

frmGameOver::frmGameOver(QWidget* mainWindow)
    : NoEscapeDialog(mainWindow),
      lblGameOver(new FitLabel("Game Over !", this)),
      lblNewGame(new FitLabel(QString::fromUtf8("Начать новую игру ?"), this)),
      cmdYes(new QPushButton(QString::fromUtf8("Да"), this)),
      cmdNo(new QPushButton(QString::fromUtf8("Нет"), this)) {
    windowframe::FixedDialog(this);
    setObjectName("frmGameOver");
    setWindowTitle(kTitle);
    setModal(true);
    setFixedSize(twips::ToPixels(2550), twips::ToPixels(1200));
    SetBackColor(this, RGB(0, 0, 128));
    lblGameOver->setObjectName("lblGameOver");
    lblGameOver->setGeometry(Tw(120, 120, 2292, 372));
    lblGameOver->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblGameOver->setFont(Font("MS Sans Serif", 12, true, true));
    SetForeColor(lblGameOver, RGB(255, 0, 0));
    lblNewGame->setObjectName("lblNewGame");
    lblNewGame->setGeometry(Tw(120, 480, 2292, 372));
    lblNewGame->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblNewGame->setFont(Font("MS Sans Serif", 9.75, false));
    SetForeColor(lblNewGame, RGB(255, 255, 0));
    cmdYes->setObjectName("cmdYes");
    cmdYes->setGeometry(Tw(120, 840, 972, 252));
    cmdNo->setObjectName("cmdNo");
    cmdNo->setGeometry(Tw(1440, 840, 972, 252));
    for (QPushButton* b : {cmdYes, cmdNo}) {
        PlainButton(b);
        b->setFont(Font("MS Sans Serif", 8.25, false));
        b->setAutoDefault(true);
    }
    setTabOrder(cmdYes, cmdNo);
    cmdYes->setFocus();
    connect(cmdYes, &QPushButton::clicked, this, &frmGameOver::cmdYes_Click);
    connect(cmdNo, &QPushButton::clicked, this, &frmGameOver::cmdNo_Click);
    CentreOn(this, mainWindow);
}

void frmGameOver::cmdYes_Click() {
    blnContinue = true;
    close();
}

void frmGameOver::cmdNo_Click() {
    blnContinue = false;
    close();
}

frmEnterName::frmEnterName(QWidget* mainWindow, bool* cancelRecord)
    : NoEscapeDialog(mainWindow),
      lblEnterName(new FitLabel(QString::fromUtf8("Введите Ваше имя"), this)),
      txtName(new QLineEdit("UnNamed", this)),
      cmdOk(new QPushButton("Ok", this)),
      cancelRecord_(cancelRecord) {
    windowframe::FixedDialog(this);
    setObjectName("frmEnterName");
    setWindowTitle(kTitle);
    setModal(true);
    setFixedSize(twips::ToPixels(2415), twips::ToPixels(1425));
    SetBackColor(this, RGB(255, 128, 255));
    lblEnterName->setObjectName("lblEnterName");
    lblEnterName->setGeometry(Tw(120, 120, 2175, 255));
    lblEnterName->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblEnterName->setFont(Font("MS Sans Serif", 8.25, true));
    SetForeColor(lblEnterName, RGB(0, 255, 255));
    txtName->setObjectName("txtName");
    txtName->setGeometry(Tw(120, 480, 2175, 372));
    txtName->setFont(Font("Times New Roman", 12, true));
    SetBackColor(txtName, RGB(255, 255, 255));
    SetForeColor(txtName, RGB(0, 0, 0));
    txtName->setMaxLength(10);
    txtName->setValidator(new NameValidator(txtName));
    cmdOk->setObjectName("cmdOk");
    cmdOk->setGeometry(Tw(600, 1080, 1215, 276));
    PlainButton(cmdOk);
    cmdOk->setFont(Font("Times New Roman", 10.5, true));
    cmdOk->setAutoDefault(false);
    connect(cmdOk, &QPushButton::clicked, this, &frmEnterName::cmdOk_Click);
    // Keys reach the window before its controls.
    txtName->installEventFilter(this);
    cmdOk->installEventFilter(this);
    CentreOn(this, mainWindow);
    Form_Load();
}

void frmEnterName::Form_Load() {
    txtName->setSelection(0, static_cast<int>(txtName->text().size()));
    txtName->setFocus();
}

void frmEnterName::cmdOk_Click() {
    PlayerName = txtName->text();
    closingFromCode_ = true;
    close();
}

bool frmEnterName::eventFilter(QObject* obj, QEvent* e) {
    if (e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if (k == Qt::Key_Return || k == Qt::Key_Enter) {
            cmdOk_Click();
            return true;
        }
    }
    return QDialog::eventFilter(obj, e);
}

void frmEnterName::done(int r) {
    // Only Ok closes from code; the close box, Esc and the system decline.
    if (cancelRecord_) *cancelRecord_ = !closingFromCode_;
    QDialog::done(r);
}
