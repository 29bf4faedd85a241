#include <fontconfig/fontconfig.h>

#include <thread>

#include "Fonts.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>

namespace {
std::thread& FontConfigReader() {
    static std::thread t;
    return t;
}
}  // namespace

void ReadFontConfigAside() {
    if (!FontConfigReader().joinable()) FontConfigReader() = std::thread([] { FcInit(); });
}

QStringList InstallFonts(const QString& folder) {
    if (FontConfigReader().joinable()) FontConfigReader().join();
    QStringList families;
    const QDir dir(QDir(folder).filePath("fonts"));
    for (const QString& file : dir.entryList({"*.ttf"}, QDir::Files, QDir::Name)) {
        const int id = QFontDatabase::addApplicationFont(dir.filePath(file));
        if (id < 0) continue;
        for (const QString& family : QFontDatabase::applicationFontFamilies(id))
            if (!families.contains(family)) families << family;
    }
    // Used only for a family that is not there.
    QFont::insertSubstitution("Tahoma", "DejaVu Sans");
    QFont::insertSubstitution("MS Sans Serif", "DejaVu Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    QFont::insertSubstitution("Courier New", "Liberation Mono");
    return families;
}

QFont LayoutFont(const QString& family, double points, bool bold, bool underline) {
    constexpr double kBitmapPoints = 8.25;
    // Its strike is pixels of the display: at another display scale the
    // strike's glyphs would stand apart at the scaled advances.
    const bool bitmapDrawsIt = !bold && points <= kBitmapPoints + 0.01 && qGuiApp && qGuiApp->devicePixelRatio() == 1.0;
    QFont f(family == "MS Sans Serif" && !bitmapDrawsIt ? QStringLiteral("Tahoma") : family);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setUnderline(underline);
    return f;
}
