// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/safe_file.h"

#include <QFile>
#include <QFileInfo>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#include <QSaveFile>
#endif

namespace kribed {

QString safeWriteLeftoverPrefix()
{
    return QStringLiteral(".kribed-");
}

#ifdef Q_OS_UNIX

namespace {

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

// A temporary name beside a file, the same for the same file name every time, so the next write
// of that file finds what a kill left; short and fixed in length, so it fits wherever the file's
// own name fits.
QString temporaryName(const QString &path, const char *suffix)
{
    quint32 hash = 2166136261u; // FNV-1a
    for (const char byte : native(QFileInfo(path).fileName())) {
        hash ^= uchar(byte);
        hash *= 16777619u;
    }
    return folderOf(path) + u'/' + safeWriteLeftoverPrefix()
           + QStringLiteral("%1.").arg(hash, 8, 16, QLatin1Char('0')) + QLatin1String(suffix);
}

// File systems without hard links (FAT) answer a link with one of these; the program then copies.
bool noHardLinks(int error)
{
    return error == EPERM || error == EXDEV || error == EMLINK || error == ENOTSUP
           || error == EOPNOTSUPP;
}

// Hands every byte to write(2) and remembers the first failure; nothing is buffered.
class DescriptorWriter : public QIODevice
{
public:
    explicit DescriptorWriter(int descriptor)
        : mDescriptor(descriptor)
    {
        open(QIODevice::WriteOnly | QIODevice::Unbuffered);
    }

    bool isSequential() const override { return true; }
    int error() const { return mError; }

protected:
    qint64 readData(char *, qint64) override { return -1; }

    qint64 writeData(const char *data, qint64 size) override
    {
        if (mError != 0)
            return -1;
        qint64 done = 0;
        while (done < size) {
            const ssize_t written = ::write(mDescriptor, data + done, size_t(size - done));
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                mError = written < 0 ? errno : EIO;
                return -1;
            }
            done += written;
        }
        return done;
    }

private:
    int mDescriptor;
    int mError = 0;
};

// One write of a file as safeWriteFile describes it. Every step notes what it made, so that a
// failure at any later step can take exactly that back.
class SafeWrite
{
public:
    SafeWrite(const QString &path, const QString &backupPath,
              const std::function<bool(QIODevice &)> &write)
        : mName(QFileInfo(path).absoluteFilePath())
        , mBackup(backupPath.isEmpty() ? QString() : QFileInfo(backupPath).absoluteFilePath())
        , mWrite(write)
    {
    }

    bool run()
    {
        if (!resolve() || !removeLeftovers())
            return false;
        if (writeTemporary() && keepPrevious() && commit())
            return true;
        rollBack();
        return false;
    }

    const QString &error() const { return mError; }

private:
    bool fail(const QString &step, int error)
    {
        if (mError.isEmpty())
            mError = step + QStringLiteral(": ") + QString::fromLocal8Bit(std::strerror(error));
        return false;
    }

    bool hasBackup() const { return !mBackup.isEmpty(); }

    bool resolve();
    bool removeLeftovers();
    bool writeTemporary();
    bool keepPrevious();
    bool backupIsPrevious() const;
    bool makeBackup();
    bool keepOldBackup();
    bool removeOldBackup();
    bool copyPrevious(const QString &to);
    bool commit();
    void rollBack();
    bool syncFolder(const QString &folder);
    void keepOwnerAndMode(int descriptor);

    const QString mName; // the name the user chose
    QString mBackup;     // beside mName; empty when no backup is kept
    const std::function<bool(QIODevice &)> &mWrite;
    QString mTarget;     // the file really written: mName with its links followed
    QString mNewTemp;    // the new file before the commit
    QString mKeepTemp;   // the previous file while a copy (no backup) replaces it
    QString mBackupTemp; // the new backup before it replaces the old one
    QString mOldTemp;    // the old backup until the write is through
    QString mError;
    struct stat mPrevious = {};
    bool mExisted = false;

