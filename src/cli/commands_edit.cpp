// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/commands_edit.h"

#include "cli/cli_context.h"
#include "cli/commands_file.h"
#include "core/editing/replace.h"
#include "core/model/database.h"
#include "core/model/pdb_writer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QTextStream>

namespace kribed {

namespace {

// A freshly loaded grid has its cursor in the first field.
constexpr int CurrentColumnAfterLoad = 1;

// The field of the name (in the code page), 0 for none.
int fieldNamed(const Database &database, const QByteArray &name)
{
    for (int field = 1; field <= database.fieldCount(); ++field) {
        if (database.fieldName(field) == name)
            return field;
    }
    return 0;
}

ReplaceSettings settingsOf(const CliRequest &request)
{
    ReplaceSettings settings;
    settings.find = request.find.value_or(QString());
    settings.replacement = request.replacement.value_or(QString());
    settings.regularExpression = request.regularExpression;
    settings.matchCase = request.matchCase;
    settings.wholeCell = request.wholeCell;
    // A file on disk hides nothing: every record takes part.
    settings.includeHidden = true;
    return settings;
}

} // namespace

ExitStatus replaceCommand(CliContext &context)
{
    const CliRequest &request = context.request;
    ReplaceSettings settings = settingsOf(request);
    CellReplacer replacer(settings, context.regional);
    if (!replacer.isValid()) {
        context.reportError(
            QCoreApplication::translate("CliMessages", "--find is no valid regular expression: %1")
                .arg(replacer.errorText()));
        return ExitUsage;
    }
    Database database;
    // Opened as the editor opens it, since the file is written again.
    if (!loadNamedFile(context, request.files.at(0), database, OpenAccess::ReadWrite))
        return ExitFailure;
    // The records --where leaves out are hidden, and only the shown ones are replaced in.
    if (!selectRecords(context, database, false))
        return ExitUsage;
    settings.includeHidden = request.where.isEmpty();
    if (!request.field.isEmpty()) {
        settings.field = fieldNamed(database, context.codec.encode(request.field));
        if (settings.field == 0) {
            context.reportError(
                QCoreApplication::translate("CliMessages", "the database has no field named %1")
                    .arg(request.field));
            return ExitUsage;
        }
    }
    // Characters the code page lacks become '?' only when asked to go on (--yes).
    if (findReplaceMatch(database, replacer, settings, {1, 1},
                         {database.fieldCount(), database.recordCount()})
        && !confirmUnheldReplacement(context.prompter, settings.replacement, context.regional))
        return ExitFailure;
    const ReplaceCount count =
        replaceAll(database, replacer, settings, QDateTime::currentDateTime(), context.regional);
    // Without a change the database's own file stays as it is; another file is always written.
    if (request.output.isEmpty() && count.isEmpty()) {
        context.out << replaceSummary(count) << '\n';
        return ExitSuccess;
    }
    const bool saved = request.output.isEmpty()
                           ? saveDatabase(database, SaveMode::OwnFile, QString(),
                                          CurrentColumnAfterLoad, context.prompter)
                           : saveDatabase(database, SaveMode::ChosenName,
                                          QFileInfo(request.output).absoluteFilePath(),
                                          CurrentColumnAfterLoad, context.prompter);
    // The count is told only of what reached the file.
    if (!saved)
        return ExitFailure;
    context.out << replaceSummary(count) << '\n';
    context.out << "Wrote " << database.filePath() << '\n';
    return ExitSuccess;
}

} // namespace kribed
