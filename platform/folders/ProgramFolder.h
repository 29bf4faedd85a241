#pragma once
// The program's folder, where the game keeps its files (the hall of fame,
// the settings, the sounds). Tests point it at a folder of their own.
#include <QString>

QString ProgramFolder();
void SetProgramFolder(const QString& dir);  // empty: the folder of the executable
