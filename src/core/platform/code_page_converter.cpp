// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/code_page_converter.h"

#include <QCoreApplication>

#include <QStringList>

#include <algorithm>
#include <cstring>
#include <memory>

namespace kribed {

namespace {

constexpr char16_t Replacement = 0xFFFD;
constexpr char Unheld = '?';

// Stateless: a value that ends in half a character gives U+FFFD for it, and nothing is carried
// from one value into the next.
constexpr QStringConverter::Flags ConverterFlags = QStringConverter::Flag::Stateless;

bool isAscii(QByteArrayView bytes)
{
    return isAsciiBytes(bytes);
}

bool isAscii(QStringView text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// A fresh converter for each probe: a converter's error flag stays set once raised.
QString probeDecode(const QByteArray &codePage, QByteArrayView bytes, bool *error = nullptr)
{
    QStringDecoder decoder(codePage.constData(), ConverterFlags);
    const QString text = decoder.decode(bytes);
    if (error)
        *error = decoder.hasError();
    return text;
}

QByteArray probeEncode(const QByteArray &codePage, QStringView text)
{
    QStringEncoder encoder(codePage.constData(), ConverterFlags);
    return encoder.encode(text);
}

// A multi-byte code page reads some byte followed by a second one as a single character.
bool hasLeadBytes(const QByteArray &codePage)
{
    for (int lead = 0x80; lead <= 0xFF; ++lead) {
        for (const char trail : {'\x40', '\x41', '\xA1'}) {
            const char pair[2] = {char(lead), trail};
            bool error = false;
            const QString text = probeDecode(codePage, QByteArrayView(pair, 2), &error);
            if (!error && text.size() == 1)
                return true;
        }
    }
    return false;
}

// Walks the text by characters (a surrogate pair is one).
template<typename Visit> void forEachCharacter(QStringView text, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()
                ? 2
                : 1;
        visit(text.mid(i, length));
        i += length;
    }
}

} // namespace

CodePageConverter::CodePageConverter(const QByteArray &codePage)
    : mCodePage(codePage)
    , mDecoder(codePage.constData(), ConverterFlags)
    , mEncoder(codePage.constData(), ConverterFlags)
{
    mValid = mDecoder.isValid() && mEncoder.isValid();
    if (!mValid)
        return;
    takeAsciiControls();
    mSingleByte = !hasLeadBytes(codePage);
    if (mSingleByte) {
        buildTables();
        mReadsEveryByte =
            mKeepsAscii && std::find(mToText.begin(), mToText.end(), Replacement) == mToText.end();
    }
}

void CodePageConverter::takeAsciiControls()
{
    // Windows keeps the ASCII bytes as they are in every code page it offers; some converters
    // swap a few control bytes among themselves (Shift_JIS: 0x1A, 0x1C, 0x7F), which would turn a
    // Ctrl+Z in a cell into another control character in a UTF-8 file. Such a swap is undone here.
    for (int byte = 0; byte < 128; ++byte) {
        mFromConverter[byte] = char16_t(byte);
        mToConverter[byte] = char16_t(byte);
    }
    bool keeps = true;
    for (int byte = 0; byte < 128; ++byte) {
        const char one = char(byte);
        const QString text = probeDecode(mCodePage, QByteArrayView(&one, 1));
        const char16_t unit = text.size() == 1 ? text.at(0).unicode() : Replacement;
        const bool control = byte < 0x20 || byte == 0x7F;
        const bool unitControl = unit < 0x20 || unit == 0x7F;
        if (unit == byte)
            continue;
        if (!control || !unitControl) {
            keeps = false;
            continue;
        }
        mFromConverter[unit] = char16_t(byte);
        mToConverter[byte] = unit;
        mSwapsControls = true;
    }
    mKeepsAscii = keeps;
}

QString CodePageConverter::toConverter(QStringView text) const
{
    QString mapped = text.toString();
    if (mSwapsControls) {
        for (QChar &c : mapped) {
            if (c.unicode() < 0x80)
                c = QChar(mToConverter[c.unicode()]);
        }
    }
    return mapped;
}

void CodePageConverter::buildTables()
{
    mFromText.assign(0x10000, Unheld);
    mHeld.assign(0x10000, false);
    for (int byte = 0; byte < 256; ++byte) {
        const char one = char(byte);
        bool error = false;
        const QString text = probeDecode(mCodePage, QByteArrayView(&one, 1), &error);
        // A byte counts only when its character gives the byte back.
        const bool character = !error && text.size() == 1 && text.at(0).unicode() != Replacement
                               && probeEncode(mCodePage, text) == QByteArray(1, one);
        mToText[byte] = character ? text.at(0).unicode() : Replacement;
        const QByteArray utf8 = character ? text.toUtf8() : QByteArray(1, Unheld);
        std::copy(utf8.begin(), utf8.end(), mToUtf8[byte].begin());
        mUtf8Size[byte] = quint8(utf8.size());
        if (character) {
            mFromText[text.at(0).unicode()] = one;
            mHeld[text.at(0).unicode()] = true;
        }
    }
}

QByteArray CodePageConverter::encode(QStringView text, QString *unheld)
{
    if (mKeepsAscii && isAscii(text))
        return text.toLatin1();
    if (!mValid) {
        if (unheld)
            *unheld += text.toString();
        return QByteArray(text.size(), Unheld);
    }
    return mSingleByte ? encodeSingleByte(text, unheld) : encodeMultiByte(text, unheld);
}

QByteArray CodePageConverter::encodeSingleByte(QStringView text, QString *unheld)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    forEachCharacter(text, [&](QStringView character) {
        const char16_t unit = character.at(0).unicode();
        if (character.size() == 1 && mHeld[unit]) {
            bytes += mFromText[unit];
            return;
        }
        bytes += Unheld;
        if (unheld)
            *unheld += character;
    });
    return bytes;
}

