// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/recovery_journal.h"

#include "core/platform/recovery_store.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace kribed {

namespace {

const QByteArray FileMagic = QByteArrayLiteral("KRJ1");
const QString NamePrefix = QStringLiteral("journal-");
constexpr int FileHeaderSize = 16;
constexpr int EntryHeaderSize = 8;
// Larger than any entry the writer makes (it takes a snapshot instead): a length beyond it is
// damage, not an entry.
constexpr quint32 MaxEntryBytes = 64U * 1024 * 1024;

template<class T> void put(QByteArray &out, T value)
{
    char bytes[sizeof(T)];
    qToBigEndian(value, bytes);
    out.append(bytes, sizeof(T));
}

QByteArray generationBytes(quint64 generation)
{
    QByteArray bytes;
    put(bytes, generation);
    return bytes;
}

// Reads big-endian numbers and byte runs from a body; any read past its end makes it bad.
class BodyReader
{
public:
    explicit BodyReader(QByteArrayView body)
        : mBody(body)
    {
    }
    template<class T> T take()
    {
        if (mBad || mBody.size() - mAt < qsizetype(sizeof(T))) {
            mBad = true;
            return T();
        }
        const T value = qFromBigEndian<T>(mBody.data() + mAt);
        mAt += sizeof(T);
        return value;
    }
    QByteArray takeBytes(quint32 size)
    {
        if (mBad || quint64(mBody.size() - mAt) < size) {
            mBad = true;
            return QByteArray();
        }
        const QByteArray bytes = mBody.sliced(mAt, size).toByteArray();
        mAt += size;
        return bytes;
    }
    bool atEnd() const { return !mBad && mAt == mBody.size(); }
    bool bad() const { return mBad; }

private:
    QByteArrayView mBody;
    qsizetype mAt = 0;
    bool mBad = false;
};

bool readBody(QByteArrayView body, JournalEntry &entry)
{
    BodyReader reader(body);
    entry.sequence = reader.take<quint64>();
    entry.timeMs = reader.take<qint64>();
    entry.kind = JournalEntry::Kind(reader.take<quint8>());
    switch (entry.kind) {
    case JournalEntry::Kind::Cells: {
        const quint32 count = reader.take<quint32>();
        for (quint32 i = 0; i < count && !reader.bad(); ++i) {
            JournalEntry::Cell cell;
            cell.field = reader.take<quint16>();
            cell.record = reader.take<quint16>();
            cell.text = reader.takeBytes(reader.take<quint32>());
            entry.cells.append(std::move(cell));
        }
        break;
    }
    case JournalEntry::Kind::Formats:
        entry.formats = QString::fromUtf8(reader.takeBytes(reader.take<quint32>()));
        break;
    case JournalEntry::Kind::Barrier: break;
    default: return false;
    }
    return reader.atEnd();
}

} // namespace

QByteArray journalFileHeader(quint64 generation)
{
    QByteArray header = FileMagic + generationBytes(generation);
    put(header, crc32(header));
    return header;
}

QByteArray encodeJournalEntry(quint64 generation, const JournalEntry &entry)
{
    QByteArray body;
    put(body, entry.sequence);
    put(body, entry.timeMs);
    put(body, quint8(entry.kind));
    if (entry.kind == JournalEntry::Kind::Cells) {
        put(body, quint32(entry.cells.size()));
        for (const JournalEntry::Cell &cell : entry.cells) {
            put(body, quint16(cell.field));
            put(body, quint16(cell.record));
            put(body, quint32(cell.text.size()));
            body += cell.text;
        }
    } else if (entry.kind == JournalEntry::Kind::Formats) {
        const QByteArray name = entry.formats.toUtf8();
        put(body, quint32(name.size()));
        body += name;
    }
    QByteArray bytes;
    bytes.reserve(EntryHeaderSize + body.size());
    put(bytes, quint32(body.size()));
    put(bytes, crc32(body, crc32(generationBytes(generation))));
    return bytes + body;
}

JournalReading readJournal(const QByteArray &bytes, quint64 generation)
{
    JournalReading reading;
    reading.headerRead = bytes.startsWith(journalFileHeader(generation));
    if (!reading.headerRead) {
        reading.whole = false;
        return reading;
    }
    const quint32 generationCrc = crc32(generationBytes(generation));
    qsizetype at = FileHeaderSize;
    while (at < bytes.size()) {
        const qsizetype left = bytes.size() - at;
        const quint32 length =
            left >= EntryHeaderSize ? qFromBigEndian<quint32>(bytes.constData() + at) : 0;
        if (left < EntryHeaderSize || length > MaxEntryBytes
            || quint64(left - EntryHeaderSize) < length) {
            reading.whole = false; // cut by a kill, or damaged
            break;
        }
        const quint32 stored = qFromBigEndian<quint32>(bytes.constData() + at + 4);
        const char *body = bytes.constData() + at + EntryHeaderSize;
        JournalEntry entry;
        if (stored != crc32(body, length, generationCrc)
            || !readBody(QByteArrayView(body, length), entry)) {
            reading.whole = false;
            break;
        }
        reading.entries.append(std::move(entry));
        at += EntryHeaderSize + length;
    }
    return reading;
}

QString journalFileName(quint64 generation)
{
    return NamePrefix + QString::number(generation);
}

QList<quint64> journalGenerations(const QString &folder)
{
    QList<quint64> generations;
    const QStringList names = QDir(folder).entryList({NamePrefix + u'*'}, QDir::Files);
    for (const QString &name : names) {
        bool read = false;
        const quint64 generation = name.mid(NamePrefix.size()).toULongLong(&read);
        if (read && name == journalFileName(generation))
            generations.append(generation);
    }
    std::sort(generations.begin(), generations.end());
    return generations;
}

void removeJournalsBefore(const QString &folder, quint64 generation)
{
    QDir dir(folder);
    for (const quint64 older : journalGenerations(folder)) {
        if (older < generation)
            dir.remove(journalFileName(older));
    }
}

bool removeJournals(const QString &folder)
{
    QDir dir(folder);
    bool removed = true;
    const QStringList names = dir.entryList({NamePrefix + u'*'}, QDir::Files);
    for (const QString &name : names)
        removed = dir.remove(name) && removed;
    return removed;
}

bool JournalAppender::open(const QString &path, quint64 generation, QString *error)
{
    close();
    const QByteArray name = QFile::encodeName(path);
    const int descriptor = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    mDescriptor = descriptor;
    mGeneration = generation;
    if (!append(journalFileHeader(generation))) {
        if (error)
            *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

bool JournalAppender::append(const QByteArray &entry)
{
    if (mDescriptor < 0)
        return false;
    const char *data = entry.constData();
    qsizetype left = entry.size();
    while (left > 0) {
        const ssize_t written = ::write(mDescriptor, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            close();
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

std::function<void()> JournalAppender::syncJob() const
{
    if (mDescriptor < 0)
        return {};
    const int copy = ::dup(mDescriptor);
    if (copy < 0)
        return {};
    return [copy] {
        ::fdatasync(copy);
        ::close(copy);
    };
}

void JournalAppender::close()
{
    if (mDescriptor >= 0)
        ::close(mDescriptor);
    mDescriptor = -1;
}

} // namespace kribed
