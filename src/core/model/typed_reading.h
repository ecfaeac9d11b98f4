// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArrayView>

namespace kribed {

class Regional;

// Whether the text reads as a value of the field's type in the regional formats: a Boolean is
// "1" or "0"; dates, times and numbers read as the regional formats read them; an empty text and
// the texts of String and popup fields always do. Replace, the grid's marks, the import's type
// detection and the filters all ask this one question.
bool readsAsFieldType(QByteArrayView text, int typeIndex, const Regional &regional);

} // namespace kribed
