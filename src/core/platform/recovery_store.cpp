// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/recovery_store.h"

#include "core/platform/checked_file.h"
#include "core/platform/recovery_journal.h"
#include "core/platform/safe_file.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

#include <algorithm>
#include <array>

namespace kribed {

namespace {

// Version 2 added the formats and the checksum line; version 1 is still read.
const QByteArray Magic = QByteArrayLiteral("Kribed recovery 2");
const QByteArray FirstMagic = QByteArrayLiteral("Kribed recovery 1");
const QByteArray ChecksumKey = QByteArrayLiteral("checksum: ");
const QString DataName = QStringLiteral("database.recovery");
const QString LockSuffix = QStringLiteral(".lock");

QString problemText(const char *text)
{
    return QCoreApplication::translate("Recovery", text);
}

// Times go in UTC with milliseconds, so a file's modification time compares exactly.
QByteArray timeText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs).toUtf8() : QByteArray();
}

QDateTime timeOf(const QByteArray &text)
{
    return text.isEmpty() ? QDateTime()
                          : QDateTime::fromString(QString::fromUtf8(text), Qt::ISODateWithMs);
}

// A lock that a program which ended has left is taken over; one of a running program is not.
// Qt counts a lock as stale after 30 seconds unless told otherwise: these last a whole run.
std::unique_ptr<QLockFile> lockOf(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    lock->setStaleLockTime(0);
    return lock;
}

bool removeFolderContents(const QString &folder)
{
    QDir dir(folder);
    bool removed = true;
    const QStringList names = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        if (name.startsWith(safeWriteLeftoverPrefix()))
            removed = dir.remove(name) && removed;
    }
    return removed;
}

// Eight tables: the checksum takes eight bytes a step (the whole database is checksummed at
// every snapshot, on the write thread).
using CrcTables = std::array<std::array<quint32, 256>, 8>;

CrcTables makeCrcTables()
{
    CrcTables tables{};
    for (quint32 n = 0; n < 256; ++n) {
        quint32 c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        tables[0][n] = c;
    }
    for (quint32 n = 0; n < 256; ++n) {
        for (size_t t = 1; t < tables.size(); ++t)
            tables[t][n] = (tables[t - 1][n] >> 8) ^ tables[0][tables[t - 1][n] & 0xFF];
    }
    return tables;
}

// The checksum line after the database of a version 2 file, checked against what it follows.
QString checksumProblem(const QByteArray &bytes, qsizetype end)
{
    const QByteArray trailer = bytes.mid(end);
    if (trailer.isEmpty())
        return problemText("It is cut short.");
    bool read = false;
    const quint32 stored = trailer.startsWith(ChecksumKey) && trailer.endsWith('\n')
                               ? trailer.mid(ChecksumKey.size()).chopped(1).toUInt(&read, 16)
                               : 0;
    if (!read || trailer != recoveryTrailer(stored))
        return problemText("Its checksum line is damaged.");
    if (stored != crc32(bytes.constData(), end))
        return problemText("Its checksum does not match: its bytes were changed.");
    return QString();
}

} // namespace

quint32 crc32(const char *bytes, qint64 size, quint32 crc)
{
    static const CrcTables t = makeCrcTables();
    const auto *data = reinterpret_cast<const uchar *>(bytes);
    crc = ~crc;
    for (; size >= 8; size -= 8, data += 8) {
        const quint32 low = crc
                            ^ (quint32(data[0]) | quint32(data[1]) << 8 | quint32(data[2]) << 16
                               | quint32(data[3]) << 24);
        crc = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF]
              ^ t[4][low >> 24] ^ t[3][data[4]] ^ t[2][data[5]] ^ t[1][data[6]] ^ t[0][data[7]];
    }
    for (; size > 0; --size, ++data)
        crc = t[0][(crc ^ *data) & 0xFF] ^ (crc >> 8);
    return ~crc;
}

