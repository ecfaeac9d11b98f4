// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "scripted_prompter.h"

#include <QBuffer>
#include <QByteArray>
#include <QList>
#include <QString>

namespace kribed::test {

inline const QString Conversion = QStringLiteral(
    "This database created by Kribo 3 will be converted into the Kribo pro format. \n"
    "Please note, that the changes don't come up in Kribo 3.");

// Reads `file` as if it were the file at `path`.
inline LoadResult load(const QByteArray &file, Database &database, Prompter &prompter,
                       const QString &path = QStringLiteral("/data/Test.pdb"))
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return readDatabase(buffer, path, database, prompter);
}

inline void expectConversion(ScriptedPrompter &prompter)
{
    prompter.expect(QStringLiteral("Information"), Conversion, Icon::Warning, Buttons::Ok,
                    Answer::Ok);
}

inline QList<QByteArray> row(const Database &database, int record)
{
    return database.recordAt(record).toList();
}

} // namespace kribed::test