QByteArray CodePageConverter::encodeMultiByte(QStringView text, QString *unheld)
{
    // Whole first: a text that comes back unchanged is held. Only otherwise each character is
    // tried on its own, since converters put bytes of their own choosing in place of a missing
    // character.
    const QByteArray whole = mEncoder.encode(toConverter(text));
    if (decodeWithConverter(whole) == text)
        return whole;
    QByteArray bytes;
    forEachCharacter(text, [&](QStringView character) {
        const QByteArray one = mEncoder.encode(toConverter(character));
        if (!one.isEmpty() && decodeWithConverter(one) == character) {
            bytes += one;
            return;
        }
        bytes += Unheld;
        if (unheld)
            *unheld += character;
    });
    return bytes;
}

QString CodePageConverter::decodeWithConverter(QByteArrayView bytes)
{
    QString text = mDecoder.decode(bytes);
    if (mSwapsControls) {
        for (QChar &c : text) {
            if (c.unicode() < 0x80)
                c = QChar(mFromConverter[c.unicode()]);
        }
    }
    return text;
}

bool CodePageConverter::decode(QByteArrayView bytes, QString &text, int *unreadable)
{
    if (unreadable)
        *unreadable = 0;
    if (mKeepsAscii && isAscii(bytes)) {
        text = QString::fromLatin1(bytes);
        return true;
    }
    if (!mValid) {
        text = QString(bytes.size(), QChar(Replacement));
        if (unreadable)
            *unreadable = int(bytes.size());
        return bytes.isEmpty();
    }
    if (mSingleByte) {
        text.resize(bytes.size());
        QChar *out = text.data();
        int bad = 0;
        for (const char c : bytes) {
            const char16_t unit = mToText[uchar(c)];
            bad += unit == Replacement;
            *out++ = QChar(unit);
        }
        if (unreadable)
            *unreadable = bad;
        return bad == 0;
    }
    text = decodeWithConverter(bytes);
    if (QByteArray(mEncoder.encode(toConverter(text))) == bytes)
        return true;
    if (unreadable)
        *unreadable = std::max<int>(1, int(text.count(QChar(Replacement))));
    return false;
}

