// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's Properties command.
#include "shell/ui/main_form.h"

#include "shell/ui/database_document.h"

namespace kribed {

void TMainForm::Properties1Click()
{
    // wired with the properties command set
}

} // namespace kribed
