#pragma once
// Where the game keeps its two files: beside the program when the player may
// write its folder (a portable copy, a shared network folder), otherwise in
// the player's own data folder ($XDG_DATA_HOME/gravlok, by default
// ~/.local/share/gravlok), for an install under /usr or /opt.
#include <QString>
#include <optional>
#include <string>

QString DataFolder();
// The hall of fame's folder: the data folder, except for the installed game
// whose table writer stands beside it, set-group-ID: then the folder every
// account of the computer shares, /var/games/gravlok.
QString TableFolder();
// The program that writes the shared table for the player, when the table
// is the shared one (see TableFolder); nothing otherwise.
std::optional<std::string> SharedTableWriter();
// The same, when `dir` is the shared table's folder; nothing for any other.
std::optional<std::string> SharedTableWriterFor(const QString& dir);
// Tests put the shared table and its writer elsewhere, a writer that needs
// no group (an empty folder: as installed).
void SetSharedTable(const QString& folder, const QString& writer);
// The player's own data folder, wherever the two files live (made if need be).
QString PlayersDataFolder();
// Whether the files live beside the program: decided at the first call for
// a program folder and kept for the run.
bool DataBesideProgram();

// A folder of the player's alone outside his data folder, for a record that
// must outlive the program when the data folder cannot take it:
// /var/tmp/gravlok-UID (kept across restarts), made with mode 700 when
// `make` says so; nothing when it is not a folder of the player's that only
// he may enter.
std::optional<QString> SpareDataFolder(bool make);
// Tests put it elsewhere (the folder that stands for /var/tmp).
void SetSpareFolderBase(const QString& base);
