// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>
#include <QStringList>

namespace kribed {

// What the editor's command line asks for. Help, version and errors are answered on the terminal
// before any window (or display) is needed.
struct StartupRequest
{
    enum class Kind { Run, Help, Version, Error };
    Kind kind = Kind::Run;
    QString file;   // Run: the database to open, absolute; empty for none
    QString output; // Help, Version: the text for standard output; Error: for standard error
    int exitCode() const { return kind == Kind::Error ? 2 : 0; }
};

// Reads `kribed [FILE]`, --help and --version from the arguments (the program's name first).
// Help and version win over anything else on the line, so they can be answered before the
// toolkit has taken its own options out; the file and errors are read from what it leaves.
StartupRequest parseCommandLine(const QStringList &arguments);

} // namespace kribed
