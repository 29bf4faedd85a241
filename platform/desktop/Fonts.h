#pragma once
// The game's layout names Windows fonts. The program folder carries
// metric-compatible TrueType files for Tahoma and MS Sans Serif (in fonts/),
// loaded here so that every text takes the room it was drawn for; Times New
// Roman and Courier New are taken by Liberation Serif and Mono. Without the
// files, fonts with Cyrillic glyphs stand in.
#include <QString>
#include <QStringList>

// Loads the font files of `folder`/fonts and sets the substitutes; returns
// the families loaded from the folder.
QStringList InstallFonts(const QString& folder);
