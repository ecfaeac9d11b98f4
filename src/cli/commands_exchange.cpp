// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/commands_exchange.h"

#include "cli/cli_context.h"
#include "cli/commands_file.h"
#include "core/exchange/new_database.h"
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/workbook_export.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QTextStream>

namespace kribed {

namespace {

// A freshly built or loaded grid has its cursor in the first field.
constexpr int CurrentColumn = 1;

// Writes the database as the editor's Save (its own file) or Save as (the target) does, and tells
// which file was written.
ExitStatus saveAndReport(CliContext &context, Database &database, SaveMode mode,
                         const QString &target)
{
    if (!saveDatabase(database, mode, target, CurrentColumn, context.prompter))
        return ExitFailure;
    context.out << "Wrote " << database.filePath() << '\n';
    return ExitSuccess;
}

// Save as to the named file: a file already there becomes the ".pd_" backup, and the database's
// path becomes the file's.
ExitStatus saveAs(CliContext &context, Database &database, const QString &path)
{
    return saveAndReport(context, database, SaveMode::ChosenName,
                         QFileInfo(path).absoluteFilePath());
}

ExitStatus statusOf(ExchangeResult result)
{
    return result == ExchangeResult::Done ? ExitSuccess : ExitFailure;
}

} // namespace

ExitStatus newCommand(CliContext &context)
{
    const CliRequest &request = context.request;
    NewDatabaseChoices choices;
    // The name becomes bytes in the chosen code page; a character the page lacks becomes '?'.
    choices.name = context.codec.decode(context.codec.encode(request.name));
    choices.rows = request.records;
    choices.columns = request.fields;
    choices.width = request.width;
    choices.typeIndex = request.fieldType;
    Database database;
    // A refused choice is a wrong option value: its message has been printed.
    if (!createNewDatabase(choices, database, context.prompter, context.regional))
        return ExitUsage;
    return saveAs(context, database, request.files.at(0));
}

namespace {

// The table --table names; without it the one our export wrote, or the file's only table. Empty
// when there is no choice: the message has been printed.
QString chosenTable(CliContext &context, const QString &source)
{
    if (!context.request.table.isEmpty())
        return context.request.table;
    const std::optional<SqliteTables> tables = readSqliteTables(source, context.prompter);
    if (!tables)
        return QString();
    if (!tables->exported.isEmpty())
        return tables->exported;
    if (tables->names.size() == 1)
        return tables->names.constFirst();
    if (tables->names.isEmpty())
        context.reportError(
            QCoreApplication::translate("CliMessages", "the SQLite database holds no table"));
    else
        context.reportError(
            QCoreApplication::translate("CliMessages", "choose a table with --table: %1")
                .arg(tables->names.join(QStringLiteral(", "))));
    return QString();
}

ExchangeResult importSqliteCommand(CliContext &context, const QString &source, Database &database)
{
    const QString table = chosenTable(context, source);
    if (table.isEmpty())
        return ExchangeResult::Failed;
    return importSqliteFile(source, table, database, context.prompter, context.regional);
}

// Writes the file --type names; the count of cells kept as text goes to standard error through
// the prompter.
ExchangeResult exportAs(CliContext &context, const QString &target, const Database &database)
{
    switch (context.request.exchangeFile) {
    case ExchangeFile::Sqlite:
        return exportSqliteFile(target, database, context.prompter, context.regional);
    case ExchangeFile::Workbook:
        return exportWorkbookFile(target, database, context.prompter, context.regional).result;
    case ExchangeFile::Text: break;
    }
    return exportTextFile(target, context.request.textType, database, context.prompter,
                          context.regional, context.request.encoding);
}

} // namespace

ExitStatus importCommand(CliContext &context)
{
    Database database;
    const QString source = QFileInfo(context.request.files.at(0)).absoluteFilePath();
    const ExchangeResult result =
        context.request.exchangeFile == ExchangeFile::Sqlite
            ? importSqliteCommand(context, source, database)
            : importTextFile(source, context.request.textType, database, context.prompter,
                             context.regional, context.request.encoding);
    if (result != ExchangeResult::Done)
        return statusOf(result);
    return saveAs(context, database, context.request.files.at(1));
}

ExitStatus exportCommand(CliContext &context)
{
    const QString target = QFileInfo(context.request.files.at(1)).absoluteFilePath();
    // Text written over the database it comes from would leave the records only in a backup.
    if (QFileInfo(target) == QFileInfo(context.request.files.at(0))) {
        context.reportError(QCoreApplication::translate(
            "CliMessages", "the exported file must not be the database itself"));
        return ExitUsage;
    }
    Database database;
    if (!loadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    const ExchangeResult result = exportAs(context, target, database);
    if (result == ExchangeResult::Done)
        context.out << "Wrote " << target << '\n';
    return statusOf(result);
}

ExitStatus appendCommand(CliContext &context)
{
    Database database;
    // Opened as the editor opens it, since the file is written again.
    if (!loadNamedFile(context, context.request.files.at(0), database, OpenAccess::ReadWrite))
        return ExitFailure;
    const QString source = QFileInfo(context.request.files.at(1)).absoluteFilePath();
    const ExchangeResult result =
        appendTextFile(source, context.request.textType, database, context.prompter,
                       context.regional, context.request.encoding);
    // After a read error part of the text may be in the database; the file keeps its old records
    // rather than a half append.
    if (result != ExchangeResult::Done)
        return statusOf(result);
    return saveAndReport(context, database, SaveMode::OwnFile, QString());
}

} // namespace kribed
