// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDateTime>
#include <QString>

#include <functional>

class QIODevice;

namespace kribed {

class Database;
class Prompter;

enum class SaveMode {
    OwnFile,    // Save: the database's own file, with the ".pd_" backup
    ChosenName, // Save as: a name chosen in the save dialog, with the ".pd_" backup
    Copy,       // a copy to a path (the handheld install): no backup, path and flag untouched
};

// Writes the whole Kribo pro file to the device. `currentColumn` is the grid's current column
// (field number), written into the primary sort word. Shows "Too much popups!" once when the popup
// lists do not fit. Returns false when the device refused a write, and without writing anything
// when a popup list holds an item that the file would read as a list header.
bool writeDatabase(QIODevice &device, Database &database, int currentColumn,
                   const QDateTime &saveTime, Prompter &prompter);
// The same file, for a caller that puts something ahead of it which must say how long the file is
// (the recovery data's header): `beforeFile` is called once with the file's length in bytes, before
// the first byte of the file goes to the device, and may write to the device itself. False when
// `beforeFile` returns false (nothing of the file is written then), when the database is refused
// (`beforeFile` is not called then), when the device refused a write, and when the file did not
// come out at the length announced.
bool writeDatabase(QIODevice &device, Database &database, int currentColumn,
                   const QDateTime &saveTime, Prompter &prompter,
                   const std::function<bool(qint64 fileBytes)> &beforeFile);

// The name a chosen Save-as name is saved under: its extension replaced by (or extended with)
// ".pdb".
QString pdbFileName(const QString &chosenName);
// The backup name of a database file: its extension replaced by ".pd_".
QString backupFileName(const QString &fileName);

// Saves through safeWriteFile: only a complete, synced file replaces the target (a link's final
// file), and for OwnFile and ChosenName the previous file becomes the ".pd_" backup beside the
// given name. On any failure the "Save error" box is shown once, false is returned, and the target
// and its backup are as they were. `fileName` is ignored for OwnFile (the database's file path is
// used); for ChosenName it is the name already passed through pdbFileName.
bool saveDatabase(Database &database, SaveMode mode, const QString &fileName, int currentColumn,
                  Prompter &prompter);

} // namespace kribed
