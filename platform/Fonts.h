#pragma once
// The game's layout names Windows fonts; these stand in for them with fonts
// that carry Cyrillic glyphs.
void InstallFontSubstitutes();
