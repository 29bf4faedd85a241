#include "Fonts.h"

#include <QDir>
#include <QFont>
#include <QFontDatabase>

QStringList InstallFonts(const QString& folder) {
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
