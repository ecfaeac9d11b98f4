// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVector>

#include <functional>

namespace kribed {

// The changes made after a recovery snapshot, appended one by one to a journal beside it, so
// that a kill costs none of them while the whole database is written only now and then.
//
// Every snapshot has a generation (1, 2, ...) and says the sequence number of the last change it
// holds. A journal file belongs to one generation ("journal-<generation>") and holds the changes
// made after that generation's snapshot was taken, numbered on from it. A snapshot being written
// leaves the journals of earlier generations in place: until it is complete, the changes reach
// the last complete snapshot through them, entry after entry. Each entry carries a checksum over
// its generation and its bytes, so that an entry that was cut by a kill, damaged, or put into
// another generation's file is never applied; reading stops at the first such entry.
struct JournalEntry
{
    enum class Kind : quint8 {
        Cells = 1,   // cells that now hold these texts
        Formats = 2, // the regional formats chosen (a locale name; empty: the desktop's)
        Barrier = 3, // a change the journal does not hold: nothing after it may be applied
    };
    struct Cell
    {
        int field = 0;
        int record = 0;
        QByteArray text;
    };

    Kind kind = Kind::Cells;
    quint64 sequence = 0;
    qint64 timeMs = 0; // when the change was made, milliseconds since the epoch (UTC)
    QVector<Cell> cells;
    QString formats;
};

// The first bytes of a journal file of the generation.
QByteArray journalFileHeader(quint64 generation);
// One entry as it is appended to a journal file of the generation.
QByteArray encodeJournalEntry(quint64 generation, const JournalEntry &entry);

// The entries of a journal file, in order, up to the first one that is cut short or does not
// check; `whole` is false when reading stopped before the end of the bytes.
struct JournalReading
{
    bool headerRead = false; // the file starts as a journal of the generation it is named for
    QVector<JournalEntry> entries;
    bool whole = true;
};
JournalReading readJournal(const QByteArray &bytes, quint64 generation);

QString journalFileName(quint64 generation);
// The generations of the journal files in `folder`, lowest first.
QList<quint64> journalGenerations(const QString &folder);
// The journal files in `folder` of generations below `generation` go.
void removeJournalsBefore(const QString &folder, quint64 generation);
// Every journal file in `folder` goes; false when one stays.
bool removeJournals(const QString &folder);

// The journal file being appended to. Each entry goes to the file in one write, so that a kill
// leaves it whole or cut short, never mixed with another; syncing is a job for another thread.
class JournalAppender
{
public:
    JournalAppender() = default;
    ~JournalAppender() { close(); }
    JournalAppender(const JournalAppender &) = delete;
    JournalAppender &operator=(const JournalAppender &) = delete;

    // Makes (or empties) the journal file of the generation and writes its header.
    bool open(const QString &path, quint64 generation, QString *error = nullptr);
    bool isOpen() const { return mDescriptor >= 0; }
    quint64 generation() const { return mGeneration; }
    // False when the entry did not reach the file whole: the file is closed then, since an entry
    // cut short ends what can be read of it.
    bool append(const QByteArray &entry);
    // A job that brings what was appended so far to the disk; it owns its own handle, so it may
    // run after the file was closed. Empty when nothing is open.
    std::function<void()> syncJob() const;
    void close();

private:
    int mDescriptor = -1;
    quint64 mGeneration = 0;
};

} // namespace kribed
