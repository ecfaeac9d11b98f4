// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/recovery_snapshot.h"
#include "core/platform/prompter.h"
#include "core/platform/recovery_journal.h"
#include "core/platform/recovery_store.h"
#include "fuzz_doubles.h"

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

namespace {

// Gives every entry the checksum it would have, so that the entries' contents are reached and
// not only the checksum's refusal.
void fixEntryChecksums(QByteArray &journal, quint64 generation)
{
    char generationBytes[8];
    qToBigEndian(generation, generationBytes);
    const quint32 start = kribed::crc32(generationBytes, 8);
    qsizetype at = 16;
    while (at + 8 <= journal.size()) {
        const quint32 length = qFromBigEndian<quint32>(journal.constData() + at);
        if (quint64(journal.size() - at - 8) < length)
            break;
        qToBigEndian(kribed::crc32(journal.constData() + at + 8, length, start),
                     journal.data() + at + 4);
        at += 8 + length;
    }
}

} // namespace

// Bytes as what a start finds in a recovery folder: [flags][2-byte length][snapshot][journal].
// Flag 1: the snapshot part is a database, wrapped in a whole recovery file (else it is read as
// the file itself); flag 2: the journal starts with a whole header; flag 4: its entries carry
// their right checksums; the flag byte's high bits give the generation. The reader must refuse
// what is damaged, never crash, and the journal must never change the database's shape.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const int flags = data[0];
    const size_t snapshotSize = qMin<size_t>(size - 3, size_t(data[1]) << 8 | data[2]);
    QByteArray snapshot(reinterpret_cast<const char *>(data + 3), qsizetype(snapshotSize));
    QByteArray journal(reinterpret_cast<const char *>(data + 3 + snapshotSize),
                       qsizetype(size - 3 - snapshotSize));
    const quint64 generation = quint64(flags >> 3);
    if (flags & 1) {
        kribed::RecoveryData wrapped;
        wrapped.written = QDateTime::fromMSecsSinceEpoch(0, QTimeZone::utc());
        wrapped.generation = generation;
        wrapped.database = snapshot;
        snapshot = kribed::recoveryFileBytes(wrapped);
    }
    if (flags & 2)
        journal.prepend(kribed::journalFileHeader(generation));
    if (flags & 4)
        fixEntryChecksums(journal, generation);

    kribed::RecoveryReading reading = kribed::parseRecovery(snapshot);
    if (!reading.problem.isEmpty()) {
        if (!reading.data.database.isEmpty())
            __builtin_trap(); // a damaged file hands out no database
        return 0;
    }
    kribed::Database database;
    kribed::fuzz::CancellingPrompter quiet;
    if (kribed::readRecoveredDatabase(reading.data.database, QString(), database, quiet)
        != kribed::LoadResult::Loaded)
        return 0;
    const int fields = database.fieldCount();
    const int records = database.recordCount();
    const kribed::JournalReplay replay =
        kribed::replayJournalBytes({{generation, journal}}, reading.data, database);
    if (database.fieldCount() != fields || database.recordCount() != records || replay.applied < 0)
        __builtin_trap();
    return 0;
}