int CodePageConverter::unreadable(QByteArrayView bytes)
{
    if (mKeepsAscii && isAscii(bytes))
        return 0;
    if (mSingleByte) {
        int count = 0;
        for (const char c : bytes)
            count += mToText[uchar(c)] == Replacement;
        return count;
    }
    QString text;
    int count = 0;
    decode(bytes, text, &count);
    return count;
}

QByteArray CodePageConverter::toUtf8(QByteArrayView bytes)
{
    if (mKeepsAscii && isAscii(bytes))
        return bytes.toByteArray();
    if (mSingleByte) {
        // A character of a single-byte page takes at most 3 bytes of UTF-8; each is copied as 4.
        QByteArray utf8(bytes.size() * 3 + 1, Qt::Uninitialized);
        char *p = utf8.data();
        for (const char c : bytes) {
            std::memcpy(p, mToUtf8[uchar(c)].data(), 4);
            p += mUtf8Size[uchar(c)];
        }
        utf8.truncate(p - utf8.constData());
        return utf8;
    }
    QString text;
    decode(bytes, text);
    return text.replace(QChar(Replacement), QLatin1Char(Unheld)).toUtf8();
}

CodePageConverter &CodePageConverter::shared(const QByteArray &codePage)
{
    // Mostly one code page serves a whole run; a few are kept should the user switch.
    thread_local std::vector<std::unique_ptr<CodePageConverter>> converters;
    for (const std::unique_ptr<CodePageConverter> &converter : converters) {
        if (converter->codePage() == codePage)
            return *converter;
    }
    if (converters.size() >= 4)
        converters.erase(converters.begin());
    converters.push_back(std::make_unique<CodePageConverter>(codePage));
    return *converters.back();
}

QString unheldCharacters(QStringView text, const QByteArray &codePage)
{
    QString unheld;
    CodePageConverter::shared(codePage).encode(text, &unheld);
    LossReport report;
    report.add(0, unheld);
    return report.distinctCharacters();
}

QString characterNames(QStringView characters, int limit)
{
    QStringList named;
    qsizetype i = 0;
    while (i < characters.size() && named.size() < limit) {
        const bool pair = characters.at(i).isHighSurrogate() && i + 1 < characters.size();
        const char32_t code = pair ? QChar::surrogateToUcs4(characters.at(i), characters.at(i + 1))
                                   : characters.at(i).unicode();
        const QString number = QString::number(uint(code), 16).toUpper();
        named.append(
            QStringLiteral("%1 (U+%2)")
                .arg(characters.mid(i, pair ? 2 : 1).toString(), number.rightJustified(4, u'0')));
        i += pair ? 2 : 1;
    }
    QString text = named.join(QStringLiteral(", "));
    if (i < characters.size())
        text += QStringLiteral(", ...");
    return text;
}

void LossReport::add(int record, QStringView unheld, int unreadableBytes)
{
    if (unheld.isEmpty() && unreadableBytes == 0)
        return;
    mBytes += unreadableBytes;
    forEachCharacter(unheld, [this](QStringView character) {
        ++mCharacters;
        const char32_t code = character.size() == 2
                                  ? QChar::surrogateToUcs4(character.at(0), character.at(1))
                                  : character.at(0).unicode();
        if (!mSeen.contains(code)) {
            mSeen.insert(code);
            mDistinct += character;
        }
    });
    const auto at = std::lower_bound(mRecords.begin(), mRecords.end(), record);
    if (at == mRecords.end() || *at != record)
        mRecords.insert(at, record);
}

QString LossReport::recordsText(int shown) const
{
    QStringList names;
    for (qsizetype i = 0; i < mRecords.size() && i < shown; ++i) {
        names.append(mRecords.at(i) == 0
                         ? QCoreApplication::translate("CodePageConverter", "field names")
                         : QString::number(mRecords.at(i)));
    }
    QString text = names.join(QStringLiteral(", "));
    if (mRecords.size() > shown)
        text += QCoreApplication::translate("CodePageConverter", " and %1 more")
                    .arg(mRecords.size() - shown);
    return text;
}

} // namespace kribed
