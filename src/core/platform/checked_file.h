// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QIODevice>
#include <QString>

#include <memory>

namespace kribed {

// A file for reading whose every failed read is a failure. QFile reports a read error only when
// a request brought no byte at all, so a disk error part way through passes for a shorter file;
// here the first failed read fails that request and every later one.
class CheckedFile : public QIODevice
{
public:
    explicit CheckedFile(const QString &path);
    ~CheckedFile() override;

    // Opens for reading. With `mustBeWritable` a file the process may not write is refused too,
    // as the editor refuses to open what it could not save.
    bool openForReading(bool mustBeWritable = false);
    // True once a read has failed.
    bool readFailed() const { return mReadFailed; }

    bool isSequential() const override { return false; }
    qint64 size() const override;
    void close() override;

protected:
    qint64 readData(char *data, qint64 maxSize) override;
    qint64 writeData(const char *data, qint64 size) override;

private:
    QString mPath;
    int mDescriptor = -1;
    bool mReadFailed = false;
    struct Fallback;
    std::unique_ptr<Fallback> mFallback; // where there are no POSIX calls
};

} // namespace kribed
