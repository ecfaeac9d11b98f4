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
    mExpected.append({caption, text, icon, buttons, answer, QString(), false});
}

void ScriptedPrompter::expectWithCheckBox(const QString &caption, const QString &text, Icon icon,
                                          Buttons buttons, Answer answer, const QString &checkText,
                                          bool tick)
{
    mExpected.append({caption, text, icon, buttons, answer, checkText, tick});
}

Answer ScriptedPrompter::ask(const Message &message)
{
    return answer(message, nullptr);
}

Answer ScriptedPrompter::askWithCheckBox(const Message &message, CheckBox &box)
{
    return answer(message, &box);
}

Answer ScriptedPrompter::answer(const Message &message, CheckBox *box)
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
    const QString shownCheck = box ? box->text : QString();
    if (expected.checkText != shownCheck) {
        mFailures << QStringLiteral("expected the check box \"%1\" with [%2] %3, got \"%4\"")
                         .arg(expected.checkText, message.caption, message.text, shownCheck);
    } else if (box) {
        box->checked = expected.tick;
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
