// The save of the hall of fame at the end of a game: read again under the
// lock and this game's row put in, so a record another copy saved meanwhile
// stays. The wait for another program's lock is bounded and spoken of; a
// record that cannot be written is never shown as written.
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <cstdio>

#include "mainwindow/frmMain.h"
#include "platform/files/FileLock.h"
#include "platform/files/WriteTrouble.h"
#include "platform/folders/DataFolder.h"
#include "platform/widgets/WorkAside.h"
#include "platform/windows/WindowFrame.h"
#include "records/formats/PendingRecords.h"

namespace {
using SteadyClock = std::chrono::steady_clock;
// A slow share's save takes a few seconds: the player hears of a wait only
// past them. The wait goes on in the background up to the bound
// (RecordWaitBound), then the player chooses; an end asked meanwhile waits a
// short grace at most.
constexpr auto kNoticeAfter = std::chrono::seconds(3);
constexpr auto kEndGrace = std::chrono::seconds(4);

int64_t Count(SteadyClock::time_point t) { return t.time_since_epoch().count(); }

const QString kTitle = QStringLiteral("Gravlok XII Mirvax");

// " (её держит программа «sleep», pid 12, пользователь ann)", where the
// system names the holder.
QString HolderText(const QString& folder) {
    const std::optional<LockHolder> h = FindLockHolder(
        {folder.toStdString(), hof::LockPathIn(folder).toStdString(), hof::PathIn(folder).toStdString()});
    if (!h) return {};
    return QString::fromUtf8(" (её держит программа «%1», pid %2, пользователь %3)")
        .arg(QString::fromStdString(h->command))
        .arg(h->pid)
        .arg(QString::fromStdString(h->user));
}

QString TextOf(WriteTrouble trouble) {
    switch (trouble) {
    case WriteTrouble::NotRegular: return QString::fromUtf8("на месте файла таблицы рекордов стоит не обычный файл");
    case WriteTrouble::ReadOnlyFile: return QString::fromUtf8("файл таблицы рекордов только для чтения");
    case WriteTrouble::ReadOnlyDisk: return QString::fromUtf8("диск с таблицей рекордов доступен только для чтения");
    case WriteTrouble::NoSpace: return QString::fromUtf8("на диске нет места");
    case WriteTrouble::NoPermission: return QString::fromUtf8("нет прав на запись в папку таблицы рекордов");
    case WriteTrouble::Unknown: break;
    }
    return QString::fromUtf8("файл таблицы рекордов не удалось записать");
}

QString Why(hof::SaveTrouble trouble, const QString& folder, size_t bytes) {
    switch (trouble) {
    case hof::SaveTrouble::NoLock:
        return QString::fromUtf8("таблицу рекордов нельзя заблокировать от других копий игры");
    case hof::SaveTrouble::TooLong:
        return QString::fromUtf8("файл таблицы рекордов длиннее 16 МиБ и оставлен как есть");
    case hof::SaveTrouble::Refused: return QString::fromUtf8("таблица рекордов принимает только имя в одну строку");
    case hof::SaveTrouble::NoTable:
        return QString::fromUtf8("файла общей таблицы рекордов нет (его восстановит «dpkg-reconfigure gravlok»)");
    // The shared table's writer says what stopped it.
    case hof::SaveTrouble::NoSpace: return TextOf(WriteTrouble::NoSpace);
    case hof::SaveTrouble::ReadOnlyDisk: return TextOf(WriteTrouble::ReadOnlyDisk);
    default: break;
    }
    return TextOf(WhyNotWritten(hof::PathIn(folder).toStdString(), bytes));
}

// A message of the game's, with one button; Esc, pressed by reflex, answers it.
void Tell(QWidget* over, const QString& text) {
    QMessageBox box(QMessageBox::Warning, kTitle, text, QMessageBox::NoButton, over);
    box.setObjectName("frmRecordMessage");
    box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.exec();
}
}  // namespace

void frmMain::SaveHallOfFame() {
    const QString folder = TableFolder();
    for (;;) {
        hof::SaveTrouble trouble = hof::SaveTrouble::None;
        const std::optional<hof::Table> saved = SaveAside(folder, trouble);
        if (saved) {
            if (*saved != hall) {
                hall = *saved;
                FillHallOfFameList();
            }
            break;
        }
        if (endAsked_ != EndAsked::None) {
            EndWithRecordKept(folder);
            return;
        }
        if (!newRow_) break;  // no record of this game's: nothing is lost
        if (trouble == hof::SaveTrouble::Busy) {
            QMessageBox box(QMessageBox::Question, kTitle,
                            QString::fromUtf8("Таблица рекордов всё ещё занята%1. Повторить попытку записать рекорд "
                                              "или отказаться от него?")
                                .arg(HolderText(folder)),
                            QMessageBox::NoButton, this);
            box.setObjectName("frmRecordBusy");
            QPushButton* retry = box.addButton(QString::fromUtf8("Повторить"), QMessageBox::AcceptRole);
            box.addButton(QString::fromUtf8("Отказаться"), QMessageBox::DestructiveRole);
            box.setDefaultButton(retry);
            box.setEscapeButton(static_cast<QAbstractButton*>(nullptr));  // Esc gives no record up
            box.exec();
            if (box.clickedButton() == retry) continue;
            ListFilesTable(folder);  // the record given up is gone before the next question
            break;
        }
        const QString why = Why(trouble, folder, hof::Format(hall).size());
        ListFilesTable(folder);  // never listed as saved, not even under the message
        Tell(this, QString::fromUtf8("Рекорд не записан: %1.").arg(why));
        break;
    }
    newRow_.reset();
    if (endAsked_ != EndAsked::None) {
        Form_QueryUnload();
        ExitProgram(0);
    }
}

