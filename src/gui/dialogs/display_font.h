// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QFont>
#include <QWidget>

#include <initializer_list>

namespace kribed {

// Gives the display font to the controls of a dialog that show cell texts (names, values, popup
// entries); every other control keeps the dialog's own font.
inline void giveDisplayFont(const QFont &font, std::initializer_list<QWidget *> controls)
{
    for (QWidget *control : controls) {
        if (control->font() != font)
            control->setFont(font);
    }
}

} // namespace kribed
