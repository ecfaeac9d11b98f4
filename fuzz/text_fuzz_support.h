// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// What the two separated-text fuzz targets share.

#include "fuzz_doubles.h"

#include <cstdlib>

namespace kribed::fuzz {

inline void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace kribed::fuzz
