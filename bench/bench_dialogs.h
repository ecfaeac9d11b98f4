// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once
// What the benchmarks of the window put in place of its dialogs: none ever waits.

#include "bench_doubles.h"
#include "gui/dialogs/file_dialogs.h"

namespace kribed::bench {

// Every file, font and printer dialog cancelled.
class NoDialogs : public FileDialogs
{
public:
    std::optional<FileChoice> openFile(const FileRequest &) override { return std::nullopt; }
    std::optional<FileChoice> saveFile(const FileRequest &) override { return std::nullopt; }
    std::optional<DisplayFontChoice> chooseFont(const DisplayFontChoice &) override
    {
        return std::nullopt;
    }
    bool choosePrinter(QPrinter &, int) override { return false; }
    std::optional<QString> chooseItem(const QString &, const QString &, const QStringList &,
                                      int) override
    {
        return std::nullopt;
    }
};

} // namespace kribed::bench
