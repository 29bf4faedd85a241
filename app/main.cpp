#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>

#include "FirstShowing.h"
#include "StartupProbe.h"
#include "mainwindow/GameIcon.h"
#include "mainwindow/frmMain.h"
#include "platform/audio/SoundDevice.h"
#include "platform/desktop/Display.h"
#include "platform/desktop/EndSignals.h"
#include "platform/desktop/Fonts.h"
#include "platform/folders/ProgramFolder.h"
#include "platform/runtime/StartupSteps.h"

int main(int argc, char** argv) {
    startupsteps::Mark("main: the libraries loaded");
    if (!display::Choose()) {
        std::fprintf(stderr, "%s\n", display::NoDisplayMessage());
        return 1;
    }
    // The font configuration is read while the toolkit connects to the display.
    ReadFontConfigAside();
    QApplication app(argc, argv);
    startupsteps::Mark("the toolkit connected to the display");
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    startupsteps::Mark("the style");
    InstallFonts(ProgramFolder());
    startupsteps::Mark("the fonts");
    // The sound output is opened aside once the window is up (the wave
    // files' library loads meanwhile); the music starts the moment it is.
    sounddevice::OpenInBackground();
    startupsteps::Mark("the sound output's opening started aside");
    frmMain w;
    startupsteps::Mark("the main window's controls");
    w.Form_Load();
    startupsteps::Mark("Form_Load");
    w.winId();  // the window exists now, so its first showing can be watched
    startupprobe::Watch(w.windowHandle());
    // Once the window is on the screen the sound output is opened, and once
    // it is drawn the desktop gets the game's picture in every size.
    FirstShowing::Then(w.windowHandle(), [&w] {
        sounddevice::WindowShown();
        QTimer::singleShot(0, &w, [&w] { w.setWindowIcon(GameIcon()); });
    });
    w.show();
    startupsteps::Mark("shown");
    w.picGravlok->setFocus();
    // Ended by the desktop: the settings are written as by the close box.
    endsignals::Install([&w] { w.EndBySession(); }, [&w] { w.SaveSettings(); });
    return app.exec();
}
