// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>
#include <QStringList>

#include <initializer_list>

namespace kribed::test {

// Test rows write texts as plain literals.
inline QStringList texts(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromUtf8(text);
    return list;
}

} // namespace kribed::test
