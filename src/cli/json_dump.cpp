// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/json_dump.h"

#include "cli/cli_text_codec.h"
#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QFileDevice>
#include <QIODevice>

#include <algorithm>
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

    // A cell's bytes as text: ASCII, which is UTF-8 already, goes out without converting.
    void value(QByteArrayView bytes, CliTextCodec &codec)
    {
        element();
        const bool ascii =
            std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
        mOut += '"';
        if (ascii && codec.keepsAscii())
            appendEscaped(bytes);
        else
            appendEscaped(codec.decode(bytes).toUtf8());
        mOut += '"';
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
        mOut += '"';
        appendEscaped(text.toUtf8());
        mOut += '"';
    }

    // UTF-8 bytes with the quote, the backslash and the control characters escaped.
    void appendEscaped(QByteArrayView utf8)
    {
        static const char Hex[] = "0123456789abcdef";
        qsizetype plainFrom = 0;
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            const uchar byte = uchar(utf8[i]);
            if (byte >= 0x20 && byte != '"' && byte != '\\')
                continue;
            mOut.append(utf8.sliced(plainFrom, i - plainFrom));
            plainFrom = i + 1;
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
        mOut.append(utf8.sliced(plainFrom));
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
        json.value(text, codec);
    json.endArray();
}

void writeTexts(JsonStream &json, const Database::Record &record, CliTextCodec &codec)
{
    json.beginArray();
    for (qsizetype i = 0; i < record.size(); ++i)
        json.value(record.view(i), codec);
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
