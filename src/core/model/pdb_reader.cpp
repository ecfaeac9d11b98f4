// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/pdb_reader.h"

#include <QCoreApplication>

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_format.h"
#include "core/model/record_texts.h"
#include "core/platform/checked_file.h"
#include "core/platform/prompter.h"

#include <QFileInfo>
#include <QIODevice>

#include <algorithm>
#include <cstring>

namespace kribed {

namespace {

QString notKriboText()
{
    return QCoreApplication::translate("PdbReader", "It's not a Kribo database.");
}

QString openErrorText()
{
    return QCoreApplication::translate(
        "PdbReader", "There was an error opening the file. This may caused by an invalid "
                     "filename or path, or the file may be in use by another application.");
}

QString conversionText()
{
    return QCoreApplication::translate(
        "PdbReader", "This database created by Kribo 3 will be converted into the Kribo pro "
                     "format. \nPlease note, that the changes don't come up in Kribo 3.");
}

QString unknownVersionText()
{
    return QCoreApplication::translate(
               "PdbReader", "There is a unknown database version. This may cause same problems.\n"
                            "Please contact instantly the developer by email:  ")
           + supportAddress();
}

QString unknownFieldTypeText()
{
    return QCoreApplication::translate(
               "PdbReader", "There is a unknown fieldtype. This may cause serious problems.\n"
                            "Please contact instantly the developer by email:  ")
           + supportAddress();
}

// The text at `offset` of at most `size` bytes, up to its NUL.
QByteArray textAt(const QByteArray &bytes, int offset, int size)
{
    const char *start = bytes.constData() + offset;
    const void *nul = std::memchr(start, 0, size_t(size));
    return QByteArray(start, nul ? int(static_cast<const char *>(nul) - start) : size);
}

// Reads NUL-terminated texts one after the other. Past the bytes that were read every byte counts
// as zero, so a run of texts that leaves the data ends in empty texts instead of stray memory.
class TextCursor
{
public:
    TextCursor(const char *data, qsizetype size, qsizetype position)
        : mData(data)
        , mSize(size)
        , mPosition(position)
    {
    }

    QByteArray next()
    {
        if (mPosition >= mSize) {
            ++mPosition;
            return QByteArray();
        }
        const char *start = mData + mPosition;
        const void *nul = std::memchr(start, 0, size_t(mSize - mPosition));
        const qsizetype length = nul ? static_cast<const char *>(nul) - start : mSize - mPosition;
        mPosition += length + 1;
        return QByteArray(start, length);
    }

    qsizetype position() const { return mPosition; }
    void skip() { ++mPosition; }
    bool atZero() const { return mPosition >= mSize || mData[mPosition] == '\0'; }

private:
    const char *mData;
    qsizetype mSize;
    qsizetype mPosition;
};

class Reader
{
public:
    Reader(QIODevice &device, const QString &path, Database &database, Prompter &prompter)
        : mDevice(device)
        , mPath(path)
        , mDatabase(database)
        , mPrompter(prompter)
        , mFileSize(device.size())
    {
    }

    LoadResult run();

private:
    LoadResult abort(const QString &text);
    QString readRecordError() const
    {
        return mKribo3 ? QCoreApplication::translate("PdbReader", "Error: Read Record line")
                       : QCoreApplication::translate("PdbReader", "Error: Read Record string");
    }

    QByteArray readAt(qint64 offset, qint64 size, bool *failed);
    bool readFully(char *data, qint64 size);
    void takeHeader(const QByteArray &header);
    bool readAppInfo(quint32 offset, QString *error);
    void convertKribo3Block(const QByteArray &block);
    bool checkRecordList();
    void shapeGrid();
    bool takeFieldTypes();
    bool readRecords();
    qsizetype readPopupArea();
    void findExtras(qsizetype extrasStart);

    QIODevice &mDevice;
    QString mPath;
    Database &mDatabase;
    Prompter &mPrompter;
    const qint64 mFileSize;

