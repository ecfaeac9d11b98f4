// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/prompter.h"

#include <QList>
#include <QString>

namespace kribed::test {

// A prompter that answers from a script. Each expected message names its caption and text (a text
// ending in '*' matches by prefix); a message that was not expected, or that differs from the next
// expected one, is recorded as a failure that Verify() reports.
class ScriptedPrompter : public Prompter
{
public:
    struct Expected
    {
        QString caption;
        QString text;
        Icon icon;
        Buttons buttons;
        Answer answer;
        // With a check box: its text (not empty), and whether the answer ticks it.
        QString checkText;
        bool tick = false;
    };

    void expect(const QString &caption, const QString &text, Icon icon, Buttons buttons,
                Answer answer);
    // A message with a check box of that text, which the answer leaves ticked or not.
    void expectWithCheckBox(const QString &caption, const QString &text, Icon icon, Buttons buttons,
                            Answer answer, const QString &checkText, bool tick);
    Answer ask(const Message &message) override;
    Answer askWithCheckBox(const Message &message, CheckBox &box) override;

    // Empty when every expected message came, in order, and nothing else did.
    QString failures() const;
    const QList<Message> &shown() const { return mShown; }

private:
    Answer answer(const Message &message, CheckBox *box);

    QList<Expected> mExpected;
    QList<Message> mShown;
    QStringList mFailures;
};

} // namespace kribed::test

// Inside a test function: fails the test unless the prompter saw exactly its script.
#define KRIBED_VERIFY_PROMPTER(prompter) \
    QVERIFY2((prompter).failures().isEmpty(), qPrintable((prompter).failures()))
