// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "cli/cli_options.h"
#include "cli/cli_prompter.h"
#include "cli/cli_text_codec.h"
#include "core/model/regional.h"

#include <QTextStream>

class QTextStream;

namespace kribed {

// What every command works with: the checked request, the two output streams, the prompter that
// answers the core's questions and the code page of printed texts.
struct CliContext
{
    const CliRequest &request;
    QTextStream &out;
    QTextStream &err;
    CliPrompter &prompter;
    CliTextCodec &codec;
    // The chosen regional formats (--locale, else the desktop's) in the chosen code page.
    const Regional &regional;

    // An error for people, on standard error after the tool's name.
    void reportError(const QString &text) { err << "kribed-cli: " << text << '\n'; }
};

// Runs the request's command and returns the process's exit status.
ExitStatus runCommand(CliContext &context);

} // namespace kribed
