// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Failing file calls on purpose: the shim in tests/fault stands in front of the C library in tests
// that link kribed_fault_shim (and in front of kribed-cli through LD_PRELOAD). Only calls on paths
// below the armed folder count.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <cerrno>
#include <functional>

extern "C" {
void kribed_fault_arm(const char *folder, int kind, long nth, int error);
void kribed_fault_kill_at(const char *folder, long total);
void kribed_fault_disarm(void);
long kribed_fault_count(int kind); // -1: all kinds together
const char *kribed_fault_log(void);
}

namespace kribed::test {

enum class CallKind { Write, Read, Sync, Link, Rename, Unlink };

inline QString callKindName(CallKind kind)
{
    static const char *const names[] = {"write", "read", "sync", "link", "rename", "unlink"};
    return QString::fromLatin1(names[int(kind)]);
}

inline QList<CallKind> allCallKinds()
{
    return {CallKind::Write, CallKind::Read,   CallKind::Sync,
            CallKind::Link,  CallKind::Rename, CallKind::Unlink};
}

// Arms the shim for its lifetime: calls below `folder` are counted, and the nth of `kind` fails
// with `error` (nth 0: none fails, the calls are only counted and logged).
class FaultScope
{
public:
    FaultScope(const QString &folder, CallKind kind, long nth, int error)
    {
        kribed_fault_arm(QFile::encodeName(QDir(folder).canonicalPath()).constData(), int(kind),
                         nth, error);
    }
    explicit FaultScope(const QString &folder)
        : FaultScope(folder, CallKind::Write, 0, 0)
    {
    }
    ~FaultScope() { kribed_fault_disarm(); }
    FaultScope(const FaultScope &) = delete;
    FaultScope &operator=(const FaultScope &) = delete;

    static long count(CallKind kind) { return kribed_fault_count(int(kind)); }
    static long total() { return kribed_fault_count(-1); }
    // The counted calls in order, one "kind path" line each.
    static QStringList log()
    {
        return QString::fromLocal8Bit(kribed_fault_log()).split(u'\n', Qt::SkipEmptyParts);
    }
};

// The environment that puts the shim in front of a child process.
inline QProcessEnvironment faultEnvironment(const QString &folder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(KRIBED_FAULT_SHIM_PATH));
    environment.insert(QStringLiteral("KRIBED_FAULT_DIR"), QDir(folder).canonicalPath());
    return environment;
}

// The errors every call is failed with.
inline QList<int> injectedErrors()
{
    return {EIO, ENOSPC};
}

} // namespace kribed::test
