// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/prompter.h"

class QTextStream;

namespace kribed {

// The command line's message box: every message goes to standard error as "Caption: text" with
// each '\r' as a line break. A question is answered without waiting for anyone: with the button
// that stops the operation, or with the one that goes on when the user passed --yes.
class CliPrompter : public Prompter
{
public:
    CliPrompter(QTextStream &err, bool answerGoOn);

    Answer ask(const Message &message) override;
    // The message alone: nobody ticks a box on a terminal, so the box keeps its state.
    Answer askWithCheckBox(const Message &message, CheckBox &box) override;

    // How many questions were answered with the stopping button.
    int declinedCount() const { return mDeclined; }

    // The answers a question gets: the one that goes on, and the one that stops.
    static Answer goOnAnswer(Buttons buttons);
    static Answer stopAnswer(Buttons buttons);
    // The text a message box shows, with the program's '\r' breaks as real line breaks.
    static QString displayText(const QString &text);

private:
    QTextStream &mErr;
    bool mAnswerGoOn;
    int mDeclined = 0;
};

} // namespace kribed
