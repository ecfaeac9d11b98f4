// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

class QComboBox;
class QKeyEvent;

namespace kribed {

// Whether a box that takes digits only drops this key: every key that types a character other
// than a digit or Backspace, Enter included. Keys that type nothing (arrows, Delete, Home, End),
// Tab's focus move and Escape, which closes the dialog, keep their meaning.
bool dropsNonDigitKey(const QKeyEvent &event);

// Makes an editable combo box take digits and Backspace only. Keys reach the box first, which
// hands them on to its line edit without the line edit's event filters, so the filter watches
// the box, and the line edit for keys sent to it directly.
void takeDigitsOnly(QComboBox *box);

} // namespace kribed
