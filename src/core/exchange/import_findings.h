// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What an import plan says before anything is written: the limits it meets, the problems of its
// input, and the field names as the file will hold them. The import preview shows these lines and
// kribed-cli's --plan prints them.

#include "core/exchange/import_plan.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace kribed {

// The bytes a field name keeps in the file.
constexpr int StoredFieldNameBytes = 20;

// Row 0 of an import plan as the file will hold the names: each cut to the bytes a name keeps.
QByteArrayList writtenFieldNames(const ImportPlan &plan);

struct ImportFindings
{
    QStringList limits;     // records, fields and values over what a database takes
    QStringList problems;   // the input's: empty, binary, not in its encoding, names
    bool importable = true; // false: nothing sensible can be imported (the error, an empty file)
};

// `fileStart`: the first bytes of the file (empty for a SQLite table), where a binary file shows.
// `readsUtf8`: the text is decoded as UTF-8 (standard CSV in UTF-8); else a file whose bytes are
// UTF-8 beyond ASCII is named, since it is read byte by byte.
ImportFindings findingsOf(const ImportPlan &plan, const QByteArray &fileStart,
                          bool readsUtf8 = true);

} // namespace kribed
