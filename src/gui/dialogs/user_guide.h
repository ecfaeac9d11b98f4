// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>
#include <QStringList>

namespace kribed {

// The headings of the user guide, in their order.
QStringList userGuideHeadings();
// The guide: each heading on its own line, its text, an empty line; the closing line last.
QString userGuideText();

} // namespace kribed
