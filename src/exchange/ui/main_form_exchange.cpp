// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's exchange commands: new database, text import, export and append.
#include "shell/ui/main_form.h"

#include "shell/ui/database_document.h"

namespace kribed {

void TMainForm::New1Click()
{
    // wired with the exchange command set
}

void TMainForm::Import1Click()
{
    // wired with the exchange command set
}

void TMainForm::Export1Click()
{
    // wired with the exchange command set
}

void TMainForm::Append1Click()
{
    // wired with the exchange command set
}

} // namespace kribed
