// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What the two separated-text fuzz targets share.

#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <cstdlib>

namespace kribed::fuzz {

// Answers OK to every question, so a whole import or append runs.
class AgreeingPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

// The regional rules of each code page, made once: building them costs more than a short input.
inline const Regional &regionalFor(bool shiftJis)
{
    static const Regional western(QLocale::c(), "windows-1252");
    static const Regional japanese(QLocale::c(), "Shift_JIS");
    return shiftJis ? japanese : western;
}

} // namespace kribed::fuzz
