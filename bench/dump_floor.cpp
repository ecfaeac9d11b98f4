// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The floor of kribed-cli's dump as a whole process: it starts as the tool does (Qt Core and an
// application object), loads the database as the tool does, and writes the given number of bytes
// to its standard output in large writes. What dump needs beyond this is its own work: turning
// the cells into JSON.
//   dump_floor FILE BYTES
#include "bench_doubles.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/platform/prompter.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <unistd.h>

using namespace kribed;

namespace {

// Writes `total` bytes taken from `bytes` over and over; false when the output refused some.
bool writeBytes(const QByteArray &bytes, qint64 total)
{
    constexpr qint64 Piece = 1 << 20;
    QByteArray piece(Piece, '\n');
    for (qint64 at = 0; at < Piece; ++at)
        piece[at] = bytes.isEmpty() ? '\n' : bytes.at(at % bytes.size());
    while (total > 0) {
        const qint64 size = std::min(total, Piece);
        const ssize_t written = ::write(STDOUT_FILENO, piece.constData(), size_t(size));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        total -= written;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString path = QFile::decodeName(argv[1]);
    bool ok = false;
    const qint64 total = QByteArray(argv[2]).toLongLong(&ok);
    if (!ok || total < 0)
        return 2;
    Database database;
    bench::OkPrompter prompter;
    if (loadDatabaseFile(path, database, prompter, OpenAccess::ReadOnly) != LoadResult::Loaded)
        return 1;
    // Bytes of the first record's texts, so the output is not one repeated byte.
    const Database::Record &first = database.records().value(0);
    QByteArray sample;
    for (qsizetype i = 0; i < first.size(); ++i)
        sample += first.view(i).toByteArray() + '\n';
    return writeBytes(sample, total) ? 0 : 1;
}
