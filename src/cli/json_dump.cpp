// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/json_dump.h"

#include "cli/cli_text_codec.h"
#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QFileDevice>
#include <QIODevice>

#include <vector>

namespace kribed {

namespace {

// Writes JSON in the indented layout of QJsonDocument (four blanks a level, "key": value, an
// empty array as "[" and "]" on two lines), which the dump has always had. Members must be given
// in the order that layout sorts them: by key.
class JsonStream
{
public:
    explicit JsonStream(QIODevice &device)
        : mDevice(device)
    {
        mOut.reserve(FlushSize + 4096);
    }

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    void key(const char *name)
    {
        element();
        mOut += '"';
        mOut += name;
        mOut += "\": ";
        mAfterKey = true;
    }

    void value(const QString &text)
    {
        element();
        appendString(text);
    }

    void value(int number)
    {
        element();
        mOut += QByteArray::number(number);
    }

    void value(bool truth)
    {
        element();
        mOut += truth ? "true" : "false";
    }

    // Ends the document with its line break and hands over the rest.
    bool finish()
    {
        mOut += '\n';
        flush();
        // A file keeps the last bytes in its own buffer; they may still fail on their way out.
        if (auto *file = qobject_cast<QFileDevice *>(&mDevice); file && !file->flush())
            mWritten = false;
        return mWritten;
    }

private:
    static constexpr qsizetype FlushSize = 1 << 16;

    struct Level
    {
        int count = 0;
    };

    // What stands before a value: nothing after a key, else the comma and the indentation.
    void element()
    {
        if (mAfterKey) {
            mAfterKey = false;
            return;
        }
        if (mLevels.empty())
            return;
        if (mLevels.back().count++ > 0)
            mOut += ",\n";
        indent(mLevels.size());
    }

    void open(char bracket)
    {
        element();
        mOut += bracket;
        mOut += '\n';
        mLevels.push_back({});
    }

    void close(char bracket)
    {
        const bool empty = mLevels.back().count == 0;
        mLevels.pop_back();
        if (!empty)
            mOut += '\n';
        indent(mLevels.size());
        mOut += bracket;
        if (mOut.size() >= FlushSize)
            flush();
    }

    void indent(std::size_t depth) { mOut.append(qsizetype(4 * depth), ' '); }

    void appendString(const QString &text)
    {
        static const char Hex[] = "0123456789abcdef";
        mOut += '"';
        const QByteArray utf8 = text.toUtf8();
        for (const char c : utf8) {
            const uchar byte = uchar(c);
            if (byte >= 0x20 && byte != '"' && byte != '\\') {
                mOut += c;
                continue;
            }
            mOut += '\\';
            switch (byte) {
            case '"': mOut += '"'; break;
            case '\\': mOut += '\\'; break;
            case '\b': mOut += 'b'; break;
            case '\f': mOut += 'f'; break;
            case '\n': mOut += 'n'; break;
            case '\r': mOut += 'r'; break;
            case '\t': mOut += 't'; break;
            default:
                mOut += "u00";
                mOut += Hex[byte >> 4];
                mOut += Hex[byte & 0xf];
            }
        }
        mOut += '"';
    }

    void flush()
    {
        if (mWritten && mDevice.write(mOut) != mOut.size())
            mWritten = false;
        mOut.resize(0);
    }

    QIODevice &mDevice;
    QByteArray mOut;
    std::vector<Level> mLevels;
    bool mAfterKey = false;
    bool mWritten = true;
};

void writeTexts(JsonStream &json, const QList<QByteArray> &texts, CliTextCodec &codec)
{
    json.beginArray();
    for (const QByteArray &text : texts)
        json.value(codec.decode(text));
    json.endArray();
}

void writeField(JsonStream &json, const Database &database, int field, CliTextCodec &codec)
{
    json.beginObject();
    json.key("name");
    json.value(codec.decode(database.fieldName(field)));
    json.key("popup");
    writeTexts(json, database.popupList(field), codec);
    json.key("type");
    json.value(database.fieldType(field));
    json.key("typeName");
    json.value(typeName(database.fieldType(field)));
    json.key("width");
    json.value(database.widthUnits(field));
    json.endObject();
}

void writeFlags(JsonStream &json, const DatabaseFlags &flags)
{
    json.beginObject();
    json.key("autoLock");
    json.value(flags.autoLock);
    json.key("kriboFilter");
    json.value(flags.kriboFilter);
    json.key("private");
    json.value(flags.isPrivate);
    json.key("readOnly");
    json.value(flags.readOnly);
    json.endObject();
}

} // namespace

QString layoutName(const Database &database)
{
    return database.convertedFromKribo3() ? QStringLiteral("kribo3") : QStringLiteral("pro");
}

QString modificationText(const QDateTime &time)
{
    if (!time.isValid())
        return QString();
    // The model holds the file's clock reading as it stands; print that reading unconverted.
    return time.date().toString(QStringLiteral("yyyy-MM-dd")) + u'T'
           + time.time().toString(QStringLiteral("HH:mm:ss"));
}

bool writeDatabaseJson(const Database &database, CliTextCodec &codec, QIODevice &device)
{
    JsonStream json(device);
    json.beginObject();
    json.key("extras");
    json.value(database.extrasLength());
    json.key("fields");
    json.beginArray();
    for (int field = 1; field <= database.fieldCount(); ++field)
        writeField(json, database, field, codec);
    json.endArray();
    json.key("filterField");
    json.value(database.filterField());
    json.key("filterText");
    json.value(codec.decode(database.filterText()));
    json.key("flags");
    writeFlags(json, database.flags());
    json.key("layout");
    json.value(layoutName(database));
    json.key("modified");
    json.value(modificationText(database.modificationTime()));
    json.key("name");
    json.value(codec.decode(database.name()));
    json.key("path");
    json.value(database.filePath());
    json.key("records");
    json.beginArray();
    for (const Database::Record &record : database.records())
        writeTexts(json, record, codec);
    json.endArray();
    json.key("secondarySort");
    json.value(database.secondarySortField());
    json.key("tertiarySort");
    json.value(database.tertiarySortField());
    json.endObject();
    return json.finish();
}

} // namespace kribed
