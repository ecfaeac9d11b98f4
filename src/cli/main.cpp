// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_run.h"

int main(int argc, char *argv[])
{
    return kribed::runCli(argc, argv);
}
