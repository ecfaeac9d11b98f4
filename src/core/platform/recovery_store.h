// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QIODevice;
class QLockFile;

namespace kribed {

// The file a database's unsaved changes belong to, as it was when the database was read from it
// or last saved to it: so that a later start can tell whether someone changed it since.
struct RecoveryOrigin
{
    QString path;       // empty: the database has no file yet
    qint64 size = -1;   // -1: there was no such file
    QDateTime modified; // invalid: there was no such file

    // The file at `path` as it is now.
    static RecoveryOrigin of(const QString &path);
    friend bool operator==(const RecoveryOrigin &a, const RecoveryOrigin &b)
    {
        return a.path == b.path && a.size == b.size && a.modified == b.modified;
    }
};

enum class OriginState {
    NoFile,    // the database had no file (or a name no file had yet, and still has none)
    Unchanged, // the file is as it was
    Changed,   // its size or modification time differ, or a file of a new name appeared
    Gone,      // it is no longer there
};
OriginState originState(const RecoveryOrigin &origin);

// One recovery file: a short text header (what it belongs to, when it was written, the regional
// formats chosen for it, how many bytes follow), then the database exactly as a save would write
// it, then a line with the checksum of everything before it. (Files of the first version have no
// formats and no checksum; they are still read.)
struct RecoveryData
{
    RecoveryOrigin origin;
    QDateTime written;
    QString formats; // the locale name of the formats chosen; empty: the desktop's
    // Which snapshot this is, and the last journal change it holds (recovery_journal.h).
    quint64 generation = 0;
    quint64 sequence = 0;
    QByteArray database;
};

QByteArray recoveryHeader(const RecoveryData &data, qint64 databaseBytes);
// The last line: the checksum of the header and the database.
QByteArray recoveryTrailer(quint32 checksum);
// The whole file: header, database, checksum.
QByteArray recoveryFileBytes(const RecoveryData &data);

// CRC-32 (the polynomial of zip and PNG), continued from `crc` over `bytes`.
quint32 crc32(const char *bytes, qint64 size, quint32 crc = 0);
inline quint32 crc32(const QByteArray &bytes, quint32 crc = 0)
{
    return crc32(bytes.constData(), bytes.size(), crc);
}

// What a recovery file holds. A file that is cut short, longer than its header says, whose
// checksum does not match or that is not a recovery file at all is damaged: `problem` says how.
struct RecoveryReading
{
    RecoveryData data;
    QString problem; // empty: the file is whole
};
RecoveryReading parseRecovery(const QByteArray &bytes);
RecoveryReading readRecoveryFile(const QString &path);

// Writes the recovery file through safeWriteFile, so that a kill at any moment leaves the
// previous file or the new one, each complete. Touches nothing but the file: runs on any thread.
bool writeRecoveryFile(const QString &path, const RecoveryData &data, QString *error = nullptr);

// Where the recovery data of every running program lives: "recovery" in the user's application
// data folder.
QString defaultRecoveryRoot();

// The recovery data of one running program: a folder of its own below the root, and beside it a
// lock file (QLockFile) that says the program still runs. The lock is made before the folder, so
// a program looking for data left behind never takes a folder being made for one that has not
// locked it yet.
class RecoverySlot
{
public:
    ~RecoverySlot(); // unlocks; the data stays

    // A new slot below `root` (made if missing), locked; null when the folder or the lock cannot
    // be made, with the reason in `error`.
    static std::unique_ptr<RecoverySlot> create(const QString &root, QString *error = nullptr);

    QString folder() const { return mFolder; }
    QString dataPath() const;
    // Removes the data, what a killed write left beside it, the folder and the lock. False when
    // the data could not be removed: then the slot stays as it was, locked.
    bool remove();

private:
    friend std::vector<std::unique_ptr<RecoverySlot>> orphanedRecoverySlots(const QString &root);
    RecoverySlot(QString folder, std::unique_ptr<QLockFile> lock);

    QString mFolder;
    std::unique_ptr<QLockFile> mLock;
};

// The slots below `root` whose program no longer runs, oldest data first. Each comes locked, so
// another program starting at the same time does not offer it too. Slots that hold no data (a
// program that ended before its first write) and locks without a folder are removed on the way.
std::vector<std::unique_ptr<RecoverySlot>> orphanedRecoverySlots(const QString &root);

} // namespace kribed
