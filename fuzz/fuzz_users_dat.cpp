// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/user_data.h"
#include "core/model/regional.h"
#include "fuzz_doubles.h"

#include <QBuffer>
#include <QByteArray>
#include <QLocale>

#include <cstddef>
#include <cstdint>

// Any bytes as a handheld user list: the reader must stop at the end of the data and keep every
// name within its limit.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const QList<kribed::UserEntry> users =
        kribed::readUsersDat(buffer, kribed::fuzz::regionalFor(false));
    if (users.size() > 255)
        __builtin_trap();
    for (const kribed::UserEntry &user : users) {
        if (user.name.size() > kribed::MaxUserTextLength
            || user.folder.size() > kribed::MaxUserTextLength)
            __builtin_trap();
    }
    return 0;
}
