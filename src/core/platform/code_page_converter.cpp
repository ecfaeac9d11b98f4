// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/code_page_converter.h"

#include <QStringList>

#include <algorithm>
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
    for (const char c : bytes) {
        if (uchar(c) >= 0x80)
            return false;
    }
    return true;
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
    QByteArray ascii(128, Qt::Uninitialized);
    for (int i = 0; i < 128; ++i)
        ascii[i] = char(i);
    mKeepsAscii = probeDecode(codePage, ascii) == QString::fromLatin1(ascii)
                  && probeEncode(codePage, QString::fromLatin1(ascii)) == ascii;
    mSingleByte = !hasLeadBytes(codePage);
    if (mSingleByte)
        buildTables();
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
    const QByteArray whole = mEncoder.encode(text);
    if (decodeWithConverter(whole) == text)
        return whole;
    QByteArray bytes;
    forEachCharacter(text, [&](QStringView character) {
        const QByteArray one = mEncoder.encode(character);
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
    return mDecoder.decode(bytes);
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
    if (QByteArray(mEncoder.encode(text)) == bytes)
        return true;
    if (unreadable)
        *unreadable = std::max<int>(1, int(text.count(QChar(Replacement))));
    return false;
}

QString unheldCharacters(QStringView text, const QByteArray &codePage)
{
    // Checks come one edit at a time, mostly for the same code page: keep its converter.
    thread_local QByteArray lastPage;
    thread_local std::unique_ptr<CodePageConverter> converter;
    if (!converter || lastPage != codePage) {
        converter = std::make_unique<CodePageConverter>(codePage);
        lastPage = codePage;
    }
    QString unheld;
    converter->encode(text, &unheld);
    LossReport report;
    report.add(0, unheld);
    return report.distinctCharacters();
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
        names.append(mRecords.at(i) == 0 ? QStringLiteral("field names")
                                         : QString::number(mRecords.at(i)));
    }
    QString text = names.join(QStringLiteral(", "));
    if (mRecords.size() > shown)
        text += QStringLiteral(" and %1 more").arg(mRecords.size() - shown);
    return text;
}

} // namespace kribed
