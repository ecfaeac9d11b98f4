// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once
// What the benchmarks put in place of the user: a prompter and file dialogs that never wait.

#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/dialogs/file_dialogs.h"

#include <QLocale>

#include <cstdio>
#include <cstdlib>

namespace kribed::bench {

// For a command that asks nothing: a message means the benchmark measures the wrong thing.
class NoQuestions : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(message.text));
        std::abort();
    }
};

// Answers every question so the command goes on.
class YesPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Yes; }
};

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

// Numbers, dates and times as in the US.
inline const Regional &usRegional()
{
    static const Regional regional(QLocale(QStringLiteral("en_US")));
    return regional;
}

} // namespace kribed::bench
