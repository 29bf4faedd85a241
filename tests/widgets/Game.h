#pragma once
// A game in a folder of its own, with scripted random numbers and a fixed
// clock, and the moves that bring a landing or the end of the game.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <memory>

#include "Scripted.h"
#include "mainwindow/frmMain.h"
#include "platform/folders/ProgramFolder.h"
#include "records/frmStatistic.h"

// A game in a folder of its own, with the given table file.
struct Game {
    QTemporaryDir dir;
    ScriptedRandom rnd{11};
    FixedClock clock{"08:15:00", "06.12.2026"};
    std::unique_ptr<frmMain> w;
    int exits = 0;

    explicit Game(const QByteArray& table = QByteArray()) {
        SetProgramFolder(dir.path());
        if (!table.isNull()) WriteTable(table);
        w = std::make_unique<frmMain>(&rnd, &clock);
        w->ExitProgram = [this](int) { ++exits; };
        w->Form_Load();
        w->tmrDown->SetEnabled(false);
    }
    ~Game() {
        w.reset();
        SetProgramFolder(QString());
    }
    void WriteTable(const QByteArray& b) {
        QFile f(QDir(dir.path()).filePath("GravlokFathers.txt"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(b);
    }
    QByteArray Table() const {
        QFile f(QDir(dir.path()).filePath("GravlokFathers.txt"));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    // The bar lands on the floor in column 4 and the next figure finds the
    // top blocked: the game is over.
    void LandAndEnd() {
        for (int x = 9; x <= 12; ++x)
            for (int y = 0; y <= 3; ++y) w->arrWell.Set(x, y, true);
        Bar(3, 27);
        const int figures = w->iFigureNo;
        for (int i = 0; i < 10 && w->iFigureNo == figures && exits == 0; ++i) w->tmrDown_Timer();
    }
    void Bar(int x, int y) {
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j) w->arrC.Set(i, j, i == 1);
        w->iFigX = static_cast<uint8_t>(x);
        w->iFigY = static_cast<uint8_t>(y);
        w->bDropping = true;
    }
    QStringList Statistic() const {
        QStringList l;
        for (int i = 0; i < w->Statistic()->lstStatistic->count(); ++i)
            l << w->Statistic()->lstStatistic->item(i)->text();
        return l;
    }
};
