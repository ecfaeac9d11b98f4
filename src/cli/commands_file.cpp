// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/commands_file.h"

#include "cli/cli_context.h"
#include "cli/info_report.h"
#include "cli/json_dump.h"
#include "core/editing/where_condition.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QIODevice>
#include <QTextStream>

namespace kribed {

namespace {

// A freshly loaded grid has its cursor in the first field; the editor would save with that
// column current.
constexpr int CurrentColumnAfterLoad = 1;

// Cells a condition could not read would otherwise just be missing from the result: a script
// run under other formats than the file's gets no records and should hear why.
void reportUnreadable(CliContext &context, const Database &database,
                      const WhereSelection &selection)
{
    for (const WhereSelection::Unreadable &field : selection.unreadable) {
        context.reportError(QCoreApplication::translate(
                                "CliMessages",
                                "%n value(s) of %1 do not read as its type in the formats %2 and "
                                "match no condition on it (--locale names others).",
                                nullptr, field.count)
                                .arg(context.regional.toText(database.fieldName(field.field)),
                                     context.regional.locale().name()));
    }
}

} // namespace

bool loadNamedFile(CliContext &context, const QString &path, Database &database, OpenAccess access)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (loadDatabaseFile(fullPath, database, context.prompter, access) == LoadResult::Loaded)
        return true;
    // The reader's message does not name the file; with many files in a run, this line does.
    context.reportError(QCoreApplication::translate("CliMessages", "%1 was not loaded.").arg(path));
    return false;
}

bool loadForReading(CliContext &context, const QString &path, Database &database)
{
    return loadNamedFile(context, path, database, OpenAccess::ReadOnly);
}

bool selectRecords(CliContext &context, Database &database, bool takeOut)
{
    if (context.request.where.isEmpty())
        return true;
    const WhereConditions where =
        readWhereConditions(context.request.where, database, context.regional);
    if (!where.error.isEmpty()) {
        context.reportError(where.error);
        return false;
    }
    const WhereSelection selection = selectWhere(database, where.filters, context.regional);
    reportUnreadable(context, database, selection);
    if (takeOut) {
        for (int record = database.recordCount(); record >= 1; --record) {
            if (database.isHidden(record))
                database.takeRecord(record);
        }
    }
    return true;
}

ExitStatus infoCommand(CliContext &context)
{
    Database database;
    if (!loadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    if (!selectRecords(context, database, true))
        return ExitUsage;
    if (context.request.json)
        context.out << QString::fromUtf8(infoJson(context, database));
    else
        printInfo(context, database);
    return ExitSuccess;
}

ExitStatus checkCommand(CliContext &context)
{
    Database database;
    if (!loadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    context.out << context.request.files.at(0) << ": OK (" << layoutTitle(database) << ", "
                << database.recordCount() << " records, " << database.fieldCount() << " fields)\n";
    return ExitSuccess;
}

ExitStatus dumpCommand(CliContext &context)
{
    Database database;
    if (!loadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    if (!selectRecords(context, database, true))
        return ExitUsage;
    // The JSON is UTF-8 already: its bytes go to the output device as they are made.
    context.out.flush();
    QBuffer collected;
    QIODevice *device = context.out.device();
    if (!device) {
        collected.open(QIODevice::WriteOnly);
        device = &collected;
    }
    const bool written = writeDatabaseJson(database, context.codec, *device);
    if (device == &collected)
        context.out << QString::fromUtf8(collected.data());
    if (!written) {
        context.reportError(
            QCoreApplication::translate("CliMessages", "the dump of %1 could not be written whole.")
                .arg(context.request.files.at(0)));
        return ExitFailure;
    }
    return ExitSuccess;
}

ExitStatus resaveCommand(CliContext &context)
{
    Database database;
    if (!loadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    const QString target = QFileInfo(context.request.files.at(1)).absoluteFilePath();
    if (!saveDatabase(database, SaveMode::Copy, target, CurrentColumnAfterLoad, context.prompter))
        return ExitFailure;
    return ExitSuccess;
}

} // namespace kribed
