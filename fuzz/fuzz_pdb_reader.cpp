// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"
#include "fuzz_doubles.h"

#include <QBuffer>
#include <QDateTime>

#include <cstdint>
#include <cstdlib>

// Reads the input as a database file; whatever loads must save, and the saved file must load
// again with the same shape.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QBuffer input;
    input.setData(reinterpret_cast<const char *>(data), qsizetype(size));
    input.open(QIODevice::ReadOnly);
    kribed::fuzz::GoingOnPrompter prompter;
    kribed::Database database;
    if (kribed::readDatabase(input, QStringLiteral("/fuzz/input.pdb"), database, prompter)
        != kribed::LoadResult::Loaded)
        return 0;

    QBuffer output;
    output.open(QIODevice::WriteOnly);
    const QDateTime saveTime(QDate(2024, 1, 1), QTime(0, 0));
    if (!kribed::writeDatabase(output, database, 1, saveTime, prompter))
        std::abort();

    QBuffer saved;
    saved.setData(output.data());
    saved.open(QIODevice::ReadOnly);
    kribed::Database again;
    if (kribed::readDatabase(saved, QStringLiteral("/fuzz/saved.pdb"), again, prompter)
            != kribed::LoadResult::Loaded
        || again.fieldCount() != database.fieldCount()
        || again.recordCount() != database.recordCount())
        std::abort();
    return 0;
}
