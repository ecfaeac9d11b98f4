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
// The toolkit's own options (-style Fusion, -platform offscreen, --display :0, ...) are set
// aside first, as the toolkit will take them, so every answer, a mistake's included, is known
// before the toolkit starts and needs no display. Help and version win over anything else.
StartupRequest parseCommandLine(const QStringList &arguments);

// The arguments without the options the toolkit takes for itself, with their values, in the
// way it takes them (one dash or two; some only when a value follows them).
QStringList withoutToolkitOptions(const QStringList &arguments);

} // namespace kribed