RecoveryOrigin RecoveryOrigin::of(const QString &path)
{
    RecoveryOrigin origin;
    origin.path = path;
    const QFileInfo file(path);
    if (!path.isEmpty() && file.exists()) {
        origin.size = file.size();
        origin.modified = file.lastModified().toUTC();
    }
    return origin;
}

OriginState originState(const RecoveryOrigin &origin)
{
    if (origin.path.isEmpty())
        return OriginState::NoFile;
    const RecoveryOrigin now = RecoveryOrigin::of(origin.path);
    // A new database has its name but no file until its first save.
    if (origin.size < 0)
        return now.size < 0 ? OriginState::NoFile : OriginState::Changed;
    if (now.size < 0)
        return OriginState::Gone;
    return now == origin ? OriginState::Unchanged : OriginState::Changed;
}

QByteArray recoveryHeader(const RecoveryData &data, qint64 databaseBytes)
{
    const RecoveryOrigin &origin = data.origin;
    QByteArray header = Magic + '\n';
    // Percent-encoded: a line break in a path cannot end its line.
    header += "path: " + origin.path.toUtf8().toPercentEncoding("/ ") + '\n';
    header += "size: " + QByteArray::number(origin.size) + '\n';
    header += "modified: " + timeText(origin.modified) + '\n';
    header += "written: " + timeText(data.written) + '\n';
    header += "formats: " + data.formats.toUtf8().toPercentEncoding() + '\n';
    header += "generation: " + QByteArray::number(data.generation) + '\n';
    header += "sequence: " + QByteArray::number(data.sequence) + '\n';
    header += "bytes: " + QByteArray::number(databaseBytes) + "\n\n";
    return header;
}

QByteArray recoveryTrailer(quint32 checksum)
{
    return ChecksumKey + QByteArray::number(checksum, 16).rightJustified(8, '0') + '\n';
}

QByteArray recoveryFileBytes(const RecoveryData &data)
{
    QByteArray bytes = recoveryHeader(data, data.database.size()) + data.database;
    return bytes + recoveryTrailer(crc32(bytes));
}

RecoveryReading parseRecovery(const QByteArray &bytes)
{
    RecoveryReading reading;
    const qsizetype end = bytes.indexOf("\n\n");
    const QList<QByteArray> lines = bytes.left(qMax<qsizetype>(end, 0)).split('\n');
    const bool firstVersion = lines.value(0) == FirstMagic;
    if (end < 0 || (lines.value(0) != Magic && !firstVersion)) {
        reading.problem = problemText("It is not recovery data.");
        return reading;
    }
    QMap<QByteArray, QByteArray> values;
    for (const QByteArray &line : lines.mid(1)) {
        const qsizetype colon = line.indexOf(": ");
        if (colon > 0)
            values.insert(line.left(colon), line.mid(colon + 2));
        else if (line.endsWith(':'))
            values.insert(line.chopped(1), QByteArray());
    }
    bool sizeRead = false;
    bool bytesRead = false;
    RecoveryData &data = reading.data;
    data.origin.path = QString::fromUtf8(QByteArray::fromPercentEncoding(values.value("path")));
    data.origin.size = values.value("size").toLongLong(&sizeRead);
    data.origin.modified = timeOf(values.value("modified"));
    data.written = timeOf(values.value("written"));
    data.formats = QString::fromUtf8(QByteArray::fromPercentEncoding(values.value("formats")));
    // Files without them (the first version) have no journal.
    data.generation = values.value("generation").toULongLong();
    data.sequence = values.value("sequence").toULongLong();
    const qint64 databaseBytes = values.value("bytes").toLongLong(&bytesRead);
    if (!sizeRead || !bytesRead || !values.contains("path") || !data.written.isValid()) {
        reading.problem = problemText("Its header is damaged.");
        return reading;
    }
    const qsizetype databaseEnd = end + 2 + databaseBytes;
    if (databaseBytes < 0 || bytes.size() < databaseEnd)
        reading.problem = problemText("It is cut short.");
    else if (firstVersion && bytes.size() > databaseEnd)
        reading.problem = problemText("It is longer than it says.");
    else if (!firstVersion)
        reading.problem = checksumProblem(bytes, databaseEnd);
    if (reading.problem.isEmpty())
        data.database = bytes.mid(end + 2, databaseBytes);
    return reading;
}

