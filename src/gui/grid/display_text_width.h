// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/auto_size.h"

#include <QByteArray>
#include <QFont>

namespace kribed {

// How wide a cell's text is in the display font, as automatic column widths measure it: the
// characters' advances side by side. Single-byte code pages use one advance per byte; the
// multi-byte ones decode the text and add each character's advance (looked up once).
TextWidthMeasure displayTextMeasure(const QFont &font, const QByteArray &codePage);

} // namespace kribed
