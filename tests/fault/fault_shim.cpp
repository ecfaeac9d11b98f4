// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Fault injection for the file calls of the program: this library stands in front of the C
// library's write, read, fsync, link, rename and unlink families (linked into a test, or put in
// front of kribed-cli with LD_PRELOAD) and makes the Nth call of one kind fail with a chosen errno,
// or kills the process right before the Nth call of any kind. Only calls on paths below one folder
// count, so the test's own logging and Qt's start-up files never do.
//
// In a test process it is driven through the functions in fault_injection.h. In a child it reads
// the environment at load time:
//   KRIBED_FAULT_DIR     the folder whose calls count (nothing counts without it)
//   KRIBED_FAULT_KIND    write | read | sync | link | rename | unlink
//   KRIBED_FAULT_NTH     which call of that kind fails (1 = the first)
//   KRIBED_FAULT_ERRNO   the error it fails with (a number)
//   KRIBED_FAULT_KILL    kill the process with SIGKILL before this counted call (any kind)
//   KRIBED_FAULT_COUNTS  a file that receives "kind count" lines at exit
#include <atomic>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

enum Kind { Write, Read, Sync, Link, Rename, Unlink, KindCount };
const char *const KindNames[KindCount] = {"write", "read", "sync", "link", "rename", "unlink"};

char gFolder[PATH_MAX];
size_t gFolderLength = 0;
std::atomic<long> gCounts[KindCount];
std::atomic<long> gTotal{0};
int gFailKind = -1;
long gFailNth = 0;
int gFailErrno = 0;
long gKillAt = 0;
char gCountsFile[PATH_MAX];

// The calls in order, "kind path" lines, for tests that check the order of steps.
char gLog[1 << 16];
size_t gLogLength = 0;

