// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/record.h"

#include <cstring>
#include <limits>

namespace kribed {

namespace {

// A buffer with more dead bytes than this beyond its live ones is rewritten on the next change.
constexpr qsizetype WasteSlack = 256;

qsizetype bytesOf(TextSpan place)
{
    return place.length == 0 ? 0 : qsizetype(place.length) + 1;
}

} // namespace

template<typename Texts> void Record::assign(const Texts &texts)
{
    qsizetype bytes = 0;
    for (const QByteArray &text : texts)
        bytes += text.isEmpty() ? 0 : text.size() + 1;
    mBuffer.reserve(bytes);
    mOwnBuffer = true;
    mPlaces.reserve(qsizetype(texts.size()));
    for (const QByteArray &text : texts)
        append(text);
}

Record::Record(std::initializer_list<QByteArray> texts)
{
    assign(texts);
}

Record::Record(const QList<QByteArray> &texts)
{
    assign(texts);
}

Record::Record(QByteArray buffer, QVector<TextSpan> places)
    : mBuffer(std::move(buffer))
    , mPlaces(std::move(places))
{
    for (const TextSpan place : std::as_const(mPlaces))
        mLiveBytes += quint32(bytesOf(place));
}

// A text of the buffer as a QByteArray that refers to the buffer's bytes like any implicitly
// shared copy: it keeps them alive, and changing it detaches it.
QByteArray Record::slice(TextSpan span) const
{
    // One more reference to the buffer; the buffer itself is not changed.
    QByteArray::DataPointer piece = const_cast<QByteArray &>(mBuffer).data_ptr();
    if (!piece.d_ptr())
        return QByteArray(mBuffer.constData() + span.offset, span.length); // not owned
    piece.ptr += span.offset;
    piece.size = span.length;
    return QByteArray(std::move(piece));
}

void Record::replace(qsizetype i, QByteArrayView text)
{
    if (view(i) == text)
        return; // nothing changes, and a shared buffer stays shared
    mLiveBytes -= quint32(bytesOf(mPlaces.at(i)));
    mPlaces[i] = TextSpan(); // the old text is not carried into a new buffer
    const TextSpan place = store(text);
    mPlaces[i] = place;
    compactIfWasteful();
}

void Record::append(QByteArrayView text)
{
    const TextSpan place = store(text);
    mPlaces.append(place);
}

void Record::insert(qsizetype i, QByteArrayView text)
{
    const TextSpan place = store(text);
    mPlaces.insert(i, place);
}

void Record::removeAt(qsizetype i)
{
    remove(i, 1);
}

void Record::remove(qsizetype i, qsizetype n)
{
    for (qsizetype k = i; k < i + n; ++k)
        mLiveBytes -= quint32(bytesOf(mPlaces.at(k)));
    mPlaces.remove(i, n);
    compactIfWasteful();
}

void Record::resize(qsizetype count)
{
    if (count < size())
        remove(count, size() - count);
    else
        mPlaces.resize(count);
}

void Record::reserve(qsizetype cells, qsizetype bytes)
{
    mPlaces.reserve(cells);
    if (!ownsBuffer())
        rebuild(bytes);
    else
        mBuffer.reserve(mBuffer.size() + bytes);
}

QList<QByteArray> Record::toList() const
{
    QList<QByteArray> texts;
    texts.reserve(size());
    for (qsizetype i = 0; i < size(); ++i)
        texts.append(at(i));
    return texts;
}

bool operator==(const Record &a, const Record &b)
{
    if (a.size() != b.size())
        return false;
    if (a.mBuffer.constData() == b.mBuffer.constData() && a.mPlaces == b.mPlaces)
        return true;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.view(i) != b.view(i))
            return false;
    }
    return true;
}

// Puts a text at the end of a buffer this record alone holds and returns its place. Texts of a
// shared buffer are never written over, so every copy of the record and every cell handed out
// keeps what it had.
TextSpan Record::store(QByteArrayView text)
{
    if (text.isEmpty())
        return TextSpan();
    QByteArray own;
    const char *begin = mBuffer.constData();
    if (text.data() >= begin && text.data() < begin + mBuffer.size()) {
        own = text.toByteArray(); // the buffer may move as it grows
        text = own;
    }
    if (!ownsBuffer())
        rebuild(text.size() + 1);
    const qsizetype at = mBuffer.size();
    if (at + text.size() >= qsizetype(std::numeric_limits<quint32>::max()))
        qBadAlloc();
    mBuffer.resize(at + text.size() + 1);
    std::memcpy(mBuffer.data() + at, text.data(), text.size());
    mBuffer[at + text.size()] = '\0';
    mLiveBytes += quint32(text.size() + 1);
    return {quint32(at), quint32(text.size())};
}

bool Record::ownsBuffer() const
{
    return mOwnBuffer && mBuffer.isDetached();
}

// Gives the record a buffer of its own holding only its live texts, with room for `extraBytes`.
void Record::rebuild(qsizetype extraBytes)
{
    // Sized once and filled by copies: a record of many cells is rebuilt in one allocation.
    qsizetype live = 0;
    for (const TextSpan place : std::as_const(mPlaces))
        live += bytesOf(place);
    QByteArray fresh;
    fresh.reserve(live + extraBytes);
    fresh.resize(live);
    char *to = fresh.data();
    qsizetype at = 0;
    for (TextSpan &place : mPlaces) {
        if (place.length == 0) {
            place = TextSpan();
            continue;
        }
        std::memcpy(to + at, mBuffer.constData() + place.offset, place.length);
        to[at + place.length] = '\0';
        place.offset = quint32(at);
        at += qsizetype(place.length) + 1;
    }
    mLiveBytes = quint32(fresh.size());
    mBuffer = std::move(fresh);
    mOwnBuffer = true;
}

void Record::compactIfWasteful()
{
    if (mOwnBuffer && mBuffer.size() > 2 * qsizetype(mLiveBytes) + WasteSlack)
        rebuild(0);
}

} // namespace kribed
