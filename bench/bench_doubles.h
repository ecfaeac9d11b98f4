// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once
// What the benchmarks put in place of the user: prompters that never wait, and the regional rules
// the measured operations run under. Qt Core only, so that a floor process linking the core alone
// can take them too; the dialogs are in bench_dialogs.h.

#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QLocale>

#include <cstdio>
#include <cstdlib>

namespace kribed::bench {

// For a command that asks nothing: a message means the benchmark measures the wrong thing.
class NoQuestions : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(message.text));
        std::abort();
    }
};

// Answers every question so the command goes on.
class YesPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Yes; }
};

// Answers OK to every message, as a user who dismisses each one: for loads and saves whose
// warnings do not stop them.
class OkPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

// Numbers, dates and times as in the US.
inline const Regional &usRegional()
{
    static const Regional regional(QLocale(QStringLiteral("en_US")));
    return regional;
}

// Numbers, dates and times as in Germany: a decimal comma and dates with dots.
inline const Regional &germanRegional()
{
    static const Regional regional(QLocale(QStringLiteral("de_DE")));
    return regional;
}

} // namespace kribed::bench
