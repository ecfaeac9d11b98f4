// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/json_dump.h"

#include "cli/cli_text_codec.h"
#include "core/model/database.h"
#include "core/model/field_type.h"

#include <QFileDevice>
#include <QIODevice>

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

namespace kribed {

namespace {

// Copies the bytes to `to` and tells whether one of them needs an escape (a control character,
// the quote, the backslash) or is no ASCII, looking at eight bytes at a time. A false alarm costs a slower
// path only; a byte that needs care is never missed.
bool copyNoting(const char *from, qsizetype size, char *to)
{
    constexpr quint64 Ones = 0x0101010101010101;
    constexpr quint64 Highs = 0x8080808080808080;
    const auto hasZero = [](quint64 word) { return (word - Ones) & ~word & Highs; };
    const auto careIn = [hasZero](quint64 word) {
        return (word & Highs) | ((word - Ones * 0x20) & ~word & Highs)
               | hasZero(word ^ (Ones * '"')) | hasZero(word ^ (Ones * '\\'));
    };
    if (size == 0)
        return false;
    std::memcpy(to, from, size_t(size));
    if (size < 8) {
        quint64 word = Ones * ' '; // blanks need no care
        std::memcpy(&word, from, size_t(size));
        return careIn(word) != 0;
    }
    quint64 care = 0;
    quint64 word;
    for (qsizetype i = 0; i + 8 <= size; i += 8) {
        std::memcpy(&word, from + i, 8);
        care |= careIn(word);
    }
    // The last eight bytes, which may overlap the last word read.
    std::memcpy(&word, from + size - 8, 8);
    return (care | careIn(word)) != 0;
}

// A cell byte's JSON text: the UTF-8 of its character with the escapes the layout writes.
struct ByteText
{
    std::array<char, 7> bytes{};
    quint8 size = 0;
};

// Writes JSON in the indented layout of QJsonDocument (four blanks a level, "key": value, an
// empty array as "[" and "]" on two lines), which the dump has always had. Members must be given
// in the order that layout sorts them: by key. The text is made in a buffer of its own that goes
// to the device in large writes.
class JsonStream
{
public:
    explicit JsonStream(QIODevice &device)
        : mDevice(device)
        , mOut(BufferSize, Qt::Uninitialized)
    {
    }

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }

    void key(const char *name)
    {
        element();
        put('"');
        put(name, qsizetype(std::strlen(name)));
        put("\": ", 3);
        mAfterKey = true;
    }

    void value(const QString &text)
    {
        element();
        put('"');
        appendEscaped(text.toUtf8());
        put('"');
    }

    // A cell's bytes as text. One pass copies them and looks for a byte that needs an escape or
    // converting; only a cell that has one is written again, byte by byte through the code page
    // (or decoded whole where a byte may start a longer character).
    void value(QByteArrayView bytes, CliTextCodec &codec)
    {
        element();
        const qsizetype size = bytes.size();
        char *const start = room(size + 2);
        char *p = start;
        *p++ = '"';
        const bool special = copyNoting(bytes.data(), size, p);
        p += size;
        *p++ = '"';
        if (!special && codec.keepsAscii()) {
            mUsed += p - start;
            return;
        }
        // Not taken: written again below.
        put('"');
        if (const std::array<ByteText, 256> *texts = byteTexts(codec)) {
            for (const char c : bytes) {
                const ByteText &text = (*texts)[uchar(c)];
                put(text.bytes.data(), text.size);
            }
        } else {
            appendEscaped(codec.decode(bytes).toUtf8());
        }
        put('"');
    }

    void value(int number)
    {
        element();
        const QByteArray text = QByteArray::number(number);
        put(text.constData(), text.size());
    }

    void value(bool truth)
    {
        element();
        if (truth)
            put("true", 4);
        else
            put("false", 5);
    }

    // Ends the document with its line break and hands over the rest.
    bool finish()
    {
        put('\n');
        flush();
        // A file keeps the last bytes in its own buffer; they may still fail on their way out.
        if (auto *file = qobject_cast<QFileDevice *>(&mDevice); file && !file->flush())
            mWritten = false;
        return mWritten;
    }

private:
    static constexpr qsizetype BufferSize = 1 << 20;
    static constexpr qsizetype MaxBlanks = 32;
    static constexpr char CommaAndBlanks[] = ",\n                                ";

    struct Level
    {
        int count = 0;
    };

    // Room for `size` more bytes at the end of the text, which the caller fills and counts in
    // mUsed.
    char *room(qsizetype size)
    {
        if (mOut.size() - mUsed < size) {
            flush();
            if (mOut.size() < size)
                mOut.resize(size);
        }
        return mOut.data() + mUsed;
    }

