// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/recovery_snapshot.h"

#include "core/model/pdb_writer.h"
#include "core/platform/checked_file.h"
#include "core/platform/prompter.h"
#include "core/platform/recovery_journal.h"
#include "core/platform/safe_file.h"

#include <QBuffer>
#include <QTimeZone>

namespace kribed {

namespace {

// The writer's one message ("Too much popups!") is the user's business at the next save, not
// at a write nobody asked for.
class QuietPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

QString refusedText()
{
    return QStringLiteral("the database cannot be written as it stands");
}

// Passes every byte on to the file and adds it to the checksum on the way, so that the checksum
// line can follow the database without the database ever being held whole.
class ChecksummingDevice : public QIODevice
{
public:
    explicit ChecksummingDevice(QIODevice &target)
        : mTarget(target)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }
    quint32 checksum() const { return mChecksum; }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        const qint64 written = mTarget.write(data, size);
        if (written > 0)
            mChecksum = crc32(data, written, mChecksum);
        return written;
    }

private:
    QIODevice &mTarget;
    quint32 mChecksum = 0;
};

RecoveryData headerDataOf(const RecoverySnapshot &snapshot)
{
    RecoveryData data;
    data.origin = snapshot.origin;
    data.written = snapshot.taken;
    data.formats = snapshot.formats;
    data.generation = snapshot.generation;
    data.sequence = snapshot.sequence;
    return data;
}

} // namespace

RecoverySnapshot takeRecoverySnapshot(const Database &database, int currentColumn,
                                      const RecoveryOrigin &origin, const QString &formats)
{
    return {database, currentColumn, origin, QDateTime::currentDateTimeUtc(), formats, 0, 0};
}

bool recoveryDataOf(RecoverySnapshot &snapshot, RecoveryData &data, QString *error)
{
    data = headerDataOf(snapshot);
    QBuffer buffer(&data.database);
    buffer.open(QIODevice::WriteOnly);
    QuietPrompter quiet;
    if (!writeDatabase(buffer, snapshot.database, snapshot.currentColumn,
                       snapshot.taken.toLocalTime(), quiet)) {
        if (error)
            *error = refusedText();
        return false;
    }
    return true;
}

// The database goes from the writer straight into the file: built in memory first, its bytes
// would be copied into a growing buffer and once more on their way to the disk, about a quarter
// of the disk's own time at the largest size.
bool writeRecoverySnapshot(const QString &path, RecoverySnapshot snapshot, QString *error)
{
    QuietPrompter quiet;
    bool refused = false;
    const auto writeFile = [&](QIODevice &file) {
        ChecksummingDevice device(file);
        bool announced = false;
        const auto writeHeader = [&](qint64 databaseBytes) {
            announced = true;
            const QByteArray header = recoveryHeader(headerDataOf(snapshot), databaseBytes);
            return device.write(header) == header.size();
        };
        const bool written = writeDatabase(device, snapshot.database, snapshot.currentColumn,
                                           snapshot.taken.toLocalTime(), quiet, writeHeader);
        refused = !written && !announced;
        const QByteArray trailer = recoveryTrailer(device.checksum());
        return written && file.write(trailer) == trailer.size();
    };
    const bool written = safeWriteFile(path, QString(), writeFile, error);
    if (refused && error)
        *error = refusedText();
    return written;
}

namespace {

// Applies one change when every cell it names exists; false changes nothing.
bool applyEntry(const JournalEntry &entry, RecoveryData &data, Database &database)
{
    if (entry.kind == JournalEntry::Kind::Formats) {
        data.formats = entry.formats;
        return true;
    }
    if (entry.kind != JournalEntry::Kind::Cells)
        return false;
    for (const JournalEntry::Cell &cell : entry.cells) {
        if (cell.field < 1 || cell.field > database.fieldCount() || cell.record < 1
            || cell.record > database.recordCount())
            return false;
    }
    for (const JournalEntry::Cell &cell : entry.cells)
        database.setCell(cell.field, cell.record, cell.text);
    return true;
}

} // namespace

JournalReplay replayJournals(const QString &folder, RecoveryData &data, Database &database)
{
    QList<QPair<quint64, QByteArray>> journals;
    for (const quint64 generation : journalGenerations(folder)) {
        if (generation < data.generation)
            continue; // held by the snapshot already
        CheckedFile file(folder + u'/' + journalFileName(generation));
        QByteArray bytes = file.openForReading() ? file.readAll() : QByteArray();
        // What cannot be read whole counts as cut short where the reading failed.
        journals.append({generation, std::move(bytes)});
        if (file.readFailed())
            break;
    }
    return replayJournalBytes(journals, data, database);
}

JournalReplay replayJournalBytes(const QList<QPair<quint64, QByteArray>> &journals,
                                 RecoveryData &data, Database &database)
{
    JournalReplay replay;
    quint64 next = data.sequence + 1;
    for (const auto &[generation, bytes] : journals) {
        if (generation < data.generation)
            continue;
        const JournalReading reading = readJournal(bytes, generation);
        for (const JournalEntry &entry : reading.entries) {
            if (entry.sequence < next)
                continue;
            if (entry.sequence > next || !applyEntry(entry, data, database)) {
                replay.stoppedEarly = true;
                return replay;
            }
            ++next;
            ++replay.applied;
            replay.lastChange = QDateTime::fromMSecsSinceEpoch(entry.timeMs, QTimeZone::utc());
        }
        // A journal cut short ends the changes: a later one cannot follow on from it. (A journal
        // made empty by a kill before its first bytes holds nothing and stops nothing more.)
        if (!reading.whole) {
            replay.stoppedEarly = !bytes.isEmpty();
            return replay;
        }
    }
    return replay;
}

LoadResult readRecoveredDatabase(const QByteArray &bytes, const QString &path, Database &database,
                                 Prompter &prompter)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readDatabase(buffer, path, database, prompter);
}

} // namespace kribed
