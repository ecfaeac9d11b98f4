// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

class QWidget;

namespace kribed {

// Names the size grips that `owner` made as its own children (a dialog's or a status bar's), which
// Qt leaves without a name for screen readers and without an accessor.
void nameSizeGrips(QWidget &owner);

} // namespace kribed
