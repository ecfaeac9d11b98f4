// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVector>

#include <initializer_list>
#include <iterator>

namespace kribed {

// Where a cell's text stands in its record's buffer. An empty text needs no bytes.
struct TextSpan
{
    quint32 offset = 0;
    quint32 length = 0;
    friend bool operator==(TextSpan a, TextSpan b)
    {
        return a.offset == b.offset && a.length == b.length;
    }
};

} // namespace kribed

Q_DECLARE_TYPEINFO(kribed::TextSpan, Q_RELOCATABLE_TYPE);

namespace kribed {

// The cells of one record: one implicitly shared buffer of texts and a table of where each cell's
// text stands in it. A loaded record shares the file's bytes with every other record, so a cell
// costs eight bytes beside the file. Copying a record copies neither the buffer nor the table;
// the first change of a text in a record whose buffer is shared gives the record a buffer of its
// own holding only its own texts. Every text in a buffer is followed by a NUL byte, so a cell's
// constData() is terminated like any QByteArray's.
class Record
{
public:
    class const_iterator
    {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = QByteArray;
        using difference_type = qsizetype;
        using pointer = void;
        using reference = const QByteArray;

        const_iterator() = default;
        const QByteArray operator*() const { return mRecord->at(mIndex); }
        const QByteArray operator[](qsizetype n) const { return mRecord->at(mIndex + n); }
        const_iterator &operator++() { return ++mIndex, *this; }
        const_iterator operator++(int) { return {mRecord, mIndex++}; }
        const_iterator &operator--() { return --mIndex, *this; }
        const_iterator operator--(int) { return {mRecord, mIndex--}; }
        const_iterator &operator+=(qsizetype n) { return mIndex += n, *this; }
        const_iterator &operator-=(qsizetype n) { return mIndex -= n, *this; }
        friend const_iterator operator+(const_iterator i, qsizetype n) { return i += n; }
        friend const_iterator operator-(const_iterator i, qsizetype n) { return i -= n; }
        friend qsizetype operator-(const_iterator a, const_iterator b)
        {
            return a.mIndex - b.mIndex;
        }
        friend bool operator==(const_iterator a, const_iterator b) { return a.mIndex == b.mIndex; }
        friend bool operator!=(const_iterator a, const_iterator b) { return a.mIndex != b.mIndex; }
        friend bool operator<(const_iterator a, const_iterator b) { return a.mIndex < b.mIndex; }

    private:
        friend class Record;
        const_iterator(const Record *record, qsizetype index)
            : mRecord(record)
            , mIndex(index)
        {
        }
        const Record *mRecord = nullptr;
        qsizetype mIndex = 0;
    };
    using iterator = const_iterator;
    using value_type = QByteArray;
    using size_type = qsizetype;

    Record() = default;
    // `count` empty cells.
    explicit Record(qsizetype count)
        : mPlaces(count)
    {
    }
    Record(std::initializer_list<QByteArray> texts);
    Record(const QList<QByteArray> &texts);
    // A record over an existing buffer; every place lies within it and its text is followed by a
    // NUL byte (the buffer's own terminator counts). The reader builds records this way.
    Record(QByteArray buffer, QVector<TextSpan> places);

    qsizetype size() const { return mPlaces.size(); }
    qsizetype count() const { return size(); }
    bool isEmpty() const { return mPlaces.isEmpty(); }

    // The text of cell i (0-based), sharing the record's buffer; empty for an empty cell. The
    // value is const so that `record[i] = text` is refused instead of changing a copy: replace()
    // changes a cell.
    const QByteArray at(qsizetype i) const
    {
        const TextSpan span = mPlaces.at(i);
        return span.length == 0 ? QByteArray() : slice(span);
    }
    const QByteArray operator[](qsizetype i) const { return at(i); }
    // Like at(), but empty past the last cell.
    const QByteArray value(qsizetype i) const
    {
        return i >= 0 && i < size() ? at(i) : QByteArray();
    }
    // The text without taking a reference to the buffer; valid until the record changes.
    QByteArrayView view(qsizetype i) const
    {
        const TextSpan span = mPlaces.at(i);
        if (span.length == 0)
            return QByteArrayView("", 0);
        return QByteArrayView(mBuffer.constData() + span.offset, span.length);
    }

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
    const_iterator cbegin() const { return begin(); }
    const_iterator cend() const { return end(); }

    void replace(qsizetype i, QByteArrayView text);
    void append(QByteArrayView text);
    void insert(qsizetype i, QByteArrayView text);
    void removeAt(qsizetype i);
    void remove(qsizetype i, qsizetype n = 1);
    void move(qsizetype from, qsizetype to) { mPlaces.move(from, to); }
    // Cuts the record to `count` cells or adds empty ones.
    void resize(qsizetype count);
    // Makes room for `cells` cells in all and `bytes` more bytes of texts (their NULs included),
    // so that a record filled one cell after another allocates once.
    void reserve(qsizetype cells, qsizetype bytes);

    QList<QByteArray> toList() const;

    // True when both are copies of one record that neither has changed since: then they are
    // equal without comparing a text. False says nothing.
    bool isSharedWith(const Record &other) const
    {
        return mPlaces.constData() == other.mPlaces.constData()
               && mBuffer.constData() == other.mBuffer.constData();
    }

    friend bool operator==(const Record &a, const Record &b);
    friend bool operator!=(const Record &a, const Record &b) { return !(a == b); }

    // The bytes the buffer holds, live or not; for tests and measurements.
    qsizetype bufferSize() const { return mBuffer.size(); }

private:
    QByteArray slice(TextSpan span) const;
    template<typename Texts> void assign(const Texts &texts);
    TextSpan store(QByteArrayView text);
    bool ownsBuffer() const;
    void rebuild(qsizetype extraBytes);
    void compactIfWasteful();

    QByteArray mBuffer;
    QVector<TextSpan> mPlaces;
    // The bytes this record's texts and their NULs take; the buffer may hold more (texts that
    // were replaced, or the rest of a file).
    quint32 mLiveBytes = 0;
    // True when the buffer was made by this record (and copies of it), so texts may be added at
    // its end once no one else refers to it; a file's buffer is never written.
    bool mOwnBuffer = false;
};

} // namespace kribed

// Moved in memory as bytes: the database's record list and the sort move whole records.
Q_DECLARE_TYPEINFO(kribed::Record, Q_RELOCATABLE_TYPE);
