// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/commands_exchange.h"

#include "cli/cli_context.h"
#include "cli/commands_file.h"
#include "cli/import_planning.h"
#include "core/exchange/encoding_detection.h"
#include "core/exchange/exchange_formats.h"
#include "core/exchange/new_database.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
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
QString chosenTable(CliContext &context, const ExchangeFormat &format, const QString &source)
{
    if (!context.request.table.isEmpty())
        return context.request.table;
    const std::optional<SqliteTables> tables = format.listTables(source, context.prompter);
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

// A UTF-8 file read byte by byte gives two or three wrong characters for each one beyond ASCII;
// the reading stays as scripts know it, but standard error says so (a plan says it among its
// findings).
void warnOfUtf8ReadAsBytes(CliContext &context, const ImportPlan &plan, const QString &path)
{
    if (context.request.planOnly || !plan.bytesEncoding
        || plan.bytesEncoding->encoding != CsvEncoding::Utf8)
        return;
    context.reportError(QCoreApplication::translate(
                            "CliMessages", "%1 looks like UTF-8, which --type %2 reads byte by "
                                           "byte: --encoding utf-8 reads its characters.")
                            .arg(QFileInfo(path).fileName(), context.request.format->id));
}

// What the read step of the --type format is given; none when no table can be chosen.
std::optional<ImportSource> sourceOf(CliContext &context, const QString &path)
{
    ImportSource source;
    source.path = path;
    source.encoding = context.request.encoding;
    const ExchangeFormat &format = *context.request.format;
    if (format.textType && !format.asksEncoding && context.request.encodingGiven)
        setTextEncoding(source, context.request.encoding);
    if (format.listTables) {
        source.table = chosenTable(context, format, path);
        if (source.table.isEmpty())
            return std::nullopt;
    }
    return source;
}

// A text's encoding as its bytes tell it and as it is read: standard CSV in the --encoding
// given (UTF-8 after a byte order mark, whatever it says), the other types byte by byte unless
// --encoding is given.
QJsonObject encodingJson(const CliContext &context, const QString &path)
{
    const ExchangeFormat &format = *context.request.format;
    const std::optional<DetectedEncoding> detected = detectFileEncoding(path);
    const bool marked = detected && detected->reason == EncodingReason::ByteOrderMark;
    const bool chosen = format.asksEncoding || context.request.encodingGiven;
    const CsvEncoding read = !chosen  ? CsvEncoding::CodePage
                             : marked ? CsvEncoding::Utf8
                                      : context.request.encoding;
    QJsonObject json{{QStringLiteral("read"), csvEncodingName(read)}};
    if (detected) {
        json.insert(QStringLiteral("detected"), csvEncodingName(detected->encoding));
        json.insert(QStringLiteral("reason"), encodingReasonName(detected->reason));
    }
    return json;
}

// --plan: the plan as JSON on standard output; nothing is written. A file that cannot be read
// at all still fails.
ExitStatus printPlan(CliContext &context, const ImportPlan &plan,
                     const QList<DetectedType> &detected, const QString &path,
                     const Database *target)
{
    QByteArray start;
    QFile file(path);
    if (!context.request.format->listTables && file.open(QIODevice::ReadOnly))
        start = file.read(1 << 16);
    const ExchangeFormat &format = *context.request.format;
    const bool readsUtf8 = format.listTables
                           || ((format.asksEncoding || context.request.encodingGiven)
                               && context.request.encoding == CsvEncoding::Utf8);
    QJsonObject json = planJson(plan, detected, start, readsUtf8, context.regional, target);
    if (!format.listTables)
        json.insert(QStringLiteral("encoding"), encodingJson(context, path));
    context.out << QJsonDocument(json).toJson(QJsonDocument::Indented);
    return plan.failure == PlanFailure::Unreadable ? ExitFailure : ExitSuccess;
}

} // namespace

ExitStatus importCommand(CliContext &context)
{
    Database database;
    const CliRequest &request = context.request;
    const QString path = QFileInfo(request.files.at(0)).absoluteFilePath();
    const std::optional<ImportSource> source = sourceOf(context, path);
    if (!source)
        return ExitFailure;
    ImportPlan plan = request.format->readImport(*source, context.regional);
    warnOfUtf8ReadAsBytes(context, plan, path);
    QList<DetectedType> detected;
    if (request.detectTypes || !request.types.isEmpty() || request.planOnly) {
        detected = detectColumnTypes(plan.table.rows, 1, plan.table.fields, context.regional);
        ImportChoices choices;
        const QString error = importChoicesFor(plan, detected, request.detectTypes, request.types,
                                               context.regional, choices);
        if (!error.isEmpty()) {
            context.reportError(error);
            return ExitUsage;
        }
        applyImportChoices(plan, choices, context.regional);
    }
    if (request.planOnly)
        return printPlan(context, plan, detected, path, nullptr);
    const ExchangeResult result = carryOutImport(std::move(plan), database, context.prompter);
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
    if (!selectRecords(context, database, true))
        return ExitUsage;
    // The count of cells kept as text goes to standard error through the prompter.
    const ExchangeResult result = context.request.format->write(
        target, database, context.prompter, context.regional, context.request.encoding);
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
    const QString path = QFileInfo(context.request.files.at(1)).absoluteFilePath();
    const std::optional<ImportSource> source = sourceOf(context, path);
    if (!source)
        return ExitFailure;
    ImportPlan plan = context.request.format->readAppend(*source, database, context.regional);
    warnOfUtf8ReadAsBytes(context, plan, path);
    if (context.request.planOnly) {
        const QList<DetectedType> detected =
            context.request.detectTypes
                ? detectColumnTypes(plan.table.rows, 0, plan.table.fields, context.regional)
                : QList<DetectedType>();
        return printPlan(context, plan, detected, path, &database);
    }
    const ExchangeResult result = carryOutImport(std::move(plan), database, context.prompter);
    // After a read error part of the text may be in the database; the file keeps its old records
    // rather than a half append.
    if (result != ExchangeResult::Done)
        return statusOf(result);
    return saveAndReport(context, database, SaveMode::OwnFile, QString());
}

} // namespace kribed