    bool mReadFailed = false; // the device failed to deliver bytes it holds
    bool mKribo3 = false;
    quint16 mKribo3Version = 0;
    int mRecordCount = 0;
    int mFieldCount = 0;
    QList<quint32> mRecordOffsets;
    QByteArray mDataAfter;
};

// Whatever step noticed it, a failed read is told as the file that could not be read: the bytes
// that did arrive say nothing about the file.
LoadResult Reader::abort(const QString &text)
{
    if (mReadFailed)
        mPrompter.ask({QCoreApplication::translate("PdbReader", "Error"), openErrorText(),
                       Icon::Error, Buttons::Ok});
    else
        mPrompter.ask({QCoreApplication::translate("PdbReader", "Information"), text, Icon::Error,
                       Buttons::Ok});
    return LoadResult::Aborted;
}

// Reads up to `size` bytes at `offset`; a failed seek sets *failed. Never asks for more than the
// device holds, so a damaged count cannot make a large buffer. Fewer bytes than the device holds
// there, or a device error, is a read error (mReadFailed).
QByteArray Reader::readAt(qint64 offset, qint64 size, bool *failed)
{
    *failed = false;
    const qint64 available = qMax<qint64>(0, qMin(size, mFileSize - offset));
    if (available == 0)
        return QByteArray();
    if (!mDevice.seek(offset)) {
        *failed = true;
        return QByteArray();
    }
    QByteArray bytes(available, Qt::Uninitialized);
    if (!readFully(bytes.data(), available)) {
        *failed = true;
        return QByteArray();
    }
    return bytes;
}

// Reads exactly `size` bytes from the device's position: the caller knows they are there.
bool Reader::readFully(char *data, qint64 size)
{
    qint64 done = 0;
    while (done < size) {
        const qint64 got = mDevice.read(data + done, size - done);
        if (got <= 0) {
            mReadFailed = true;
            return false;
        }
        done += got;
    }
    return true;
}

LoadResult Reader::run()
{
    mDatabase.resetAppInfo();

    bool failed = false;
    const QByteArray header = readAt(0, pdb::HeaderSize, &failed);
    const QByteArray type = header.mid(pdb::TypeOffset, 4);
    if (header.size() < pdb::HeaderSize
        || (type != pdb::kriboProType() && type != pdb::kribo3Type()))
        return abort(notKriboText());
    mKribo3 = type == pdb::kribo3Type();
    mDatabase.setConvertedFromKribo3(mKribo3);
    takeHeader(header);

    if (mKribo3) {
        mPrompter.ask({QCoreApplication::translate("PdbReader", "Information"), conversionText(),
                       Icon::Warning, Buttons::Ok});
        if (!mPath.isEmpty()) {
            const QFileInfo info(mPath);
            mDatabase.setFilePath(info.path() + u'/' + info.completeBaseName()
                                  + QStringLiteral("_p.pdb"));
        }
        mDatabase.setName(mDatabase.name() + QByteArrayLiteral("_p"));
    }

    QString error;
    if (!readAppInfo(readLong(header.constData() + pdb::AppInfoOffsetOffset), &error))
        return abort(error);

    const AppInfo &image = mDatabase.appInfoImage();
    if (!mKribo3 && image.word(AppInfo::VersionOffset) != AppInfo::Version) {
        const Answer answer =
            mPrompter.ask({QCoreApplication::translate("PdbReader", "Warning"),
                           unknownVersionText(), Icon::Warning, Buttons::RetryCancel});
        if (answer != Answer::Retry)
            return abort(QCoreApplication::translate("PdbReader", "Error: Version"));
    }

    if (!checkRecordList())
        return abort(QCoreApplication::translate("PdbReader", "Error: Record Ptr"));

    // A field count the grid cannot hold is damage, not a database. Every record the file holds
    // is read: the record limit governs adding rows, not reading them.
    mFieldCount = image.word(AppInfo::FieldCountOffset);
    const int maxFields = mKribo3 ? pdb::Kribo3MaxFields : MaxFields;
    if (mFieldCount < 1 || mFieldCount > maxFields)
        return abort(notKriboText());

    shapeGrid();
    if (!takeFieldTypes())
        return abort(QCoreApplication::translate("PdbReader", "Error: Seek Fieldtype"));

    mDatabase.setIncrementAmount(1);
    const quint16 flags = image.word(AppInfo::FlagsOffset);
    DatabaseFlags &modelFlags = mDatabase.flags();
    modelFlags.autoLock = flags & AppInfo::AutoLockBit;
    modelFlags.readOnly = flags & AppInfo::ReadOnlyBit;
    modelFlags.isPrivate = flags & AppInfo::PrivateBit;
    modelFlags.kriboFilter = flags & AppInfo::KriboFilterBit;

    if (!readRecords())
        return abort(readRecordError());

    mDatabase.clearPopupLists();
    if (mKribo3) {
        if (mKribo3Version >= pdb::Kribo3PopupVersion)
            readPopupArea();
    } else {
        findExtras(readPopupArea());
    }
    return LoadResult::Loaded;
}

void Reader::takeHeader(const QByteArray &header)
{
    mDatabase.setName(textAt(header, 0, pdb::NameSize));
    mDatabase.setFilePath(mPath);
    mDatabase.setModificationTime(
        pdb::dateFromFile(qint32(readLong(header.constData() + pdb::ModificationDateOffset))));
    mDatabase.clearModified();
    mRecordCount = readWord(header.constData() + pdb::RecordCountOffset);
}

// Fills the image from the file's block, takes the values the model keeps beside it, and reads
// the data that follows the block.
bool Reader::readAppInfo(quint32 offset, QString *error)
{
    // The offset is a signed number in the file: a negative one cannot be sought.
    if (qint32(offset) < 0) {
        *error = QCoreApplication::translate("PdbReader", "Error: Seek KRStruc");
        return false;
    }
    const int size = mKribo3 ? pdb::Kribo3AppInfoSize : AppInfo::Size;
    bool failed = false;
    const QByteArray block = readAt(offset, size, &failed);
    if (failed) {
        *error = QCoreApplication::translate("PdbReader", "Error: Seek KRStruc");
        return false;
    }
    if (block.size() < size) {
        *error = QCoreApplication::translate("PdbReader", "Error: Size KRStruc");
        return false;
    }
    if (mKribo3)
        convertKribo3Block(block);
    else
        mDatabase.appInfoImage().bytes() = block;

    const AppInfo &image = mDatabase.appInfoImage();
    mDatabase.setFilterText(image.text(AppInfo::FilterTextOffset, AppInfo::TextFieldSize));
    mDatabase.setFilterField(image.word(AppInfo::FilterFieldOffset));
    mDatabase.setSecondarySortField(image.word(AppInfo::SecondarySortOffset));
    mDatabase.setTertiarySortField(image.word(AppInfo::TertiarySortOffset));

    // Without the popup area and the extras the next save would write them away.
    mDataAfter = readAt(qint64(offset) + size, pdb::DataAfterLimit, &failed);
    if (failed) {
        *error = QCoreApplication::translate("PdbReader", "Error: Seek KRStruc");
        return false;
    }
    return true;
}

// The Kribo 3 block holds the same values for 20 fields in a shorter layout; the image takes the
// ones that carry over and keeps its reset values elsewhere (the four flags are off).
void Reader::convertKribo3Block(const QByteArray &block)
{
    constexpr int Fields = pdb::Kribo3MaxFields;
    QByteArray &image = mDatabase.appInfoImage().bytes();
    const auto copy = [&](int from, int to, int size) {
        std::memcpy(image.data() + to, block.constData() + from, size_t(size));
    };
    copy(0, AppInfo::NamesOffset, Fields * AppInfo::NameSlotSize);
    copy(420, AppInfo::TypesOffset, Fields * 2);
    copy(460, AppInfo::FieldCountOffset, 2);
    copy(464, AppInfo::WidthsOffset, Fields * 2);
    copy(504, AppInfo::FurtherWidthOffset, 2);
    copy(508, AppInfo::SecondarySortOffset, 2);
    copy(510, AppInfo::TertiarySortOffset, 2);
    copy(514, AppInfo::FilterFieldOffset, 2);
    copy(532, AppInfo::FilterTextOffset, AppInfo::TextFieldSize);
    copy(550, AppInfo::FieldNumberOffset, 2);
    mKribo3Version = readWord(block.constData() + 462);
}

// Collects the record offsets; the first one at or past the end of the file ends the records.
bool Reader::checkRecordList()
{
    bool failed = false;
    const QByteArray list =
        readAt(pdb::HeaderSize, qint64(mRecordCount) * pdb::RecordEntrySize, &failed);
    mRecordOffsets.clear();
    for (int i = 0; i < mRecordCount; ++i) {
        const int at = i * pdb::RecordEntrySize;
        if (failed || at + 4 > list.size())
            return false;
        const quint32 offset = readLong(list.constData() + at);
        if (offset >= mFileSize) {
            mRecordCount = i;
            break;
        }
        mRecordOffsets.append(offset);
    }
    return true;
}

void Reader::shapeGrid()
{
    const AppInfo &image = mDatabase.appInfoImage();
    mDatabase.setShape(mFieldCount, qMax(mRecordCount, 1));
    for (int field = 1; field <= mFieldCount; ++field) {
        const int pixels = mDatabase.unitsToPixels(image.widthSlot(field));
        mDatabase.setColumnWidth(field, qMax(pixels, MinLoadedColumnWidth));
        mDatabase.setFieldName(field, image.fieldName(field));
    }
    mDatabase.setFilterOn(false);
    mDatabase.showAllRecords();
}

// A code the program does not know makes the field a String field; the Kribo pro layout asks
// first whether to go on.
bool Reader::takeFieldTypes()
{
    const AppInfo &image = mDatabase.appInfoImage();
    for (int field = 1; field <= mFieldCount; ++field) {
        const std::optional<int> index = typeIndex(image.typeCodeSlot(field));
        if (!index && !mKribo3) {
            const Answer answer =
                mPrompter.ask({QCoreApplication::translate("PdbReader", "Warning"),
                               unknownFieldTypeText(), Icon::Warning, Buttons::RetryCancel});
            if (answer != Answer::Retry)
                return false;
        }
        mDatabase.setFieldType(field, index.value_or(StringType));
    }
    return true;
}

// The records are read in one piece from the first of them on, and their cells share those
// bytes: records whose offsets overlap or repeat cost no more memory than the file. Each record is
// read up to RecordReadLimit bytes from its offset.
bool Reader::readRecords()
{
    if (mRecordOffsets.isEmpty())
        return true;
    const quint32 first = *std::min_element(mRecordOffsets.cbegin(), mRecordOffsets.cend());
    bool failed = false;
    RecordTexts texts(readAt(first, mFileSize - first, &failed));
    if (failed)
        return false;
    const qsizetype skip = mKribo3 ? 0 : 2 * mFieldCount;
    QVector<QVector<TextSpan>> places(mRecordCount);
    for (int record = 1; record <= mRecordCount; ++record) {
        const qsizetype start = mRecordOffsets.at(record - 1) - first;
        const qsizetype end = qMin<qsizetype>(start + pdb::RecordReadLimit, texts.size());
        qsizetype position = start + skip;
        QVector<TextSpan> &row = places[record - 1];
        row.resize(mFieldCount);
        for (int field = 1; field <= mFieldCount; ++field) {
            if (!texts.next(position, end, row[field - 1]))
                return false;
        }
    }
    // The copies are known only now, so the records get their shared buffer last.
    const QByteArray buffer = texts.takeBuffer();
    for (int record = 1; record <= mRecordCount; ++record)
        mDatabase.recordAt(record) = Database::Record(buffer, std::move(places[record - 1]));
    return true;
}

// Fills the popup lists from the start of the data after the block and returns where the area
// ends, which is where the extras begin.
qsizetype Reader::readPopupArea()
{
    TextCursor cursor(mDataAfter.constData(), mDataAfter.size(), 0);
    QByteArray text = cursor.next();
    const auto listField = [this](const QByteArray &header) {
        const int field = pdb::popupHeaderField(header);
        return field <= mFieldCount ? field : 0;
    };
    int field = listField(text);
    bool stoppedAtLimit = false;
    while (field > 0) {
        if (cursor.position() >= MaxPopupAreaBytes) {
            stoppedAtLimit = true;
            break;
        }
        int next = 0;
        while (true) {
            text = cursor.next();
            if (text.isEmpty())
                break;
            if (pdb::popupHeaderField(text) > 0) {
                next = listField(text);
                break;
            }
            mDatabase.popupList(field).append(text);
            if (cursor.position() >= MaxPopupAreaBytes) {
                stoppedAtLimit = true;
                break;
            }
        }
        field = next;
    }
    // A full area is followed by the empty text that closes it; it belongs to the area, or each
    // save would add another zero byte to the extras.
    if (stoppedAtLimit && cursor.position() == MaxPopupAreaBytes && cursor.atZero())
        cursor.skip();
    // A database without popup items has an area of four zero bytes.
    return cursor.position() == 1 ? 4 : cursor.position();
}

void Reader::findExtras(qsizetype extrasStart)
{
    const qsizetype marker = extrasStart <= mDataAfter.size()
                                 ? mDataAfter.indexOf(pdb::endMarkerText(), extrasStart)
                                 : -1;
    if (marker < 0)
        mDatabase.setDataAfter(QByteArray(), 0, 0);
    else
        mDatabase.setDataAfter(mDataAfter, int(extrasStart), int(marker - extrasStart));
}

} // namespace

LoadResult readDatabase(QIODevice &device, const QString &path, Database &database,
                        Prompter &prompter)
{
    Reader reader(device, path, database, prompter);
    return reader.run();
}

LoadResult loadDatabaseFile(const QString &path, Database &database, Prompter &prompter,
                            OpenAccess access)
{
    CheckedFile file(path);
    if (!file.openForReading(access == OpenAccess::ReadWrite)) {
        prompter.ask({QCoreApplication::translate("PdbReader", "Error"), openErrorText(),
                      Icon::Error, Buttons::Ok});
        return LoadResult::NotOpened;
    }
    return readDatabase(file, path, database, prompter);
}

} // namespace kribed
