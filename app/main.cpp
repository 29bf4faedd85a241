#include <QApplication>
#include <QStyleFactory>
#include <cstdio>

#include "StartupProbe.h"
#include "mainwindow/frmMain.h"
#include "platform/audio/SoundDevice.h"
#include "platform/desktop/Display.h"
#include "platform/desktop/EndSignals.h"
#include "platform/desktop/Fonts.h"
#include "platform/folders/ProgramFolder.h"

int main(int argc, char** argv) {
    if (!display::Choose()) {
        std::fprintf(stderr, "%s\n", display::NoDisplayMessage());
        return 1;
    }
    // The font configuration is read while the toolkit connects to the display.
    ReadFontConfigAside();
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    InstallFonts(ProgramFolder());
    // The sound server is reached while the windows are built; the music
    // starts the moment it answers.
    sounddevice::OpenInBackground();
    frmMain w;
    w.Form_Load();
    w.winId();  // the window exists now, so its first showing can be watched
    StartupProbe::Watch(w.windowHandle());
    w.show();
    w.picGravlok->setFocus();
    // Ended by the desktop: the settings are written as by the close box.
    endsignals::Install([&w] { w.EndBySession(); }, [&w] { w.SaveSettings(); });
    return app.exec();
}