// The list shows the table as the file has it.
void frmMain::ListFilesTable(const QString& folder) {
    hall = hof::ReadFile(folder).value_or(hof::Table{});
    FillHallOfFameList();
}

// The save waits and syncs aside, the windows repainting meanwhile; while
// another program holds the table the pointer shows that the game is busy,
// and past a few seconds a note says who holds it.
std::optional<hof::Table> frmMain::SaveAside(const QString& folder, hof::SaveTrouble& trouble) {
    savingRecord_ = true;
    saveDeadline_ = Count(SteadyClock::now() + RecordWaitBound);
    bool waited = false;
    QLabel* note = nullptr;
    QTimer noteTimer;
    noteTimer.setSingleShot(true);
    noteTimer.setInterval(std::chrono::duration_cast<std::chrono::milliseconds>(kNoticeAfter));
    connect(&noteTimer, &QTimer::timeout, this, [&] {
        note = new QLabel(QString::fromUtf8("Таблица рекордов занята%1: рекорд будет записан, как только она "
                                            "освободится.")
                              .arg(HolderText(folder)),
                          this);
        note->setObjectName("frmRecordWait");
        windowframe::FixedDialog(note);
        note->setWindowTitle(kTitle);
        note->setWordWrap(true);
        note->setMargin(12);
        note->setFixedWidth(340);
        note->setFixedHeight(note->heightForWidth(340));
        note->show();
    });
    std::optional<hof::Table> saved;
    const hof::Table table = hall;
    const std::optional<hof::NewRow> row = newRow_;
    DoAside([&] {
        saved = hof::Save(
            folder, table, row, {},
            [&] {
                OnWindowThread([&] {
                    waited = true;
                    QApplication::setOverrideCursor(Qt::WaitCursor);
                    noteTimer.start();
                });
            },
            [this] { return Count(SteadyClock::now()) < saveDeadline_.load(); }, &trouble);
    });
    noteTimer.stop();
    delete note;
    if (waited) QApplication::restoreOverrideCursor();
    savingRecord_ = false;
    return saved;
}

// Asked to end while the save waits: it waits a short grace at most.
void frmMain::AskEndDuringSave(EndAsked how) {
    if (endAsked_ != EndAsked::Session) endAsked_ = how;
    const int64_t grace = Count(SteadyClock::now() + kEndGrace);
    if (grace < saveDeadline_.load()) saveDeadline_ = grace;
}

// The end came before the record could be saved: it is kept for the next
// start, and a player who closed the game is told.
void frmMain::EndWithRecordKept(const QString& folder) {
    if (newRow_) {
        const bool kept = KeepRecordForNextStart(folder);
        if (endAsked_ == EndAsked::Close) {
            const QString holder = HolderText(folder);
            Tell(this, kept ? QString::fromUtf8("Рекорд не записан: таблица рекордов занята%1; он будет добавлен в "
                                                "таблицу при следующем запуске игры.")
                                  .arg(holder)
                            : QString::fromUtf8("Рекорд не записан: таблица рекордов занята%1, а сохранить его до "
                                                "следующего запуска негде.")
                                  .arg(holder));
        }
    }
    newRow_.reset();
    Form_QueryUnload();
    ExitProgram(0);
}

// The record kept for the next start, and where, or that it is lost, told
// on the standard error, which the session's journal keeps.
bool frmMain::KeepRecordForNextStart(const QString& folder) {
    const std::optional<QString> kept = pending::Keep(folder, *newRow_);
    const QString record = QString::fromUtf8("рекорд «%1» (%2) не записан в таблицу рекордов в %3")
                               .arg(QString::fromStdString(hof::OneRowName(newRow_->name)),
                                    QString::fromStdString(hof::NumberText(newRow_->score)), folder);
    const QString text = kept ? QString::fromUtf8(
                                    "%1; он сохранён в %2 и будет добавлен в неё при следующем "
                                    "запуске игры")
                                    .arg(record, QDir(*kept).filePath(pending::kFileName))
                              : QString::fromUtf8(
                                    "%1 и потерян: сохранить его до следующего запуска негде "
                                    "(ни в %2, ни в запасной папке)")
                                    .arg(record, PlayersDataFolder());
    std::fprintf(stderr, "gravlok: %s\n", text.toUtf8().constData());
    std::fflush(stderr);
    return kept.has_value();
}
