#pragma once
// Helpers of the tests of a record's save at the end of a game: the name
// given, the game's message read, the player's own folders, another
// program holding the table, and a step once the save waits.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "Answers.h"
#include "Game.h"
#include "platform/files/FileLock.h"
#include "platform/folders/DataFolder.h"
#include "records/frmEnterName.h"
#include "records/frmGameOver.h"

inline void EnterName(QDialog* d) {
    auto* n = static_cast<frmEnterName*>(d);
    n->txtName->setText("Zoe");
    QTest::keyClick(n->txtName, Qt::Key_Return);
}

// Takes the game's message down, keeping its text.
inline Answers::Act Read(QString& text) {
    return [&text](QDialog* d) {
        text = static_cast<QMessageBox*>(d)->text();
        d->accept();
    };
}

// A record of 6204 points that the save cannot write: the name given, the
// game's message read into `told`, No to the new-game question. True when every window
// came and was answered.
inline bool EndWithARecordNotWritten(Game& g, QString& told) {
    Answers a;
    a.Expect("frmEnterName", EnterName);
    a.Expect("frmRecordMessage", Read(told));
    a.Expect("frmGameOver", [](QDialog* d) { static_cast<frmGameOver*>(d)->cmdNo->click(); });
    g.w->lngScore = 60000;
    g.LandAndEnd();
    return a.AllAnswered();
}

// The player's own data folder and spare folder, for the records kept for
// the next start.
struct PlayersFolder {
    QTemporaryDir home, spareBase;
    PlayersFolder() {
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        SetSpareFolderBase(spareBase.path());
    }
    ~PlayersFolder() {
        qunsetenv("XDG_DATA_HOME");
        SetSpareFolderBase(QString());
    }
    QString Data() const { return QDir(home.path()).filePath("gravlok"); }
    QString Pending() const { return QDir(Data()).filePath("GravlokPending.txt"); }
};

// Another program holding the table's lock.
inline std::unique_ptr<FileLock> HoldTable(const Game& g) {
    return std::make_unique<FileLock>(QDir(g.dir.path()).filePath("GravlokFathers.txt.lock").toStdString(),
                                      QDir(g.dir.path()).filePath("GravlokFathers.txt").toStdString());
}

// Runs `f` once the save waits (the busy pointer shows), `ms` later.
inline void WhenWaiting(int ms, std::function<void()> f) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, ms, f] {
        if (!QApplication::overrideCursor()) return;
        poll->stop();
        poll->deleteLater();
        QTimer::singleShot(ms, f);
    });
    poll->start(5);
}
