#pragma once
// The game's layout names Windows fonts. The program folder carries
// metric-compatible TrueType files for Tahoma and MS Sans Serif (in fonts/),
// loaded here so that every text takes the room it was drawn for; Times New
// Roman and Courier New are taken by Liberation Serif and Mono. Without the
// files, fonts with Cyrillic glyphs stand in.
#include <QFont>
#include <QString>
#include <QStringList>

// Reads the desktop's font configuration on a thread of its own, so the
// toolkit's start overlaps it (it is the longest step of the first text);
// called first thing at start-up. InstallFonts waits for it.
void ReadFontConfigAside();

// Loads the font files of `folder`/fonts and sets the substitutes; returns
// the families loaded from the folder.
QStringList InstallFonts(const QString& folder);

// A font of the layout at its size and weight. MS Sans Serif is a bitmap
// face whose file draws one size well (8.25 pt, its 13-pixel strike) and no
// bold: its other sizes and its bold are drawn by Tahoma, the outline face
// made to its metrics, so a bold caption is bold and a bigger one bigger;
// at a display scale other than 100 % Tahoma draws every size (the strike
// is the display's pixels).
// Tahoma's bold is the face made at build time from Wine's Tahoma Bold
// (fonts/tahoma-bold-face.ttf, data/makeboldface.cpp).
QFont LayoutFont(const QString& family, double points, bool bold = false, bool underline = false);
