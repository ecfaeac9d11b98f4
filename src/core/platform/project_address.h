// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

namespace kribed {

// The project's web address, as the metainfo and the package name it ("https://.../"): the About
// box and the printed pages show it. Set once, in the top CMakeLists.txt.
QString projectWebAddress();

} // namespace kribed
