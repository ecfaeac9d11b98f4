// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What the fuzz targets put in place of the user: prompters that never wait, and the regional
// rules the inputs are read under. Qt Core only, as the fuzz build has nothing else.

#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QLocale>

namespace kribed::fuzz {

// Answers OK to every question, so a whole import or append runs.
class AgreeingPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

// Goes on wherever a reader or writer asks (Retry where it offers to try again, else OK), so the
// fuzzer reaches every step after a question.
class GoingOnPrompter : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        return message.buttons == Buttons::RetryCancel ? Answer::Retry : Answer::Ok;
    }
};

// Cancels every question, as a user who declines whatever is offered.
class CancellingPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Cancel; }
};

// The regional rules of each code page, made once: building them costs more than a short input.
inline const Regional &regionalFor(bool shiftJis)
{
    static const Regional western(QLocale::c(), "windows-1252");
    static const Regional japanese(QLocale::c(), "Shift_JIS");
    return shiftJis ? japanese : western;
}

} // namespace kribed::fuzz
