// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace kribed {

class Database;
class Prompter;
class Regional;

// What the "New Database" dialog gathers, as the user typed it.
struct NewDatabaseChoices
{
    QString name = QStringLiteral("New");
    QString rows = QStringLiteral("10");
    QString columns = QStringLiteral("5");
    QString width = QStringLiteral("60");
    int typeIndex = -1; // the selected field type, -1 for none (taken as String)
};

// The choices once they passed: the shape to build.
struct NewDatabaseShape
{
    QByteArray name;  // as typed, in the code page of the regional rules
    QString filePath; // sanitizeFileName(name) + ".pdb" in the current folder
    int rows = 0;
    int columns = 0;
    int widthUnits = 0;
    int typeIndex = 0;
};

// Checks name, rows, columns and width in that order; the first failure shows its message and
// gives none.
std::optional<NewDatabaseShape> validateNewDatabase(const NewDatabaseChoices &choices,
                                                    Prompter &prompter, const Regional &regional);
// Replaces the database by an empty one of that shape (see createNewDatabase).
void buildNewDatabase(const NewDatabaseShape &shape, Database &database);

// Validates the choices (name, rows, columns, width, in that order; the first failure shows its
// message and returns false with the database untouched) and then replaces the database by an
// empty one of that shape: reset values, fields "Field 1".."Field m" of the chosen type and
// width, empty records, the name as typed (bytes in the code page of `regional`), the path
// sanitizeFileName(name) + ".pdb" in the current folder, modified flag clear.
bool createNewDatabase(const NewDatabaseChoices &choices, Database &database, Prompter &prompter,
                       const Regional &regional);

// The text with each of " * / : < > ? \ | replaced by an underscore; nothing else changes.
QString sanitizeFileName(const QString &text);

} // namespace kribed
