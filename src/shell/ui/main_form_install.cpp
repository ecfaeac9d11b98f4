// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's Install command: a copy of the database into a handheld user's install folder.
#include "shell/ui/main_form.h"

#include "shell/ui/database_document.h"

namespace kribed {

void TMainForm::Install1Click()
{
    // wired with the install command set
}

} // namespace kribed
