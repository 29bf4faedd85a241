// The game deep into a long run, for screenshots: level 10, a Gravlok bonus
// sum and a gap to the next place of five digits each, against a table with
// seven-digit scores. Started in the folder given as its argument.
#include <QApplication>
#include <QFile>
#include <QStyleFactory>

#include "mainwindow/frmMain.h"
#include "platform/audio/SoundDevice.h"
#include "platform/desktop/Fonts.h"
#include "platform/folders/ProgramFolder.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallFonts(QCoreApplication::applicationDirPath() + "/../bin");
    if (argc > 1) SetProgramFolder(argv[1]);
    QFile table(ProgramFolder() + "/GravlokFathers.txt");
    if (table.open(QIODevice::WriteOnly))
        table.write("Champion\r\n2468024\r\nVeteran\r\n1357913\r\nRunner\r\n84321\r\nPlumo\r\n0\r\n");
    table.close();
    frmMain w;
    w.Form_Load();
    w.chkPause->setChecked(true);  // still: the picture does not change under the camera
    for (int i = 0; i < 90; ++i) w.LevelStep();
    w.lngScore = 684560;
    w.lngGravlokBonus = 123450;
    w.SetCaption(Label::Score, std::to_string(GameCore::Shown(w.lngScore)));
    w.SetCaption(Label::SumBonus, "  Gravlok Bonus : " + std::to_string(GameCore::Shown(w.lngGravlokBonus)));
    w.SetCaption(Label::CountLines1, "1-Lines*212 = 58300");
    w.SetCaption(Label::CountLines2, "2-Lines*131 = 104800");
    w.SetCaption(Label::CountLines3, "3-Lines*74 = 164650");
    w.SetCaption(Label::CountLines4, "4-Lines*38 = 190000");
    w.UpdateRanking(GameCore::Shown(w.lngScore));
    w.chkPause->setChecked(false);
    w.chkPause->setChecked(true);
    w.show();
    return app.exec();
}
