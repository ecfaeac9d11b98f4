// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QObject>
#include <QString>

namespace kribed::test {

// A control of a dialog by its object name. Without it the test could only crash, so a missing
// control stops the run with its name.
template<class T> T *child(QObject *parent, const char *name)
{
    T *child = parent->findChild<T *>(QString::fromLatin1(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

} // namespace kribed::test
