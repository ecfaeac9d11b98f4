// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QBuffer>

namespace kribed::test {

// A buffer whose reads fail from byte `failAt` on. `Position` counts from the start of the
// buffer, so a reader that goes back reads the start again; `AllReads` counts every byte read in
// all, so a reader that reads the text twice fails in its second pass.
class FailingBuffer : public QBuffer
{
public:
    enum Counting { Position, AllReads };

    FailingBuffer(QByteArray *data, qint64 failAt, Counting counting = Position)
        : QBuffer(data)
        , mFailAt(failAt)
        , mCounting(counting)
    {
    }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 done = mCounting == Position ? pos() : mRead;
        if (done >= mFailAt)
            return -1;
        const qint64 got = QBuffer::readData(data, qMin(maxSize, mFailAt - done));
        mRead += qMax<qint64>(got, 0);
        return got;
    }

private:
    qint64 mFailAt;
    Counting mCounting;
    qint64 mRead = 0;
};

} // namespace kribed::test
