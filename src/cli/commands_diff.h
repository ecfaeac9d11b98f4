// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "cli/cli_options.h"

namespace kribed {

struct CliContext;

// diff A.pdb B.pdb: exit status 0 when the databases are the same, 1 when they differ, 2 on a
// usage error or a file that cannot be read (as diff and cmp do).
ExitStatus diffCommand(CliContext &context);

} // namespace kribed
