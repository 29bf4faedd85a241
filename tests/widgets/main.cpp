// Widget tests run on the offscreen platform unless told otherwise.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <cstdlib>

#include "platform/audio/SoundDevice.h"
#include "platform/desktop/Fonts.h"
#include "platform/folders/ProgramFolder.h"

int main(int argc, char** argv) {
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallFonts(GRAVLOK_BIN_DIR);    // the fonts the program folder carries
    sounddevice::UseLoopback(44100);  // never the speakers
    QTemporaryDir folder;             // the game's files go here, not beside the tests
    SetProgramFolder(folder.path());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