    int mDescriptor = -1;
    bool mNewTempMade = false;
    bool mKept = false;
    bool mBackupTempMade = false;
    bool mHadBackup = false;
    bool mOldKept = false;
    bool mBackupReplaced = false;
    bool mBackupIsLink = false;
    bool mCommitted = false;
};

// The target is the link's final file; only a regular file, or a name not yet taken, is written.
bool SafeWrite::resolve()
{
    struct stat status = {};
    if (::lstat(native(mName).constData(), &status) != 0) {
        if (errno != ENOENT)
            return fail(QStringLiteral("look at the file"), errno);
        mTarget = mName;
    } else if (S_ISLNK(status.st_mode)) {
        char *resolved = ::realpath(native(mName).constData(), nullptr);
        if (!resolved)
            return fail(QStringLiteral("follow the link"), errno);
        mTarget = QFile::decodeName(resolved);
        std::free(resolved);
        if (::stat(native(mTarget).constData(), &status) != 0)
            return fail(QStringLiteral("follow the link"), errno);
        mExisted = true;
    } else {
        mTarget = mName;
        mExisted = true;
    }
    if (mExisted && !S_ISREG(status.st_mode))
        return fail(QStringLiteral("not a regular file"), EINVAL);
    mPrevious = status;
    if (mBackup == mName || mBackup == mTarget)
        mBackup.clear(); // the file itself carries the backup name: it cannot be its own backup
    mNewTemp = temporaryName(mTarget, "new");
    mKeepTemp = temporaryName(mTarget, "keep");
    if (hasBackup()) {
        mBackupTemp = temporaryName(mBackup, "bak");
        mOldTemp = temporaryName(mBackup, "old");
    }
    return true;
}

// What a killed write of the same file left behind.
bool SafeWrite::removeLeftovers()
{
    for (const QString &name : {mNewTemp, mKeepTemp, mBackupTemp, mOldTemp}) {
        if (!name.isEmpty() && ::unlink(native(name).constData()) != 0 && errno != ENOENT)
            return fail(QStringLiteral("remove a leftover"), errno);
    }
    return true;
}

// The new file, complete and synced under its temporary name. Where the system has anonymous
// files, it gets that name only once it is complete, so a kill while writing leaves nothing.
bool SafeWrite::writeTemporary()
{
    const QString folder = folderOf(mTarget);
    bool anonymous = false;
#ifdef O_TMPFILE
    if (::access("/proc/self/fd", X_OK) == 0) {
        mDescriptor = ::open(native(folder).constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
        anonymous = mDescriptor >= 0;
    }
#endif
    if (!anonymous) {
        mDescriptor =
            ::open(native(mNewTemp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (mDescriptor < 0)
            return fail(QStringLiteral("create the file"), errno);
        mNewTempMade = true;
    }

    DescriptorWriter device(mDescriptor);
    const bool written = mWrite(device);
    if (!written || device.error() != 0)
        return fail(QStringLiteral("write"), device.error() != 0 ? device.error() : EIO);
    if (mExisted)
        keepOwnerAndMode(mDescriptor);
    if (!mError.isEmpty())
        return false;
    if (::fsync(mDescriptor) != 0)
        return fail(QStringLiteral("sync the file"), errno);
    if (anonymous) {
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(mDescriptor);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, native(mNewTemp).constData(),
                     AT_SYMLINK_FOLLOW)
            != 0)
            return fail(QStringLiteral("name the file"), errno);
        mNewTempMade = true;
    }
    const int descriptor = mDescriptor;
    mDescriptor = -1;
    if (::close(descriptor) != 0)
        return fail(QStringLiteral("close the file"), errno);
    return true;
}

void SafeWrite::keepOwnerAndMode(int descriptor)
{
    if (mPrevious.st_uid != ::geteuid() || mPrevious.st_gid != ::getegid()) {
        // Another owner only where the process may give it; else at least the group.
        if (::fchown(descriptor, mPrevious.st_uid, mPrevious.st_gid) != 0)
            (void)::fchown(descriptor, uid_t(-1), mPrevious.st_gid);
    }
    if (::fchmod(descriptor, mPrevious.st_mode & 07777) != 0)
        fail(QStringLiteral("keep the mode"), errno);
}

// Before the commit the previous file gets a second name: the backup, or for a copy a
// temporary one that lets a failure after the commit put it back.
bool SafeWrite::keepPrevious()
{
    if (!mExisted)
        return hasBackup() ? removeOldBackup() : true;
    if (hasBackup() && !backupIsPrevious())
        return makeBackup();
    if (::linkat(AT_FDCWD, native(mTarget).constData(), AT_FDCWD, native(mKeepTemp).constData(), 0)
        == 0)
        mKept = true;
    else if (!noHardLinks(errno))
        return fail(QStringLiteral("keep the previous file"), errno);
    return true;
}

// After a kill between making the backup and the commit, the backup name and the file are one
// file: the backup holds the previous bytes already. A rename between two names of one file does
// nothing, so this case must not go through makeBackup.
bool SafeWrite::backupIsPrevious() const
{
    struct stat status = {};
    return ::lstat(native(mBackup).constData(), &status) == 0 && status.st_dev == mPrevious.st_dev
           && status.st_ino == mPrevious.st_ino;
}

// The previous file becomes the backup in one rename, so the backup name always holds a
// complete file; the old backup keeps a second name until the write is through.
bool SafeWrite::makeBackup()
{
    if (::linkat(AT_FDCWD, native(mTarget).constData(), AT_FDCWD, native(mBackupTemp).constData(),
                 0)
        == 0) {
        mBackupTempMade = true;
        mBackupIsLink = true;
    } else if (!noHardLinks(errno)) {
        return fail(QStringLiteral("link the backup"), errno);
    } else if (!copyPrevious(mBackupTemp)) {
        return false;
    }

    if (!keepOldBackup())
        return false;
    if (::rename(native(mBackupTemp).constData(), native(mBackup).constData()) != 0)
        return fail(QStringLiteral("replace the backup"), errno);
    mBackupTempMade = false;
    mBackupReplaced = true;
    return syncFolder(folderOf(mBackup));
}

// The old backup keeps a second name until the write is through, so a failure can put it back.
bool SafeWrite::keepOldBackup()
{
    struct stat status = {};
    if (::lstat(native(mBackup).constData(), &status) != 0)
        return errno == ENOENT ? true : fail(QStringLiteral("look at the backup"), errno);
    mHadBackup = true;
    // A link, not the link's target: the old backup comes back exactly as it was.
    if (::linkat(AT_FDCWD, native(mBackup).constData(), AT_FDCWD, native(mOldTemp).constData(), 0)
        == 0)
        mOldKept = true;
    else if (!noHardLinks(errno))
        return fail(QStringLiteral("keep the old backup"), errno);
    return true;
}

// A new file makes no backup, but an old backup of that name goes: the one backup generation
// belongs to the file the name held before.
bool SafeWrite::removeOldBackup()
{
    if (!keepOldBackup())
        return false;
    if (!mHadBackup)
        return true;
    if (::unlink(native(mBackup).constData()) != 0)
        return fail(QStringLiteral("remove the old backup"), errno);
    mBackupReplaced = true;
    return syncFolder(folderOf(mBackup));
}

// Where the backup cannot be a hard link (another file system, or none with links), it is a copy.
bool SafeWrite::copyPrevious(const QString &to)
{
    const int from = ::open(native(mTarget).constData(), O_RDONLY | O_CLOEXEC);
    if (from < 0)
        return fail(QStringLiteral("open the previous file"), errno);
    const int copy = ::open(native(to).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (copy < 0) {
        const int error = errno;
        ::close(from);
        return fail(QStringLiteral("create the backup"), error);
    }
    mBackupTempMade = true;
    DescriptorWriter device(copy);
    QByteArray chunk(1 << 16, Qt::Uninitialized);
    for (;;) {
        const ssize_t got = ::read(from, chunk.data(), size_t(chunk.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            fail(QStringLiteral("read the previous file"), errno);
            break;
        }
        if (got == 0 || device.write(chunk.constData(), got) != got)
            break;
    }
    ::close(from);
    if (device.error() != 0)
        fail(QStringLiteral("write the backup"), device.error());
    if (mError.isEmpty())
        keepOwnerAndMode(copy);
    if (mError.isEmpty() && ::fsync(copy) != 0)
        fail(QStringLiteral("sync the backup"), errno);
    if (::close(copy) != 0)
        fail(QStringLiteral("close the backup"), errno);
    return mError.isEmpty();
}

bool SafeWrite::commit()
{
    if (::rename(native(mNewTemp).constData(), native(mTarget).constData()) != 0)
        return fail(QStringLiteral("replace the file"), errno);
    mNewTempMade = false;
    mCommitted = true;
    if (!syncFolder(folderOf(mTarget)))
        return false;
    // The generation before is no longer needed; until here it could still be put back.
    if (mOldKept && ::unlink(native(mOldTemp).constData()) != 0)
        return fail(QStringLiteral("remove the old backup"), errno);
    mOldKept = false;
    if (mKept && ::unlink(native(mKeepTemp).constData()) != 0)
        return fail(QStringLiteral("remove the kept file"), errno);
    mKept = false;
    return true;
}

// Puts back what this write changed, as far as the system lets it; each step is tried even when
// one before it failed.
void SafeWrite::rollBack()
{
    if (mDescriptor >= 0)
        ::close(mDescriptor);
    mDescriptor = -1;
    bool backupMovedBack = false;
    if (mCommitted) {
        const QByteArray target = native(mTarget);
        if (mKept) {
            mKept = ::rename(native(mKeepTemp).constData(), target.constData()) != 0;
        } else if (mBackupReplaced && mBackupIsLink) {
            backupMovedBack = ::rename(native(mBackup).constData(), target.constData()) == 0;
        } else if (!mExisted) {
            ::unlink(target.constData());
        }
        syncFolder(folderOf(mTarget));
    }
    if (mBackupReplaced) {
        const QByteArray backup = native(mBackup);
        if (mOldKept)
            mOldKept = ::rename(native(mOldTemp).constData(), backup.constData()) != 0;
        else if (!mHadBackup && !backupMovedBack)
            ::unlink(backup.constData());
        syncFolder(folderOf(mBackup));
    }
    const auto remove = [](bool made, const QString &name) {
        if (made)
            ::unlink(native(name).constData());
    };
    remove(mBackupTempMade, mBackupTemp);
    remove(mOldKept, mOldTemp);
    remove(mKept, mKeepTemp);
    remove(mNewTempMade, mNewTemp);
}

// A rename is durable only once its folder is synced. A file system that cannot sync a folder
// says so with EINVAL; that is no failure.
bool SafeWrite::syncFolder(const QString &folder)
{
    const int descriptor = ::open(native(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return fail(QStringLiteral("open the folder"), errno);
    const int result = ::fsync(descriptor);
    const int error = errno;
    ::close(descriptor);
    if (result != 0 && error != EINVAL && error != ENOTSUP && error != EOPNOTSUPP)
        return fail(QStringLiteral("sync the folder"), error);
    return true;
}

} // namespace

bool safeWriteFile(const QString &path, const QString &backupPath,
                   const std::function<bool(QIODevice &)> &write, QString *error)
{
    SafeWrite operation(path, backupPath, write);
    const bool written = operation.run();
    if (error)
        *error = operation.error();
    return written;
}

#else // no POSIX calls: Qt's own save file and file

bool safeWriteFile(const QString &path, const QString &backupPath,
                   const std::function<bool(QIODevice &)> &write, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    const auto fail = [&](const QString &what) {
        file.cancelWriting();
        if (error)
            *error = what;
        return false;
    };
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    if (!write(file) || !file.flush())
        return fail(file.errorString());
    const bool keepBackup =
        !backupPath.isEmpty() && QFileInfo::exists(path)
        && QFileInfo(backupPath).absoluteFilePath() != QFileInfo(path).absoluteFilePath();
    if (keepBackup) {
        const QString pending = QFileInfo(backupPath).absolutePath() + u'/'
                                + safeWriteLeftoverPrefix() + QStringLiteral("bak");
        QFile::remove(pending);
        if (!QFile::copy(path, pending))
            return fail(QStringLiteral("copy the backup"));
        QFile::remove(backupPath);
        if (!QFile::rename(pending, backupPath)) {
            QFile::remove(pending);
            return fail(QStringLiteral("replace the backup"));
        }
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

#endif

} // namespace kribed
