// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// The durability case every export shares: a previous file and an older backup set up afresh
// before each run, and the export's one message checked after it.

#include "core/exchange/text_format.h"
#include "core/platform/prompter.h"
#include "durability.h"
#include "scripted_prompter.h"

#include <QDir>
#include <QFileInfo>

#include <functional>

namespace kribed::test {

// Before each run the folder holds only `path` with "previous" and `backupPath` with "older", and
// the prompter has shown nothing.
inline SaveCase exportOverPrevious(const QString &path, const QString &backupPath,
                                   std::function<bool()> run)
{
    SaveCase saveCase;
    saveCase.folder = QFileInfo(path).absolutePath();
    saveCase.setUp = [folder = saveCase.folder, path, backupPath] {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        writeBytes(path, "previous");
        writeBytes(backupPath, "older");
    };
    saveCase.run = std::move(run);
    return saveCase;
}

// The same, and each run must show the save error (captioned "Error") exactly once when it
// failed and nothing when it succeeded.
inline SaveCase exportOverPrevious(const QString &path, const QString &backupPath,
                                   ScriptedPrompter &prompter, std::function<bool()> run)
{
    SaveCase saveCase = exportOverPrevious(path, backupPath, std::move(run));
    saveCase.setUp = [setUp = saveCase.setUp, &prompter] {
        setUp();
        prompter = ScriptedPrompter();
    };
    saveCase.afterRun = [&prompter](bool succeeded) {
        const QList<Message> &shown = prompter.shown();
        const bool right = succeeded ? shown.isEmpty()
                                     : shown.size() == 1 && shown.at(0).text == saveErrorText()
                                           && shown.at(0).caption == QLatin1String("Error");
        return right ? QString() : QStringLiteral("%1 messages").arg(shown.size());
    };
    return saveCase;
}

} // namespace kribed::test
