// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "cli/cli_options.h"

namespace kribed {

struct CliContext;

// chart FILE.pdb: the window's chart of every record, drawn offscreen into --output, or the
// grouped figures as CSV (--table).
ExitStatus chartCommand(CliContext &context);

} // namespace kribed
