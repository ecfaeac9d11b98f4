// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "cli/cli_options.h"

namespace kribed {

struct CliContext;

ExitStatus newCommand(
    CliContext &context); // new OUT.pdb [--name --fields --records --type --width]
ExitStatus importCommand(CliContext &context); // import IN.txt OUT.pdb [--type --encoding]
ExitStatus exportCommand(CliContext &context); // export IN.pdb OUT.txt [--type --encoding]
ExitStatus appendCommand(CliContext &context); // append DB.pdb IN.txt [--type --encoding]

} // namespace kribed
