// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/pdb_writer.h"

#include <QCoreApplication>

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_format.h"
#include "core/model/stored_value.h"
#include "core/platform/prompter.h"
#include "core/platform/safe_file.h"

#include <QIODevice>

#include <cstring>

namespace kribed {

namespace {

constexpr qsizetype WriteChunk = 64 * 1024;

// Copies the bytes of the cell that are stored (storedSize of them) to `out`.
void copyStoredText(char *out, QByteArrayView cell)
{
    qsizetype length = cleanPrefix(cell, MaxValueBytes);
    std::memcpy(out, cell.data(), size_t(length));
    for (qsizetype i = length; i < cell.size() && length < MaxValueBytes; ++i) {
        if (isStoredByte(cell.at(i)))
            out[length++] = cell.at(i);
    }
}

void appendWord(QByteArray &out, quint16 value)
{
    char bytes[2];
    writeWord(bytes, value);
    out.append(bytes, 2);
}

void appendLong(QByteArray &out, quint32 value)
{
    char bytes[4];
    writeLong(bytes, value);
    out.append(bytes, 4);
}

QByteArray header(const Database &database, quint32 appInfoOffset, const QDateTime &saveTime)
{
    QByteArray header = database.name().left(MaxStoredDatabaseName);
    header.append(pdb::NameSize - header.size(), '\0');
    const quint32 date = quint32(pdb::dateToFile(saveTime));
    appendWord(header, pdb::BackupAttribute);
    appendWord(header, 0);    // version
    appendLong(header, date); // creation date: this save
    appendLong(header, date); // modification date
    appendLong(header, 0);    // last backup date
    appendLong(header, 0);    // modification number
    appendLong(header, appInfoOffset);
    appendLong(header, 0); // no sort-info block
    header.append(pdb::kriboProType());
    header.append(pdb::creator());
    appendLong(header, 0); // unique-ID seed
    appendLong(header, 0); // next record list
    appendWord(header, quint16(database.recordCount()));
    return header;
}

// Puts the model's values into the image; every byte the program does not model stays.
void updateAppInfo(Database &database, int currentColumn)
{
    AppInfo &image = database.appInfoImage();
    const int fields = database.fieldCount();
    for (int field = 1; field <= fields; ++field) {
        image.setFieldName(field, database.fieldName(field));
        image.setWidthSlot(field, quint16(qBound(0, database.widthUnits(field), 0xffff)));
    }
    for (int field = 1; field <= MaxFields; ++field)
        image.setTypeCodeSlot(field, typeCode(database.fieldType(field)));
    image.setWord(AppInfo::FieldCountOffset, quint16(fields));
    image.setWord(AppInfo::VersionOffset, AppInfo::Version);
    if (image.word(AppInfo::FurtherWidthOffset) == 0)
        image.setWord(AppInfo::FurtherWidthOffset, AppInfo::DefaultWidth);
    image.setWord(AppInfo::PrimarySortOffset, quint16(currentColumn + 1));
    image.setWord(AppInfo::SecondarySortOffset, quint16(database.secondarySortField()));
    image.setWord(AppInfo::TertiarySortOffset, quint16(database.tertiarySortField()));
    image.setWord(AppInfo::ZeroWordOffset, 0);
    image.setWord(AppInfo::FilterFieldOffset, 0);
    image.setText(AppInfo::EmptyTextOffset, AppInfo::TextFieldSize, QByteArray());
    image.setText(AppInfo::FilterTextOffset, AppInfo::TextFieldSize, database.filterText());

    const DatabaseFlags &flags = database.flags();
    quint16 word = image.word(AppInfo::FlagsOffset)
                   & ~(AppInfo::AutoLockBit | AppInfo::ReadOnlyBit | AppInfo::PrivateBit
                       | AppInfo::KriboFilterBit);
    word |= (flags.autoLock ? AppInfo::AutoLockBit : 0)
            | (flags.readOnly ? AppInfo::ReadOnlyBit : 0)
            | (flags.isPrivate ? AppInfo::PrivateBit : 0)
            | (flags.kriboFilter ? AppInfo::KriboFilterBit : 0);
    image.setWord(AppInfo::FlagsOffset, word);
    if (image.word(AppInfo::FieldNumberOffset) > fields)
        image.setWord(AppInfo::FieldNumberOffset, 1);
}

// The area has no escape: an item that reads as a header ("popup" and one character that names a
// field) would split the lists on the next load. The properties dialog refuses such items, so a
// list holding one is not written at all.
bool holdsHeaderItem(const Database &database)
{
    for (int field = 1; field <= database.fieldCount(); ++field) {
        for (const QByteArray &item : database.popupList(field)) {
            if (pdb::popupHeaderField(item) > 0)
                return true;
        }
    }
    return false;
}

// The popup lists as the handheld reads them: per field a header text, then the items. What does
// not fit into the area is left out, and the user is told once.
QByteArray buildPopupArea(const Database &database, Prompter &prompter)
{
    QByteArray area;
    bool full = false;
    const auto append = [&](const QByteArray &text) {
        const qsizetype room = MaxPopupAreaBytes - area.size();
        if (text.size() + 1 > room)
            full = true;
        const QByteArray piece = text.left(room);
        if (piece.size() < text.size() && pdb::popupHeaderField(piece) > 0)
            return; // cut short it would read as a header
        area.append(piece);
        if (area.size() < MaxPopupAreaBytes)
            area.append('\0');
    };
    for (int field = 1; field <= database.fieldCount(); ++field) {
        const QList<QByteArray> &items = database.popupList(field);
        if (items.isEmpty())
            continue;
        append(pdb::popupHeader(field));
        for (const QByteArray &item : items)
            append(item);
    }
    if (full) {
        prompter.ask({QCoreApplication::translate("PdbWriter", "Kribed-pro"),
                      QCoreApplication::translate("PdbWriter", "Too much popups!"), Icon::None,
                      Buttons::Ok});
    }
    if (area.isEmpty())
        return QByteArray(4, '\0');
    area.append('\0');
    return area;
}

bool writeAll(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

QString replaceExtension(const QString &name, const QString &extension)
{
    qsizetype separator = name.lastIndexOf(u'/');
#ifdef Q_OS_WIN
    separator = qMax(separator, name.lastIndexOf(u'\\'));
#endif
    qsizetype dot = name.lastIndexOf(u'.');
    if (dot <= separator)
        dot = name.size();
    return name.left(dot) + extension;
}

bool saveError(Prompter &prompter)
{
    prompter.ask(
        {QCoreApplication::translate("PdbWriter", "Save error"),
         QCoreApplication::translate(
             "PdbWriter", "There was an error in saving the file. This may be caused by an "
                          "invalid filename or a full or write protected disk."),
         Icon::Error, Buttons::Ok});
    return false;
}

// Without `beforeFile`, exactly the save's file; with it, the length is announced once the record
// list is worked out (the length is where the records end), before anything is written, and
// checked against what was written, so a header that announces it never lies about the file.
bool writeFile(QIODevice &device, Database &database, int currentColumn, const QDateTime &saveTime,
               Prompter &prompter, const std::function<bool(qint64)> *beforeFile)
{
    if (holdsHeaderItem(database))
        return false;
    const int fields = database.fieldCount();
    const int records = database.recordCount();
    database.setModificationTime(saveTime);
    updateAppInfo(database, currentColumn);
    const QByteArray popupArea = buildPopupArea(database, prompter);
    const QByteArray extras = database.extras();

    const quint32 appInfoOffset = quint32(pdb::HeaderSize + pdb::RecordEntrySize * records + 2);
    qint64 offset =
        appInfoOffset + AppInfo::Size + popupArea.size() + extras.size() + pdb::endMarker().size();

    QByteArray out = header(database, appInfoOffset, saveTime);
    out.reserve(WriteChunk + 2 * AppInfo::Size);
    // The stored length + 1 of every value, records one after the other. Filled through a pointer:
    // a list's append looks whether it must detach at every one of half a million values.
    qsizetype values = 0;
    for (const Database::Record &record : database.records())
        values += record.size();
    QList<quint16> lengths(values);
    quint16 *nextLength = lengths.data();
    for (const Database::Record &record : database.records()) {
        appendLong(out, quint32(offset));
        appendLong(out, 0); // attributes and unique ID
        offset += 2 * fields;
        for (qsizetype field = 0; field < record.size(); ++field) {
            *nextLength = quint16(storedSize(record.view(field)) + 1);
            offset += *nextLength++;
        }
    }
    appendWord(out, 0);
    out.append(database.appInfoImage().bytes());
    out.append(popupArea);
    out.append(extras);
    out.append(pdb::endMarker());
    const qint64 fileBytes = offset;
    if (beforeFile && !(*beforeFile)(fileBytes))
        return false;
    qint64 written = 0;
    const auto writeOut = [&] {
        written += out.size();
        return writeAll(device, out);
    };

    const quint16 *length = lengths.constData();
    for (const Database::Record &record : database.records()) {
        // The record's size is known, so its bytes go straight into place.
        qsizetype size = 2 * fields;
        for (int field = 0; field < fields; ++field)
            size += length[field];
        qsizetype at = out.size();
        out.resize(at + size);
        char *bytes = out.data();
        for (int field = 0; field < fields; ++field, at += 2)
            writeWord(bytes + at, length[field]);
        for (int field = 0; field < fields; ++field) {
            const QByteArrayView cell = record.view(field);
            const qsizetype stored = length[field] - 1;
            if (stored == cell.size())
                std::memcpy(bytes + at, cell.data(), size_t(stored));
            else
                copyStoredText(bytes + at, cell);
            at += stored;
            bytes[at++] = '\0';
        }
        length += fields;
        if (out.size() >= WriteChunk) {
            if (!writeOut())
                return false;
            out.resize(0);
        }
    }
    return writeOut() && (!beforeFile || written == fileBytes);
}

} // namespace

bool writeDatabase(QIODevice &device, Database &database, int currentColumn,
                   const QDateTime &saveTime, Prompter &prompter)
{
    return writeFile(device, database, currentColumn, saveTime, prompter, nullptr);
}

bool writeDatabase(QIODevice &device, Database &database, int currentColumn,
                   const QDateTime &saveTime, Prompter &prompter,
                   const std::function<bool(qint64 fileBytes)> &beforeFile)
{
    return writeFile(device, database, currentColumn, saveTime, prompter,
                     beforeFile ? &beforeFile : nullptr);
}

QString pdbFileName(const QString &chosenName)
{
    return replaceExtension(chosenName, QStringLiteral(".pdb"));
}

QString backupFileName(const QString &fileName)
{
    return replaceExtension(fileName, QStringLiteral(".pd_"));
}

bool saveDatabase(Database &database, SaveMode mode, const QString &fileName, int currentColumn,
                  Prompter &prompter)
{
    const QString target = mode == SaveMode::OwnFile ? database.filePath() : fileName;
    if (target.isEmpty())
        return saveError(prompter);

    // Save and Save as keep the previous file as the one backup generation; a copy keeps none.
    const bool ownFile = mode != SaveMode::Copy;
    const QDateTime saveTime = QDateTime::currentDateTime();
    const bool written =
        safeWriteFile(target, ownFile ? backupFileName(target) : QString(), [&](QIODevice &device) {
            return writeDatabase(device, database, currentColumn, saveTime, prompter);
        });
    if (!written)
        return saveError(prompter);
    if (ownFile) {
        database.setFilePath(target);
        database.clearModified();
    }
    return true;
}

} // namespace kribed
