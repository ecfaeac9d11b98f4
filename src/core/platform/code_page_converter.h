// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringView>

#include <array>
#include <vector>

namespace kribed {

// Converts between the bytes of a code page and text, and says which characters do not survive
// the step. Plain ASCII passes without a converter wherever the code page keeps it as it is, so
// the usual Western values cost a scan only. Single-byte code pages go through tables built once.
class CodePageConverter
{
public:
    explicit CodePageConverter(const QByteArray &codePage);

    bool isValid() const { return mValid; }
    const QByteArray &codePage() const { return mCodePage; }
    // Whether ASCII bytes and characters pass unchanged (true for every code page of the display
    // font's character sets).
    bool keepsAscii() const { return mKeepsAscii; }

    // The bytes of the text in the code page. Each character the code page cannot hold becomes
    // '?' and, when `unheld` is given, is appended to it (once per occurrence).
    QByteArray encode(QStringView text, QString *unheld = nullptr);

    // The text of the bytes. False when some bytes are no character of the code page (they become
    // U+FFFD), so that the text would not give back the same bytes; `unreadable`, when given,
    // receives how many such bytes there were.
    bool decode(QByteArrayView bytes, QString &text, int *unreadable = nullptr);

    // Whether no byte starts a character of several bytes.
    bool isSingleByte() const { return mSingleByte; }
    // Whether every byte is a character of the code page on its own, so that no bytes can be
    // unreadable (the Western, Central European and Cyrillic pages, for example).
    bool readsEveryByte() const { return mReadsEveryByte; }
    // How many bytes (or pieces) are no character of the code page: 0 when decode() is true.
    int unreadable(QByteArrayView bytes);

    // The bytes as UTF-8, each byte (or piece) that is no character of the code page as '?'.
    QByteArray toUtf8(QByteArrayView bytes);

    // A converter for the code page that lives for the thread: building one costs a few
    // milliseconds, so operations that may meet many values share it.
    static CodePageConverter &shared(const QByteArray &codePage);

private:
    void takeAsciiControls();
    QString toConverter(QStringView text) const;
    void buildTables();
    QByteArray encodeSingleByte(QStringView text, QString *unheld);
    QByteArray encodeMultiByte(QStringView text, QString *unheld);
    QString decodeWithConverter(QByteArrayView bytes);

    QByteArray mCodePage;
    bool mValid = false;
    bool mKeepsAscii = false;
    bool mSingleByte = false;
    bool mSwapsControls = false;
    bool mReadsEveryByte = false;
    std::array<char16_t, 128> mFromConverter{}; // ASCII as the converter reads it, put right
    std::array<char16_t, 128> mToConverter{};   // and what the converter wants for each
    // Single-byte pages: the character of each byte (U+FFFD for none), and the byte of each
    // UTF-16 unit with whether the page holds it.
    std::array<char16_t, 256> mToText{};
    std::array<std::array<char, 4>, 256> mToUtf8{}; // each byte's UTF-8 ('?' for none)
    std::array<quint8, 256> mUtf8Size{};
    std::vector<char> mFromText;
    std::vector<bool> mHeld;
    QStringDecoder mDecoder;
    QStringEncoder mEncoder;
};

// Whether every byte is below 128. Written without an early exit, so that the compiler can test
// many bytes at once: most values are short and plain.
inline bool isAsciiBytes(QByteArrayView bytes)
{
    uchar all = 0;
    for (const char c : bytes)
        all |= uchar(c);
    return all < 0x80;
}

// The characters of a text that the code page cannot hold, each once, in the order they first
// appear. Empty when the code page holds the whole text (or is unknown).
QString unheldCharacters(QStringView text, const QByteArray &codePage);

// The characters by themselves and by number, since some cannot be seen: "Ђ (U+0402), ✓
// (U+2713)"; past `limit` of them ", ..." stands for the rest.
QString characterNames(QStringView characters, int limit = 40);

// Gathers, over the values of many records, what a conversion between a file's encoding and the
// code page loses: characters the code page cannot hold, and bytes that are no character of the
// side they were read from. Records are counted as the grid counts rows: 0 is the field names.
class LossReport
{
public:
    // Adds what one value of the record lost (either may be empty or 0).
    void add(int record, QStringView unheld, int unreadableBytes = 0);

    bool isEmpty() const { return mCharacters == 0 && mBytes == 0; }
    // How many characters could not be held, in all (each occurrence counts).
    int characterCount() const { return mCharacters; }
    // How many bytes were no character.
    int byteCount() const { return mBytes; }
    // The characters that could not be held, each once, in the order met.
    const QString &distinctCharacters() const { return mDistinct; }
    // The records that lost something, ascending, each once.
    const QList<int> &records() const { return mRecords; }

    // "field names, 3, 7, 12 and 4 more": the records, at most `shown` of them named.
    QString recordsText(int shown = 10) const;

private:
    int mCharacters = 0;
    int mBytes = 0;
    QString mDistinct;
    QSet<char32_t> mSeen;
    QList<int> mRecords;
};

} // namespace kribed
