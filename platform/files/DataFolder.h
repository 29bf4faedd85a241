#pragma once
// Where the game keeps its two files: beside the program when the player may
// write its folder (a portable copy, a shared network folder), otherwise in
// the player's own data folder ($XDG_DATA_HOME/gravlok, by default
// ~/.local/share/gravlok), for an install under /usr or /opt.
#include <QString>

QString DataFolder();
// The player's own data folder, wherever the two files live (made if need be).
QString PlayersDataFolder();
// Whether the files live beside the program.
bool DataBesideProgram();
