// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

namespace kribed {

// kribed-cli from its arguments to its exit status: parses the command line, runs the command,
// prints what it has to say.
int runCli(int argc, char *argv[]);

} // namespace kribed
