// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/editor_start.h"

int main(int argc, char *argv[])
{
    return kribed::runEditor(argc, argv);
}
