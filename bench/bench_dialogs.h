// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once
// What the benchmarks of the window put in place of its dialogs: none ever waits.

#include "bench_doubles.h"
#include "gui/dialogs/file_dialogs.h"

#include <QApplication>
#include <QStandardPaths>

#include <benchmark/benchmark.h>

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

// The main of a benchmark of the window: offscreen, with settings kept apart from the user's.
inline int runWindowBenchmarks(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace kribed::bench
