// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "cli/cli_options.h"

namespace kribed {

struct CliContext;

// replace FILE.pdb --find TEXT --with TEXT: the editor's Replace all, saved to the file with its
// backup (or to --output); prints "N replacements in M records.".
ExitStatus replaceCommand(CliContext &context);

} // namespace kribed