template<typename Function> Function next(const char *name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

bool below(const char *path)
{
    if (gFolderLength == 0 || !path)
        return false;
    return std::strncmp(path, gFolder, gFolderLength) == 0
           && (path[gFolderLength] == '\0' || path[gFolderLength] == '/');
}

// The path of a descriptor, or of a name relative to a folder descriptor.
bool pathOf(int folder, const char *name, char *out)
{
    if (name && name[0] == '/') {
        std::snprintf(out, PATH_MAX, "%s", name);
        return true;
    }
    char link[64];
    if (folder == AT_FDCWD)
        std::snprintf(link, sizeof link, "/proc/self/cwd");
    else
        std::snprintf(link, sizeof link, "/proc/self/fd/%d", folder);
    char base[PATH_MAX];
    const ssize_t length = readlink(link, base, sizeof base - 1);
    if (length < 0)
        return false;
    base[length] = '\0';
    const int length2 = name && name[0] != '\0' ? std::snprintf(out, PATH_MAX, "%s/%s", base, name)
                                                : std::snprintf(out, PATH_MAX, "%s", base);
    return length2 >= 0 && length2 < PATH_MAX;
}

bool counts(int folder, const char *name, char *path)
{
    return gFolderLength != 0 && pathOf(folder, name, path) && below(path);
}

// Decides for one counted call: 0 to let it through, else the errno it fails with.
int decide(Kind kind, const char *path)
{
    const long nth = ++gCounts[kind];
    const long total = ++gTotal;
    const size_t room = sizeof gLog - gLogLength;
    const int wrote = std::snprintf(gLog + gLogLength, room, "%s %s\n", KindNames[kind], path);
    if (wrote > 0 && size_t(wrote) < room)
        gLogLength += size_t(wrote);
    if (gKillAt != 0 && total == gKillAt)
        raise(SIGKILL);
    if (gFailKind == kind && nth == gFailNth)
        return gFailErrno;
    return 0;
}

int decideFd(Kind kind, int fd)
{
    char path[PATH_MAX];
    return counts(fd, nullptr, path) ? decide(kind, path) : 0;
}

int decideAt(Kind kind, int folder, const char *name)
{
    char path[PATH_MAX];
    return counts(folder, name, path) ? decide(kind, path) : 0;
}

// A call with two names counts when either lies below the folder.
int decideAt2(Kind kind, int folder1, const char *name1, int folder2, const char *name2)
{
    char path[PATH_MAX];
    if (counts(folder2, name2, path) || counts(folder1, name1, path))
        return decide(kind, path);
    return 0;
}

void writeCounts()
{
    if (gCountsFile[0] == '\0')
        return;
    FILE *file = std::fopen(gCountsFile, "w");
    if (!file)
        return;
    for (int kind = 0; kind < KindCount; ++kind)
        std::fprintf(file, "%s %ld\n", KindNames[kind], gCounts[kind].load());
    std::fclose(file);
}

void setFolder(const char *folder)
{
    std::snprintf(gFolder, sizeof gFolder, "%s", folder ? folder : "");
    gFolderLength = std::strlen(gFolder);
    while (gFolderLength > 1 && gFolder[gFolderLength - 1] == '/')
        gFolder[--gFolderLength] = '\0';
}

void reset()
{
    for (auto &count : gCounts)
        count = 0;
    gTotal = 0;
    gLogLength = 0;
    gLog[0] = '\0';
}

__attribute__((constructor)) void readEnvironment()
{
    const char *folder = std::getenv("KRIBED_FAULT_DIR");
    if (!folder)
        return;
    setFolder(folder);
    if (const char *kind = std::getenv("KRIBED_FAULT_KIND")) {
        for (int k = 0; k < KindCount; ++k) {
            if (std::strcmp(kind, KindNames[k]) == 0)
                gFailKind = k;
        }
    }
    if (const char *nth = std::getenv("KRIBED_FAULT_NTH"))
        gFailNth = std::atol(nth);
    if (const char *error = std::getenv("KRIBED_FAULT_ERRNO"))
        gFailErrno = std::atoi(error);
    if (const char *kill = std::getenv("KRIBED_FAULT_KILL"))
        gKillAt = std::atol(kill);
    if (const char *counts = std::getenv("KRIBED_FAULT_COUNTS")) {
        std::snprintf(gCountsFile, sizeof gCountsFile, "%s", counts);
        std::atexit(writeCounts);
    }
}

} // namespace

#define FAIL_WITH(decision) \
    do { \
        const int error_ = (decision); \
        if (error_ != 0) { \
            errno = error_; \
            return -1; \
        } \
    } while (false)

