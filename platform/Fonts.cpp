#include "Fonts.h"

#include <QFont>

void InstallFontSubstitutes() {
    QFont::insertSubstitution("Tahoma", "DejaVu Sans");
    QFont::insertSubstitution("MS Sans Serif", "DejaVu Sans");
    QFont::insertSubstitution("Times New Roman", "Liberation Serif");
    QFont::insertSubstitution("Courier New", "Liberation Mono");
}
