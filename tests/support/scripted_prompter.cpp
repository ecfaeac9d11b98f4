// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "scripted_prompter.h"

#include <QStringList>

namespace kribed::test {

namespace {

bool textMatches(const QString &expected, const QString &actual)
{
    if (expected.endsWith(u'*'))
        return actual.startsWith(expected.left(expected.size() - 1));
    return expected == actual;
}

} // namespace

void ScriptedPrompter::expect(const QString &caption, const QString &text, Icon icon,
                              Buttons buttons, Answer answer)
{
    mExpected.append({caption, text, icon, buttons, answer});
}

Answer ScriptedPrompter::ask(const Message &message)
{
    mShown.append(message);
    if (mExpected.isEmpty()) {
        mFailures
            << QStringLiteral("unexpected message: [%1] %2").arg(message.caption, message.text);
        return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    const Expected expected = mExpected.takeFirst();
    if (expected.caption != message.caption || !textMatches(expected.text, message.text)
        || expected.icon != message.icon || expected.buttons != message.buttons) {
        mFailures << QStringLiteral("expected [%1] %2, got [%3] %4")
                         .arg(expected.caption, expected.text, message.caption, message.text);
    }
    return expected.answer;
}

QString ScriptedPrompter::failures() const
{
    QStringList all = mFailures;
    for (const Expected &missing : mExpected)
        all << QStringLiteral("message never shown: [%1] %2").arg(missing.caption, missing.text);
    return all.join(u'\n');
}

} // namespace kribed::test
