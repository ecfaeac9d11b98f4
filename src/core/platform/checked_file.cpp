// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/checked_file.h"

#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace kribed {

#ifdef Q_OS_UNIX

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

} // namespace

struct CheckedFile::Fallback
{};

CheckedFile::CheckedFile(const QString &path)
    : mPath(path)
{
}

CheckedFile::~CheckedFile()
{
    close();
}

bool CheckedFile::openForReading(bool mustBeWritable)
{
    if (mPath.isEmpty())
        return false;
    const int flags = (mustBeWritable ? O_RDWR : O_RDONLY) | O_CLOEXEC;
    do {
        mDescriptor = ::open(native(mPath).constData(), flags);
    } while (mDescriptor < 0 && errno == EINTR);
    if (mDescriptor < 0)
        return false;
    mReadFailed = false;
    return open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 CheckedFile::size() const
{
    struct stat status = {};
    if (mDescriptor < 0 || ::fstat(mDescriptor, &status) != 0)
        return 0;
    return S_ISREG(status.st_mode) ? qint64(status.st_size) : 0;
}

void CheckedFile::close()
{
    if (isOpen())
        QIODevice::close();
    if (mDescriptor >= 0)
        ::close(mDescriptor);
    mDescriptor = -1;
}

// Fills the whole request unless the file ends; a failure anywhere in it fails it all.
qint64 CheckedFile::readData(char *data, qint64 maxSize)
{
    if (mReadFailed || mDescriptor < 0)
        return -1;
    const qint64 start = pos();
    qint64 done = 0;
    while (done < maxSize) {
        const ssize_t got = ::pread(mDescriptor, data + done, size_t(maxSize - done), start + done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            mReadFailed = true;
            setErrorString(QString::fromLocal8Bit(std::strerror(errno)));
            return -1;
        }
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

qint64 CheckedFile::writeData(const char *, qint64)
{
    return -1;
}

#else // no POSIX calls: Qt's own file

struct CheckedFile::Fallback
{
    QFile file;
};

CheckedFile::CheckedFile(const QString &path)
    : mPath(path)
{
}

CheckedFile::~CheckedFile()
{
    close();
}

bool CheckedFile::openForReading(bool mustBeWritable)
{
    mFallback = std::make_unique<Fallback>();
    mFallback->file.setFileName(mPath);
    const QIODevice::OpenMode mode =
        (mustBeWritable ? QIODevice::ReadWrite : QIODevice::ReadOnly) | QIODevice::ExistingOnly;
    if (mPath.isEmpty() || !mFallback->file.open(mode))
        return false;
    return open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

qint64 CheckedFile::size() const
{
    return mFallback ? mFallback->file.size() : 0;
}

void CheckedFile::close()
{
    if (isOpen())
        QIODevice::close();
    if (mFallback)
        mFallback->file.close();
}

qint64 CheckedFile::readData(char *data, qint64 maxSize)
{
    if (mReadFailed || !mFallback || !mFallback->file.seek(pos()))
        return -1;
    const qint64 got = mFallback->file.read(data, maxSize);
    if (got < 0)
        mReadFailed = true;
    return got;
}

qint64 CheckedFile::writeData(const char *, qint64)
{
    return -1;
}

#endif

} // namespace kribed
