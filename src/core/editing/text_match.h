// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>

namespace kribed {

// Upper case for the letters a to z only; every other byte, accented letters included, stays as
// it is. Find and the record filter compare this way.
QByteArray foldAToZ(QByteArrayView text);

// Whether the cell, folded the same way, holds the already folded text (at its start only when
// mustBegin). An empty text matches every cell.
bool matchesFolded(QByteArrayView cell, QByteArrayView foldedText, bool mustBegin);

} // namespace kribed
