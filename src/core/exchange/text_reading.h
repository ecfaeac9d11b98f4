// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// The steps import and append share when they read a separated text.

#include "core/exchange/text_exchange.h"
#include "core/exchange/text_format.h"
#include "core/model/database.h"

#include <QByteArray>

#include <functional>

class QIODevice;
class QString;

namespace kribed {

class CodePageConverter;

class CheckedFile;
class Prompter;

// The error message for a text that cannot be opened or read.
void showOpenError(Prompter &prompter);
// An "Information" question with OK and Cancel: true when answered OK.
bool askToGoOn(Prompter &prompter, const QString &text);
// Opens the file for reading; shows the open error when it cannot. Its reads fail on any disk
// error, so a text is never taken as shorter than it is.
bool openForReading(CheckedFile &file, Prompter &prompter);

// Cuts a value read from a text to what a record can store (MaxValueBytes as the file stores
// it, never inside a character of the converter's code page when one is given); true when it
// was longer. Cut when read, no value can make the grid slow to draw or be cut silently by a save.
bool cutToStoredSize(QByteArray &value, CodePageConverter *converter = nullptr);
// Tells once how many values were cut; nothing when none was.
void reportCutValues(Prompter &prompter, int count);

// The first pass over the text from the device's position on: learns its shape into `check`, lets
// `goOn` ask the caller's questions about it and then returns the device to where the text
// starts. Done when the reading pass may begin; Cancelled when `goOn` said no; Failed when the
// text could not be read (the open error was shown).
ExchangeResult checkTextFirst(QIODevice &device, char separator, Prompter &prompter,
                              const std::function<bool(const FormatCheck &)> &goOn,
                              FormatCheck &check);

// The imported table before it replaces the open database: row 0 the field names.
struct ImportedTable
{
    QVector<Database::Record> rows;
    int fields = 1;

    // Rows for the text's lines (at least 2, at most the field names and MaxRecords records) and
    // columns for its largest separator count (at least 1, at most MaxFields), all empty.
    void shapeFor(const FormatCheck &check);
};

// Makes the table the open database: the reset values, no popup items, no filter, every field a
// String of 90 pixels; the database counts as changed.
void replaceWithImported(Database &database, ImportedTable &table);

} // namespace kribed