RecoveryReading readRecoveryFile(const QString &path)
{
    CheckedFile file(path);
    const QByteArray bytes = file.openForReading() ? file.readAll() : QByteArray();
    if (!file.isOpen() || file.readFailed()) {
        RecoveryReading reading;
        reading.problem = problemText("It cannot be read.");
        return reading;
    }
    return parseRecovery(bytes);
}

bool writeRecoveryFile(const QString &path, const RecoveryData &data, QString *error)
{
    const QByteArray bytes = recoveryFileBytes(data);
    return safeWriteFile(
        path, QString(), [&](QIODevice &device) { return device.write(bytes) == bytes.size(); },
        error);
}

QString defaultRecoveryRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation)
           + QStringLiteral("/recovery");
}

RecoverySlot::RecoverySlot(QString folder, std::unique_ptr<QLockFile> lock)
    : mFolder(std::move(folder))
    , mLock(std::move(lock))
{
}

RecoverySlot::~RecoverySlot() = default;

std::unique_ptr<RecoverySlot> RecoverySlot::create(const QString &root, QString *error)
{
    const auto fail = [error](const QString &reason) {
        if (error)
            *error = reason;
        return std::unique_ptr<RecoverySlot>();
    };
    if (!QDir().mkpath(root))
        return fail(QStringLiteral("cannot make %1").arg(root));
    const QString folder = root + u'/' + QUuid::createUuid().toString(QUuid::WithoutBraces);
    std::unique_ptr<QLockFile> lock = lockOf(folder + LockSuffix);
    if (!lock->tryLock(0))
        return fail(QStringLiteral("cannot lock %1").arg(folder));
    if (!QDir().mkdir(folder))
        return fail(QStringLiteral("cannot make %1").arg(folder));
    return std::unique_ptr<RecoverySlot>(new RecoverySlot(folder, std::move(lock)));
}

QString RecoverySlot::dataPath() const
{
    return mFolder + u'/' + DataName;
}

bool RecoverySlot::remove()
{
    // The snapshot first: journals without it are never read, and go at the next start.
    QFile data(dataPath());
    if (data.exists() && !data.remove())
        return false;
    removeJournals(mFolder);
    removeFolderContents(mFolder);
    QDir().rmdir(mFolder);
    mLock->unlock();
    return true;
}

std::vector<std::unique_ptr<RecoverySlot>> orphanedRecoverySlots(const QString &root)
{
    std::vector<std::unique_ptr<RecoverySlot>> slots;
    QDir dir(root);
    const QStringList locks = dir.entryList({u'*' + LockSuffix}, QDir::Files | QDir::Hidden);
    const QStringList folders = dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList names = folders;
    for (const QString &lock : locks) {
        const QString name = lock.chopped(LockSuffix.size());
        if (!names.contains(name))
            names.append(name);
    }
    for (const QString &name : names) {
        const QString folder = dir.filePath(name);
        std::unique_ptr<QLockFile> lock = lockOf(folder + LockSuffix);
        if (!lock->tryLock(0))
            continue; // its program runs, or the lock cannot be made here
        std::unique_ptr<RecoverySlot> slot(new RecoverySlot(folder, std::move(lock)));
        if (!QFileInfo(slot->dataPath()).isFile()) {
            slot->remove();
            continue;
        }
        slots.push_back(std::move(slot));
    }
    std::sort(slots.begin(), slots.end(), [](const auto &a, const auto &b) {
        return QFileInfo(a->dataPath()).lastModified() < QFileInfo(b->dataPath()).lastModified();
    });
    return slots;
}

} // namespace kribed