extern "C" {

// Control from inside a test -------------------------------------------------------------------

void kribed_fault_arm(const char *folder, int kind, long nth, int error)
{
    reset();
    gFailKind = kind;
    gFailNth = nth;
    gFailErrno = error;
    gKillAt = 0;
    setFolder(folder);
}

void kribed_fault_kill_at(const char *folder, long total)
{
    reset();
    gFailKind = -1;
    gKillAt = total;
    setFolder(folder);
}

void kribed_fault_disarm(void)
{
    gFolderLength = 0;
    gFolder[0] = '\0';
    gFailKind = -1;
    gKillAt = 0;
}

long kribed_fault_count(int kind)
{
    return kind >= 0 && kind < KindCount ? gCounts[kind].load() : gTotal.load();
}

const char *kribed_fault_log(void)
{
    return gLog;
}

// The calls ------------------------------------------------------------------------------------

ssize_t write(int fd, const void *data, size_t size)
{
    static auto real = next<ssize_t (*)(int, const void *, size_t)>("write");
    FAIL_WITH(decideFd(Write, fd));
    return real(fd, data, size);
}

ssize_t pwrite(int fd, const void *data, size_t size, off_t offset)
{
    static auto real = next<ssize_t (*)(int, const void *, size_t, off_t)>("pwrite");
    FAIL_WITH(decideFd(Write, fd));
    return real(fd, data, size, offset);
}

ssize_t pwrite64(int fd, const void *data, size_t size, off64_t offset)
{
    static auto real = next<ssize_t (*)(int, const void *, size_t, off64_t)>("pwrite64");
    FAIL_WITH(decideFd(Write, fd));
    return real(fd, data, size, offset);
}

ssize_t writev(int fd, const struct iovec *vector, int count)
{
    static auto real = next<ssize_t (*)(int, const struct iovec *, int)>("writev");
    FAIL_WITH(decideFd(Write, fd));
    return real(fd, vector, count);
}

ssize_t read(int fd, void *data, size_t size)
{
    static auto real = next<ssize_t (*)(int, void *, size_t)>("read");
    FAIL_WITH(decideFd(Read, fd));
    return real(fd, data, size);
}

ssize_t __read_chk(int fd, void *data, size_t size, size_t)
{
    return read(fd, data, size);
}

ssize_t pread(int fd, void *data, size_t size, off_t offset)
{
    static auto real = next<ssize_t (*)(int, void *, size_t, off_t)>("pread");
    FAIL_WITH(decideFd(Read, fd));
    return real(fd, data, size, offset);
}

ssize_t pread64(int fd, void *data, size_t size, off64_t offset)
{
    static auto real = next<ssize_t (*)(int, void *, size_t, off64_t)>("pread64");
    FAIL_WITH(decideFd(Read, fd));
    return real(fd, data, size, offset);
}

ssize_t readv(int fd, const struct iovec *vector, int count)
{
    static auto real = next<ssize_t (*)(int, const struct iovec *, int)>("readv");
    FAIL_WITH(decideFd(Read, fd));
    return real(fd, vector, count);
}

int fsync(int fd)
{
    static auto real = next<int (*)(int)>("fsync");
    FAIL_WITH(decideFd(Sync, fd));
    return real(fd);
}

int fdatasync(int fd)
{
    static auto real = next<int (*)(int)>("fdatasync");
    FAIL_WITH(decideFd(Sync, fd));
    return real(fd);
}

int link(const char *from, const char *to)
{
    static auto real = next<int (*)(const char *, const char *)>("link");
    FAIL_WITH(decideAt2(Link, AT_FDCWD, from, AT_FDCWD, to));
    return real(from, to);
}

int linkat(int fromFolder, const char *from, int toFolder, const char *to, int flags)
{
    static auto real = next<int (*)(int, const char *, int, const char *, int)>("linkat");
    FAIL_WITH(decideAt2(Link, fromFolder, from, toFolder, to));
    return real(fromFolder, from, toFolder, to, flags);
}

int rename(const char *from, const char *to)
{
    static auto real = next<int (*)(const char *, const char *)>("rename");
    FAIL_WITH(decideAt2(Rename, AT_FDCWD, from, AT_FDCWD, to));
    return real(from, to);
}

int renameat(int fromFolder, const char *from, int toFolder, const char *to)
{
    static auto real = next<int (*)(int, const char *, int, const char *)>("renameat");
    FAIL_WITH(decideAt2(Rename, fromFolder, from, toFolder, to));
    return real(fromFolder, from, toFolder, to);
}

int renameat2(int fromFolder, const char *from, int toFolder, const char *to, unsigned flags)
{
    static auto real = next<int (*)(int, const char *, int, const char *, unsigned)>("renameat2");
    FAIL_WITH(decideAt2(Rename, fromFolder, from, toFolder, to));
    return real(fromFolder, from, toFolder, to, flags);
}

int unlink(const char *path)
{
    static auto real = next<int (*)(const char *)>("unlink");
    FAIL_WITH(decideAt(Unlink, AT_FDCWD, path));
    return real(path);
}

int unlinkat(int folder, const char *path, int flags)
{
    static auto real = next<int (*)(int, const char *, int)>("unlinkat");
    if (!(flags & AT_REMOVEDIR))
        FAIL_WITH(decideAt(Unlink, folder, path));
    return real(folder, path, flags);
}

} // extern "C"
