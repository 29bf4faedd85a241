// Widget tests run on the offscreen platform unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/audio/SoundDevice.h"
#include "platform/desktop/Fonts.h"
#include "platform/folders/ProgramFolder.h"

namespace {
// The offscreen platform's screen is 800 x 600 unless told: the tests' is
// the size of the desktops the game is tried on, 1280 x 1024, so the
// game's places fit on it as on a player's screen.
void UseOffscreenDesktop() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && std::string(platform) != "offscreen") return;
    static QTemporaryDir dir;
    const std::string config = dir.filePath("screens.json").toStdString();
    if (FILE* f = std::fopen(config.c_str(), "w")) {
        std::fputs(R"({"screens": [{"name": "desktop", "x": 0, "y": 0, "width": 1280, "height": 1024,)"
                   R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})",
                   f);
        std::fclose(f);
        setenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).c_str(), 1);
    } else {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
}
}  // namespace

int main(int argc, char** argv) {
    UseOffscreenDesktop();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallFonts(GRAVLOK_BIN_DIR);    // the fonts the program folder carries
    sounddevice::UseLoopback(44100);  // never the speakers
    QTemporaryDir folder;             // the game's files go here, not beside the tests
    SetProgramFolder(folder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