    void put(const char *data, qsizetype size)
    {
        std::memcpy(room(size), data, size_t(size));
        mUsed += size;
    }
    void put(char c) { put(&c, 1); }

    // What stands before a value: nothing after a key, else the comma and the indentation.
    void element()
    {
        if (mAfterKey) {
            mAfterKey = false;
            return;
        }
        if (mLevels.empty())
            return;
        const qsizetype blanks = qsizetype(4 * mLevels.size());
        if (mLevels.back().count++ > 0 && blanks <= MaxBlanks) {
            // The comma, the line break and the blanks in one copy.
            put(CommaAndBlanks, 2 + blanks);
            return;
        }
        if (mLevels.back().count > 1)
            put(",\n", 2);
        indent(mLevels.size());
    }

    void open(char bracket)
    {
        element();
        put(bracket);
        put('\n');
        mLevels.push_back({});
    }

    void close(char bracket)
    {
        const bool empty = mLevels.back().count == 0;
        mLevels.pop_back();
        if (!empty)
            put('\n');
        indent(mLevels.size());
        put(bracket);
    }

    void indent(std::size_t depth)
    {
        const qsizetype blanks = qsizetype(4 * depth);
        std::memset(room(blanks), ' ', size_t(blanks));
        mUsed += blanks;
    }

    // UTF-8 bytes with the quote, the backslash and the control characters escaped.
    void appendEscaped(QByteArrayView utf8)
    {
        qsizetype plainFrom = 0;
        for (qsizetype i = 0; i < utf8.size(); ++i) {
            const uchar byte = uchar(utf8[i]);
            if (byte >= 0x20 && byte != '"' && byte != '\\')
                continue;
            put(utf8.data() + plainFrom, i - plainFrom);
            plainFrom = i + 1;
            const ByteText text = escapeOf(byte);
            put(text.bytes.data(), text.size);
        }
        put(utf8.data() + plainFrom, utf8.size() - plainFrom);
    }

    static ByteText escapeOf(uchar byte)
    {
        static const char Hex[] = "0123456789abcdef";
        const auto text = [](std::initializer_list<char> bytes) {
            ByteText result;
            for (const char c : bytes)
                result.bytes[result.size++] = c;
            return result;
        };
        switch (byte) {
        case '"': return text({'\\', '"'});
        case '\\': return text({'\\', '\\'});
        case '\b': return text({'\\', 'b'});
        case '\f': return text({'\\', 'f'});
        case '\n': return text({'\\', 'n'});
        case '\r': return text({'\\', 'r'});
        case '\t': return text({'\\', 't'});
        default: return text({'\\', 'u', '0', '0', Hex[byte >> 4], Hex[byte & 0xf]});
        }
    }

    // The JSON text of each byte, where the code page reads every byte on its own; none where a
    // byte may start a longer character (then each cell is decoded whole).
    const std::array<ByteText, 256> *byteTexts(CliTextCodec &codec)
    {
        if (!mByteTextsMade) {
            mByteTextsMade = true;
            if (codec.decodesByteByByte())
                mByteTexts = makeByteTexts(codec);
        }
        return mByteTexts ? &*mByteTexts : nullptr;
    }

    std::optional<std::array<ByteText, 256>> makeByteTexts(CliTextCodec &codec)
    {
        std::array<ByteText, 256> texts;
        for (int byte = 0; byte < 256; ++byte) {
            const char one = char(byte);
            const QByteArray utf8 = codec.decode(QByteArrayView(&one, 1)).toUtf8();
            ByteText &text = texts[byte];
            for (const char c : utf8) {
                const uchar unit = uchar(c);
                const ByteText part = unit >= 0x20 && unit != '"' && unit != '\\'
                                          ? ByteText{{char(unit)}, 1}
                                          : escapeOf(unit);
                if (text.size + part.size > text.bytes.size())
                    return std::nullopt; // too long for the table: each cell is decoded whole
                std::copy_n(part.bytes.begin(), part.size, text.bytes.begin() + text.size);
                text.size += part.size;
            }
        }
        return texts;
    }

    void flush()
    {
        if (mWritten && mUsed > 0 && mDevice.write(mOut.constData(), mUsed) != mUsed)
            mWritten = false;
        mUsed = 0;
    }

    QIODevice &mDevice;
    QByteArray mOut;
    qsizetype mUsed = 0;
    std::vector<Level> mLevels;
    bool mAfterKey = false;
    bool mWritten = true;
    bool mByteTextsMade = false;
    std::optional<std::array<ByteText, 256>> mByteTexts;
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
