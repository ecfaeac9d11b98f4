// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/pdb_writer.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_format.h"
#include "core/platform/safe_file.h"
#include "core/platform/prompter.h"

#include <QIODevice>

#include <cstring>

namespace kribed {

namespace {

constexpr qsizetype WriteChunk = 64 * 1024;

bool IsStoredByte(char byte)
{
    return uchar(byte) >= 0x20 || byte == '\n' || byte == '\t';
}

// How many leading bytes of the cell are stored as they stand: most cells have no control byte.
qsizetype CleanPrefix(const QByteArray &cell)
{
    const qsizetype limit = qMin<qsizetype>(cell.size(), MaxValueBytes);
    qsizetype i = 0;
    while (i < limit && IsStoredByte(cell.at(i)))
        ++i;
    return i;
}

// A value is stored without CR and the other control characters but LF and TAB, and cut to
// MaxValueBytes; the file's LF is the cell's CR LF.
qsizetype StoredLength(const QByteArray &cell)
{
    qsizetype length = CleanPrefix(cell);
    for (qsizetype i = length; i < cell.size() && length < MaxValueBytes; ++i) {
        if (IsStoredByte(cell.at(i)))
            ++length;
    }
    return length;
}

// Copies the bytes of the cell that are stored (StoredLength of them) to `out`.
void CopyStoredText(char *out, const QByteArray &cell)
{
    qsizetype length = CleanPrefix(cell);
    std::memcpy(out, cell.constData(), size_t(length));
    for (qsizetype i = length; i < cell.size() && length < MaxValueBytes; ++i) {
        if (IsStoredByte(cell.at(i)))
            out[length++] = cell.at(i);
    }
}

void AppendWord(QByteArray &out, quint16 value)
{
    char bytes[2];
    WriteWord(bytes, value);
    out.append(bytes, 2);
}

void AppendLong(QByteArray &out, quint32 value)
{
    char bytes[4];
    WriteLong(bytes, value);
    out.append(bytes, 4);
}

QByteArray Header(const Database &database, quint32 appInfoOffset, const QDateTime &saveTime)
{
    QByteArray header = database.Name().left(MaxStoredDatabaseName);
    header.append(pdb::NameSize - header.size(), '\0');
    const quint32 date = quint32(pdb::DateToFile(saveTime));
    AppendWord(header, pdb::BackupAttribute);
    AppendWord(header, 0);     // version
    AppendLong(header, date);  // creation date: this save
    AppendLong(header, date);  // modification date
    AppendLong(header, 0);     // last backup date
    AppendLong(header, 0);     // modification number
    AppendLong(header, appInfoOffset);
    AppendLong(header, 0);     // no sort-info block
    header.append(pdb::KriboProType());
    header.append(pdb::Creator());
    AppendLong(header, 0);     // unique-ID seed
    AppendLong(header, 0);     // next record list
    AppendWord(header, quint16(database.RecordCount()));
    return header;
}

// Puts the model's values into the image; every byte the program does not model stays.
void UpdateAppInfo(Database &database, int currentColumn)
{
    AppInfo &image = database.AppInfoImage();
    const int fields = database.FieldCount();
    for (int field = 1; field <= fields; ++field) {
        image.SetFieldName(field, database.FieldName(field));
        image.SetWidthSlot(field, quint16(qBound(0, database.WidthUnits(field), 0xffff)));
    }
    for (int field = 1; field <= MaxFields; ++field)
        image.SetTypeCodeSlot(field, TypeCode(database.FieldType(field)));
    image.SetWord(AppInfo::FieldCountOffset, quint16(fields));
    image.SetWord(AppInfo::VersionOffset, AppInfo::Version);
    if (image.Word(AppInfo::FurtherWidthOffset) == 0)
        image.SetWord(AppInfo::FurtherWidthOffset, AppInfo::DefaultWidth);
    image.SetWord(AppInfo::PrimarySortOffset, quint16(currentColumn + 1));
    image.SetWord(AppInfo::SecondarySortOffset, quint16(database.SecondarySortField()));
    image.SetWord(AppInfo::TertiarySortOffset, quint16(database.TertiarySortField()));
    image.SetWord(AppInfo::ZeroWordOffset, 0);
    image.SetWord(AppInfo::FilterFieldOffset, 0);
    image.SetText(AppInfo::EmptyTextOffset, AppInfo::TextFieldSize, QByteArray());
    image.SetText(AppInfo::FilterTextOffset, AppInfo::TextFieldSize, database.FilterText());

    const DatabaseFlags &flags = database.Flags();
    quint16 word = image.Word(AppInfo::FlagsOffset)
                   & ~(AppInfo::AutoLockBit | AppInfo::ReadOnlyBit | AppInfo::PrivateBit
                       | AppInfo::KriboFilterBit);
    word |= (flags.autoLock ? AppInfo::AutoLockBit : 0) | (flags.readOnly ? AppInfo::ReadOnlyBit : 0)
            | (flags.isPrivate ? AppInfo::PrivateBit : 0)
            | (flags.kriboFilter ? AppInfo::KriboFilterBit : 0);
    image.SetWord(AppInfo::FlagsOffset, word);
    if (image.Word(AppInfo::FieldNumberOffset) > fields)
        image.SetWord(AppInfo::FieldNumberOffset, 1);
}

// The area has no escape: an item that reads as a header ("popup" and one character that names a
// field) would split the lists on the next load. The properties dialog refuses such items, so a
// list holding one is not written at all.
bool HoldsHeaderItem(const Database &database)
{
    for (int field = 1; field <= database.FieldCount(); ++field) {
        for (const QByteArray &item : database.PopupList(field)) {
            if (pdb::PopupHeaderField(item) > 0)
                return true;
        }
    }
    return false;
}

// The popup lists as the handheld reads them: per field a header text, then the items. What does
// not fit into the area is left out, and the user is told once.
QByteArray PopupArea(const Database &database, Prompter &prompter)
{
    QByteArray area;
    bool full = false;
    const auto append = [&](const QByteArray &text) {
        const qsizetype room = MaxPopupAreaBytes - area.size();
        if (text.size() + 1 > room)
            full = true;
        const QByteArray piece = text.left(room);
        if (piece.size() < text.size() && pdb::PopupHeaderField(piece) > 0)
            return; // cut short it would read as a header
        area.append(piece);
        if (area.size() < MaxPopupAreaBytes)
            area.append('\0');
    };
    for (int field = 1; field <= database.FieldCount(); ++field) {
        const QList<QByteArray> &items = database.PopupList(field);
        if (items.isEmpty())
            continue;
        append(pdb::PopupHeader(field));
        for (const QByteArray &item : items)
            append(item);
    }
    if (full) {
        prompter.Ask({QStringLiteral("Kribed-pro"), QStringLiteral("Too much popups!"), Icon::None,
                      Buttons::Ok});
    }
    if (area.isEmpty())
        return QByteArray(4, '\0');
    area.append('\0');
    return area;
}

bool WriteAll(QIODevice &device, const QByteArray &bytes)
{
    return device.write(bytes) == bytes.size();
}

QString ReplaceExtension(const QString &name, const QString &extension)
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

bool SaveError(Prompter &prompter)
{
    prompter.Ask({QStringLiteral("Save error"),
                  QStringLiteral("There was an error in saving the file. This may be caused by an "
                                 "invalid filename or a full or write protected disk."),
                  Icon::Error, Buttons::Ok});
    return false;
}

} // namespace

bool WriteDatabase(QIODevice &device, Database &database, int currentColumn,
                   const QDateTime &saveTime, Prompter &prompter)
{
    if (HoldsHeaderItem(database))
        return false;
    const int fields = database.FieldCount();
    const int records = database.RecordCount();
    database.SetModificationTime(saveTime);
    UpdateAppInfo(database, currentColumn);
    const QByteArray popupArea = PopupArea(database, prompter);
    const QByteArray extras = database.Extras();

    const quint32 appInfoOffset = quint32(pdb::HeaderSize + pdb::RecordEntrySize * records + 2);
    qint64 offset = appInfoOffset + AppInfo::Size + popupArea.size() + extras.size()
                    + pdb::EndMarker().size();

    QByteArray out = Header(database, appInfoOffset, saveTime);
    out.reserve(WriteChunk + 2 * AppInfo::Size);
    QList<quint16> lengths; // stored length + 1 of every value, records one after the other
    lengths.reserve(qsizetype(records) * fields);
    for (const Database::Record &record : database.Records()) {
        AppendLong(out, quint32(offset));
        AppendLong(out, 0); // attributes and unique ID
        offset += 2 * fields;
        for (const QByteArray &cell : record) {
            lengths.append(quint16(StoredLength(cell) + 1));
            offset += lengths.last();
        }
    }
    AppendWord(out, 0);
    out.append(database.AppInfoImage().Bytes());
    out.append(popupArea);
    out.append(extras);
    out.append(pdb::EndMarker());

    const quint16 *length = lengths.constData();
    for (const Database::Record &record : database.Records()) {
        // The record's size is known, so its bytes go straight into place.
        qsizetype size = 2 * fields;
        for (int field = 0; field < fields; ++field)
            size += length[field];
        qsizetype at = out.size();
        out.resize(at + size);
        char *bytes = out.data();
        for (int field = 0; field < fields; ++field, at += 2)
            WriteWord(bytes + at, length[field]);
        for (int field = 0; field < fields; ++field) {
            const QByteArray &cell = record.at(field);
            const qsizetype stored = length[field] - 1;
            if (stored == cell.size())
                std::memcpy(bytes + at, cell.constData(), size_t(stored));
            else
                CopyStoredText(bytes + at, cell);
            at += stored;
            bytes[at++] = '\0';
        }
        length += fields;
        if (out.size() >= WriteChunk) {
            if (!WriteAll(device, out))
                return false;
            out.resize(0);
        }
    }
    return WriteAll(device, out);
}

QString PdbFileName(const QString &chosenName)
{
    return ReplaceExtension(chosenName, QStringLiteral(".pdb"));
}

QString BackupFileName(const QString &fileName)
{
    return ReplaceExtension(fileName, QStringLiteral(".pd_"));
}

bool SaveDatabase(Database &database, SaveMode mode, const QString &fileName, int currentColumn,
                  Prompter &prompter)
{
    const QString target = mode == SaveMode::OwnFile ? database.FilePath() : fileName;
    if (target.isEmpty())
        return SaveError(prompter);

    // Save and Save as keep the previous file as the one backup generation; a copy keeps none.
    const bool ownFile = mode != SaveMode::Copy;
    const QDateTime saveTime = QDateTime::currentDateTime();
    const bool written = SafeWriteFile(target, ownFile ? BackupFileName(target) : QString(),
                                       [&](QIODevice &device) {
                                           return WriteDatabase(device, database, currentColumn,
                                                                saveTime, prompter);
                                       });
    if (!written)
        return SaveError(prompter);
    if (ownFile) {
        database.SetFilePath(target);
        database.ClearModified();
    }
    return true;
}

} // namespace kribed
