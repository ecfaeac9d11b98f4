// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/commands_file.h"

#include "cli/cli_context.h"
#include "cli/json_dump.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"

#include <QFileInfo>
#include <QIODevice>
#include <QJsonDocument>
#include <QTextStream>

namespace kribed {

namespace {

// A freshly loaded grid has its cursor in the first field; the editor would save with that
// column current.
constexpr int CurrentColumnAfterLoad = 1;

QString LayoutTitle(const Database &database)
{
    return database.ConvertedFromKribo3() ? QStringLiteral("Kribo 3 (converted to Kribo pro)")
                                          : QStringLiteral("Kribo pro");
}

QString YesNo(bool value)
{
    return value ? QStringLiteral("yes") : QStringLiteral("no");
}

void PrintField(CliContext &context, const Database &database, int field)
{
    const int popupItems = int(database.PopupList(field).size());
    context.out << QStringLiteral("  %1  %2  %3, width %4 units, %5 popup %6\n")
                       .arg(field, 2)
                       .arg(context.codec.Decode(database.FieldName(field)))
                       .arg(TypeName(database.FieldType(field)).trimmed())
                       .arg(database.WidthUnits(field))
                       .arg(popupItems)
                       .arg(popupItems == 1 ? QStringLiteral("item") : QStringLiteral("items"));
}

} // namespace

bool LoadNamedFile(CliContext &context, const QString &path, Database &database, OpenAccess access)
{
    const QString fullPath = QFileInfo(path).absoluteFilePath();
    if (LoadDatabaseFile(fullPath, database, context.prompter, access) == LoadResult::Loaded)
        return true;
    // The reader's message does not name the file; with many files in a run, this line does.
    context.err << "kribed-cli: " << path << " was not loaded.\n";
    return false;
}

bool LoadForReading(CliContext &context, const QString &path, Database &database)
{
    return LoadNamedFile(context, path, database, OpenAccess::ReadOnly);
}

ExitStatus InfoCommand(CliContext &context)
{
    Database database;
    if (!LoadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    const DatabaseFlags &flags = database.Flags();
    QTextStream &out = context.out;
    out << "Name:      " << context.codec.Decode(database.Name()) << '\n';
    out << "Layout:    " << LayoutTitle(database) << '\n';
    out << "Path:      " << database.FilePath() << '\n';
    out << "Modified:  " << ModificationText(database.ModificationTime()).replace(u'T', u' ')
        << '\n';
    out << "Records:   " << database.RecordCount() << '\n';
    out << "Fields:    " << database.FieldCount() << '\n';
    for (int field = 1; field <= database.FieldCount(); ++field)
        PrintField(context, database, field);
    out << "Flags:     private " << YesNo(flags.isPrivate) << ", auto-lock "
        << YesNo(flags.autoLock) << ", read-only " << YesNo(flags.readOnly) << ", Kribo filter "
        << YesNo(flags.kriboFilter) << '\n';
    return ExitSuccess;
}

ExitStatus CheckCommand(CliContext &context)
{
    Database database;
    if (!LoadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    context.out << context.request.files.at(0) << ": OK (" << LayoutTitle(database) << ", "
                << database.RecordCount() << " records, " << database.FieldCount() << " fields)\n";
    return ExitSuccess;
}

ExitStatus DumpCommand(CliContext &context)
{
    Database database;
    if (!LoadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    const QByteArray json =
        QJsonDocument(DatabaseToJson(database, context.codec)).toJson(QJsonDocument::Indented);
    // The JSON is UTF-8 already: hand the bytes over without decoding them again.
    context.out.flush();
    if (QIODevice *device = context.out.device())
        device->write(json);
    else
        context.out << QString::fromUtf8(json);
    return ExitSuccess;
}

ExitStatus ResaveCommand(CliContext &context)
{
    Database database;
    if (!LoadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    const QString target = QFileInfo(context.request.files.at(1)).absoluteFilePath();
    if (!SaveDatabase(database, SaveMode::Copy, target, CurrentColumnAfterLoad, context.prompter))
        return ExitFailure;
    return ExitSuccess;
}

} // namespace kribed
