// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/import_plan.h"
#include "core/exchange/new_database.h"
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/sqlite_support.h"
#include "core/exchange/sqlite_values.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/properties_edit.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <limits>

namespace kribed {

namespace {

// How long a reader waits for a writer's lock before the file counts as locked.
constexpr int LockWaitMilliseconds = 1000;
// The longest value SQLite may make while the import reads: a cell holds 4000 bytes, and no view
// may make a value of gigabytes for one of them. Stored values longer than this cannot be read.
constexpr int ReadLengthLimit = 16 * 1024 * 1024;
// How many steps of SQLite's machine pass between two looks at whether the user cancelled.
constexpr int ProgressSteps = 20000;

Message errorMessage(const QString &text)
{
    return {QCoreApplication::translate("SqliteImport", "Error"), text, Icon::Error, Buttons::Ok};
}

// The message for what SQLite answered on reading the file.
QString readErrorText(int status)
{
    switch (status & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return QCoreApplication::translate(
            "SqliteImport",
            "The SQLite database is locked by another program. Close it there and try "
            "again.");
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return QCoreApplication::translate(
            "SqliteImport", "The file is no SQLite database that can be read: it is damaged or "
                            "encrypted.");
    default: return openErrorText();
    }
}

// The message for what SQLite answered on reading a table or view, naming the cause: a view over
// a table that is gone, a value too long to read, too little memory.
QString tableErrorText(int status, const QString &table, const QString &detail)
{
    switch (status & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR: return readErrorText(status);
    case SQLITE_TOOBIG:
        return QCoreApplication::translate("SqliteImport",
                                           "\"%1\" holds a value longer than %2 MB, which cannot "
                                           "be read.")
            .arg(table)
            .arg(ReadLengthLimit / (1024 * 1024));
    case SQLITE_NOMEM:
        return QCoreApplication::translate("SqliteImport",
                                           "There was not enough memory to read \"%1\".")
            .arg(table);
    default:
        return QCoreApplication::translate("SqliteImport",
                                           "SQLite cannot read the table or view \"%1\": %2")
            .arg(table, detail);
    }
}

// None when the file cannot be read, with the message in `error`.
SqliteConnection openReadOnly(const QString &path, Message &error)
{
    if (!QFileInfo(path).isFile()) {
        error = errorMessage(openErrorText());
        return nullptr;
    }
    sqlite3 *opened = nullptr;
    // One thread reads through the connection: SQLite need not lock it for every value.
    const int status = sqlite3_open_v2(QFile::encodeName(path).constData(), &opened,
                                       SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr);
    SqliteConnection connection(opened);
    if (status != SQLITE_OK) {
        error = errorMessage(readErrorText(status));
        return nullptr;
    }
    sqlite3_busy_timeout(connection.get(), LockWaitMilliseconds);
    sqlite3_limit(connection.get(), SQLITE_LIMIT_LENGTH, ReadLengthLimit);
    return connection;
}

// Runs a query to its end, handing each row over; the SQLite status that ended it.
template<typename RowHandler>
int eachRow(sqlite3 *connection, const QByteArray &sql, RowHandler &&handler)
{
    sqlite3_stmt *prepared = nullptr;
    int status =
        sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &prepared, nullptr);
    const SqliteStatement statement(prepared);
    if (status != SQLITE_OK)
        return sqlite3_extended_errcode(connection);
    while ((status = sqlite3_step(prepared)) == SQLITE_ROW) {
        if (!handler(prepared))
            return SQLITE_DONE;
    }
    return status == SQLITE_DONE ? SQLITE_DONE : sqlite3_extended_errcode(connection);
}

bool hasTable(sqlite3 *connection, const char *name)
{
    bool found = false;
    eachRow(connection,
            "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = '" + QByteArray(name)
                + '\'',
            [&](sqlite3_stmt *) { return !(found = true); });
    return found;
}

// kribo_database as keys and values; empty when the file has none.
QHash<QByteArray, QByteArray> databaseValues(sqlite3 *connection)
{
    QHash<QByteArray, QByteArray> values;
    if (hasTable(connection, DatabaseTable))
        eachRow(connection, "SELECT key, value FROM kribo_database", [&](sqlite3_stmt *row) {
            values.insert(columnText(row, 0), columnText(row, 1));
            return true;
        });
    return values;
}

// One field as our export described it in kribo_fields.
struct ExportedField
{
    int position = 0;
    QByteArray name;
    int type = StringType;
    int widthUnits = 0;
};

// A whole number of the file as an int; anything beyond its range as the nearest end.
int clampedInt(sqlite3_stmt *row, int column)
{
    return int(std::clamp<sqlite3_int64>(sqlite3_column_int64(row, column),
                                         std::numeric_limits<int>::min(),
                                         std::numeric_limits<int>::max()));
}

QHash<QString, ExportedField> exportedFields(sqlite3 *connection)
{
    QHash<QString, ExportedField> fields;
    if (!hasTable(connection, FieldsTable))
        return fields;
    eachRow(connection, "SELECT position, name, column_name, type, width FROM kribo_fields",
            [&](sqlite3_stmt *row) {
                const int type = clampedInt(row, 3);
                fields.insert(QString::fromUtf8(columnText(row, 2)).toCaseFolded(),
                              {clampedInt(row, 0), columnText(row, 1),
                               type >= 0 && type < FieldTypeCount ? type : StringType,
                               clampedInt(row, 4)});
                return true;
            });
    return fields;
}

// The field type a declared column type gives, by SQLite's own affinity rules.
int typeOfDeclared(const char *declared)
{
    const QByteArray type = QByteArray(declared ? declared : "").toUpper();
    if (type.contains("INT"))
        return NormalIntegerType;
    if (type.contains("REAL") || type.contains("FLOA") || type.contains("DOUB"))
        return FloatType;
    return StringType;
}

struct ImportedField
{
    int type = StringType;
    const ExportedField *exported = nullptr;
};

// What the reading learnt besides the cells.
struct ReadShape
{
    int columns = 0;
    bool moreRows = false; // a row after the last one a database can hold
    QString error;         // SQLite's own words when the reading failed
    QList<PlanCell> cutPlaces;
};

// "The table has 60 columns and 12000 rows" for a table; a view is never counted: a view may not
// end, so its rows beyond those a database holds are only known to be more. None when the whole
// table fits; `rows` learns the count.
std::optional<Message> takeFirstQuestion(sqlite3 *connection, const QString &name, bool view,
                                         const ReadShape &shape, qint64 &rows)
{
    if (shape.columns <= MaxFields && !shape.moreRows)
        return std::nullopt;
    if (shape.moreRows && view)
        return goOnQuestion(
            QCoreApplication::translate("SqliteImport",
                                        "The view has %1 columns and more than %2 rows; a "
                                        "database holds at most %3 fields and %4 records.\rImport "
                                        "the first ones?")
                .arg(shape.columns)
                .arg(MaxRecords)
                .arg(MaxFields)
                .arg(MaxRecords));
    if (shape.moreRows)
        eachRow(connection, "SELECT count(*) FROM " + quotedIdentifier(name),
                [&](sqlite3_stmt *row) {
                    rows = sqlite3_column_int64(row, 0);
                    return false;
                });
    return goOnQuestion(QCoreApplication::translate(
                            "SqliteImport",
                            "The table has %1 columns and %2 rows; a database holds at most %3 "
                            "fields and %4 records.\rImport the first ones?")
                            .arg(shape.columns)
                            .arg(rows)
                            .arg(MaxFields)
                            .arg(MaxRecords));
}

// What kribo_fields, kribo_popup_items and kribo_database keep besides the cells, read before the
// open database changes.
struct Extras
{
    QHash<int, QByteArray> fieldNames;        // by field
    QHash<int, QList<QByteArray>> popupItems; // by field
    QStringList refusedItems;                 // items that read as a list's header
    int brokenItems = 0;                      // empty items, or items holding a NUL
    QByteArray filterText;
    QByteArray name;
};

Extras readExtras(sqlite3 *connection, const QList<ImportedField> &fields,
                  const QHash<QByteArray, QByteArray> &values, SqliteCellMaker &maker)
{
    Extras extras;
    QHash<int, int> fieldOfPosition;
    for (int field = 1; field <= fields.size(); ++field)
        if (const ExportedField *exported = fields.at(field - 1).exported) {
            fieldOfPosition.insert(exported->position, field);
            extras.fieldNames.insert(field, maker.text(exported->name, 0, MaxFieldNameLength));
        }
    if (!fieldOfPosition.isEmpty() && hasTable(connection, PopupItemsTable))
        eachRow(connection,
                "SELECT field_position, text FROM kribo_popup_items "
                "ORDER BY field_position, item_position",
                [&](sqlite3_stmt *row) {
                    const int field = fieldOfPosition.value(sqlite3_column_int(row, 0));
                    if (field == 0)
                        return true;
                    const QByteArray item = maker.text(columnText(row, 1), 0, MaxValueBytes);
                    // An item read as a list's header would split the lists on the next load,
                    // an empty one (or one with a NUL, where the item's text ends) end them.
                    if (item.isEmpty() || item.contains('\0'))
                        ++extras.brokenItems;
                    else if (isRefusedPopupEntry(item))
                        extras.refusedItems.append(QString::fromUtf8(columnText(row, 1)));
                    else
                        extras.popupItems[field].append(item);
                    return true;
                });
    extras.filterText = maker.text(values.value("filter_text"), 0, MaxValueBytes);
    if (values.contains("name"))
        extras.name = maker.text(values.value("name"), 0, MaxValueBytes);
    return extras;
}

std::optional<Message> refusedItemsNotice(const Extras &extras)
{
    constexpr int ShownItems = 5;
    const QStringList &items = extras.refusedItems;
    const int count = int(items.size()) + extras.brokenItems;
    if (count == 0)
        return std::nullopt;
    QStringList lines;
    for (const QString &item : items.mid(0, ShownItems))
        lines.append(popupEntryWarning(item));
    if (items.size() > ShownItems)
        lines.append(QStringLiteral("..."));
    if (extras.brokenItems == 1)
        lines.append(QCoreApplication::translate(
            "SqliteImport", "1 popup entry was empty or held a NUL character: it would end the "
                            "popup lists when the database is read."));
    else if (extras.brokenItems > 1)
        lines.append(QCoreApplication::translate(
                         "SqliteImport", "%1 popup entries were empty or held a NUL character: "
                                         "they would end the popup lists when the database is "
                                         "read.")
                         .arg(extras.brokenItems));
    lines.append(
        count == 1
            ? QCoreApplication::translate("SqliteImport", "The popup entry has been left out.")
            : QCoreApplication::translate("SqliteImport", "The popup entries have been left out."));
    return Message{QCoreApplication::translate("SqliteImport", "Information"), lines.join(u'\r'),
                   Icon::Warning, Buttons::Ok};
}

// What the side tables kept, for the plan: types, names, widths, popup lists, the database's
// values.
void planExported(ImportPlan &plan, const QList<ImportedField> &fields,
                  const QHash<QByteArray, QByteArray> &values, const Extras &extras)
{
    const int count = plan.table.fields;
    for (int field = 1; field <= count; ++field) {
        const ImportedField &imported = fields.at(field - 1);
        PlannedField planned;
        planned.type = imported.type;
        if (const ExportedField *exported = imported.exported) {
            plan.table.rows[0].replace(field - 1, extras.fieldNames.value(field));
            planned.widthUnits = exported->widthUnits;
            planned.popupItems = extras.popupItems.value(field);
        }
        plan.fields.append(planned);
    }
    if (values.isEmpty())
        return;
    const auto number = [&](const char *key) { return values.value(key).toInt(); };
    const auto knownField = [&](int field) { return field >= 0 && field <= count ? field : 0; };
    PlannedSettings settings;
    settings.secondarySortField = knownField(number("secondary_sort_field"));
    settings.tertiarySortField = knownField(number("tertiary_sort_field"));
    settings.filterField = knownField(number("filter_field"));
    settings.filterText = extras.filterText;
    settings.flags = {number("private") != 0, number("auto_lock") != 0, number("read_only") != 0,
                      number("kribo_filter") != 0};
    settings.incrementAmount = std::max(0, number("increment_amount"));
    plan.settings = settings;
}

// The column's name as a field name: cut to what a field name holds, then made distinct (in any
// case, as SQLite's names are) from the names before it; an empty name becomes "Field N".
QByteArray fieldNameOf(const QByteArray &cut, int field, const Regional &regional,
                       QSet<QString> &taken)
{
    QString name = regional.toText(cut);
    if (name.isEmpty())
        name = QStringLiteral("Field %1").arg(field);
    const QString base = name;
    for (int n = 2; taken.contains(name.toCaseFolded()); ++n) {
        const QString suffix = QStringLiteral(" (%1)").arg(n);
        QString shortened = base;
        while (!shortened.isEmpty()
               && regional.toBytes(shortened + suffix).size() > MaxFieldNameLength)
            shortened.chop(1);
        name = shortened + suffix;
    }
    taken.insert(name.toCaseFolded());
    return regional.toBytes(name);
}

// Names the fields after the statement's columns and gives them their types.
void takeColumns(sqlite3_stmt *select, const QHash<QString, ExportedField> &exported,
                 SqliteCellMaker &maker, const Regional &regional, ImportedTable &table,
                 QList<ImportedField> &fields)
{
    table.rows.resize(1);
    QSet<QString> taken;
    for (int column = 0; column < table.fields; ++column) {
        const QByteArray columnName = sqlite3_column_name(select, column);
        const auto known = exported.constFind(QString::fromUtf8(columnName).toCaseFolded());
        ImportedField field;
        field.type = typeOfDeclared(sqlite3_column_decltype(select, column));
        if (known != exported.constEnd()) {
            field.exported = &known.value();
            field.type = known->type;
        }
        fields.append(field);
        table.rows[0].append(fieldNameOf(maker.text(columnName, 0, MaxFieldNameLength), column + 1,
                                         regional, taken));
    }
}

// Reads the first rows a database can hold, and one more to know whether there are more; the
// SQLite status that ended the reading.
int readTable(sqlite3 *connection, const QString &name, const Regional &regional,
              const QHash<QString, ExportedField> &exported, SqliteCellMaker &maker,
              ImportedTable &table, QList<ImportedField> &fields, ReadShape &shape)
{
    const QByteArray sql = "SELECT * FROM " + quotedIdentifier(name);
    sqlite3_stmt *prepared = nullptr;
    int status =
        sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &prepared, nullptr);
    const SqliteStatement select(prepared);
    if (status != SQLITE_OK) {
        shape.error = lastError(connection);
        return sqlite3_extended_errcode(connection);
    }
    shape.columns = sqlite3_column_count(prepared);
    table.fields = std::clamp(shape.columns, 1, MaxFields);
    takeColumns(prepared, exported, maker, regional, table, fields);
    while ((status = sqlite3_step(prepared)) == SQLITE_ROW) {
        const int record = int(table.rows.size());
        if (record > MaxRecords) {
            shape.moreRows = true;
            return SQLITE_DONE;
        }
        // Rows of a table are mostly as long as the one before: room for that many bytes.
        Database::Record cells;
        cells.reserve(table.fields, record > 1 ? table.rows.last().bufferSize() : 0);
        for (int column = 0; column < std::min(table.fields, shape.columns); ++column) {
            const int cut = maker.cutCount();
            maker.appendCell(cells, prepared, column, fields.at(column).type, record);
            if (maker.cutCount() > cut)
                noteCutPlace(shape.cutPlaces, record, column + 1);
        }
        table.rows.append(std::move(cells));
    }
    if (status == SQLITE_DONE)
        return SQLITE_DONE;
    shape.error = lastError(connection);
    return sqlite3_extended_errcode(connection);
}

bool isView(sqlite3 *connection, const QString &name)
{
    const SqliteStatement statement = prepare(
        connection, "SELECT 1 FROM sqlite_master WHERE type = 'view' AND name = ?", nullptr);
    if (!statement)
        return false;
    const QByteArray utf8 = name.toUtf8();
    sqlite3_bind_text(statement.get(), 1, utf8.constData(), int(utf8.size()), SQLITE_STATIC);
    return sqlite3_step(statement.get()) == SQLITE_ROW;
}

// Lets the user stop a slow reading: SQLite asks now and then, and stops when told to.
struct ProgressWatch
{
    const SqliteProgress &progress;
    const ImportedTable &table;

    static int handle(void *watch)
    {
        const auto *self = static_cast<ProgressWatch *>(watch);
        return self->progress(int(self->table.rows.size()) - 1) ? 0 : 1;
    }
};

} // namespace

namespace {

// The tables and views of the open file; none when SQLite cannot list them (`error` tells why).
std::optional<SqliteTables> listTables(sqlite3 *connection, Message &error)
{
    SqliteTables tables;
    const int status = eachRow(connection,
                               "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                               "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name",
                               [&](sqlite3_stmt *row) {
                                   tables.names.append(QString::fromUtf8(columnText(row, 0)));
                                   return true;
                               });
    if (status != SQLITE_DONE) {
        error = errorMessage(readErrorText(status));
        return std::nullopt;
    }
    const QString exported = QString::fromUtf8(databaseValues(connection).value("records_table"));
    if (tables.names.contains(exported))
        tables.exported = exported;
    return tables;
}

// The table read into the plan: its cells, the shape, and what the side tables restore.
void readIntoPlan(sqlite3 *connection, const QString &path, const QString &table,
                  bool exportedTable, const Regional &regional, const SqliteProgress &progress,
                  ImportPlan &plan)
{
    // The side tables speak for the table our export wrote the records to, and for no other.
    QHash<QByteArray, QByteArray> values;
    if (exportedTable)
        values = databaseValues(connection);
    const QHash<QString, ExportedField> exported =
        values.isEmpty() ? QHash<QString, ExportedField>() : exportedFields(connection);
    ImportedTable &imported = plan.table;
    QList<ImportedField> fields;
    SqliteCellMaker maker(regional);
    ReadShape shape;
    ProgressWatch watch{progress, imported};
    if (progress)
        sqlite3_progress_handler(connection, ProgressSteps, &ProgressWatch::handle, &watch);
    const int status =
        readTable(connection, table, regional, exported, maker, imported, fields, shape);
    sqlite3_progress_handler(connection, 0, nullptr, nullptr);
    if ((status & 0xff) == SQLITE_INTERRUPT)
        return plan.fail(PlanFailure::Cancelled, Message());
    if (status != SQLITE_DONE)
        return plan.fail(PlanFailure::Unreadable,
                         errorMessage(tableErrorText(status, table, shape.error)));
    qint64 rows = int(imported.rows.size()) - 1;
    const bool view = isView(connection, table);
    if (const std::optional<Message> question =
            takeFirstQuestion(connection, table, view, shape, rows))
        plan.questions.append(*question);
    plan.shape = {rows, !(shape.moreRows && view), shape.columns, false, MaxRecords, MaxFields};
    const Extras extras = readExtras(connection, fields, values, maker);
    if (const std::optional<Message> question = lossQuestion(maker.losses(), regional.codePage()))
        plan.questions.append(*question);
    if (imported.rows.size() == 1) // like a text of field names only: one empty record
        imported.rows.append(Database::Record());
    for (Database::Record &row : imported.rows)
        row.resize(imported.fields);
    planExported(plan, fields, values, extras);
    plan.losses = maker.losses();
    plan.cutValues = maker.cutCount();
    plan.cutPlaces = shape.cutPlaces;
    for (const std::optional<Message> &notice :
         {blobsNotice(maker.blobCount(), maker.longBlobCount()), refusedItemsNotice(extras),
          cutBytesNotice(maker.cutCount())})
        if (notice)
            plan.notices.append(*notice);
    plan.origin = originOf(path, regional);
    if (values.contains("name"))
        plan.origin->name = extras.name;
}

} // namespace

std::optional<SqliteTables> readSqliteTables(const QString &path, Prompter &prompter)
{
    Message error;
    const SqliteConnection connection = openReadOnly(path, error);
    std::optional<SqliteTables> tables;
    if (connection)
        tables = listTables(connection.get(), error);
    if (!tables)
        prompter.ask(error);
    return tables;
}

ImportPlan readSqliteImport(const QString &path, const QString &table, const Regional &regional,
                            const SqliteProgress &progress)
{
    ImportPlan plan;
    Message error;
    const SqliteConnection connection = openReadOnly(path, error);
    const std::optional<SqliteTables> tables =
        connection ? listTables(connection.get(), error) : std::nullopt;
    if (!tables) {
        plan.fail(PlanFailure::Unreadable, error);
        return plan;
    }
    if (!tables->names.contains(table)) {
        plan.fail(PlanFailure::Unreadable,
                  errorMessage(QCoreApplication::translate(
                                   "SqliteImport",
                                   "The SQLite database holds no table or view named \"%1\".")
                                   .arg(table)));
        return plan;
    }
    readIntoPlan(connection.get(), path, table, table == tables->exported, regional, progress,
                 plan);
    return plan;
}

ExchangeResult importSqliteFile(const QString &path, const QString &table, Database &database,
                                Prompter &prompter, const Regional &regional,
                                const SqliteProgress &progress)
{
    return carryOutImport(readSqliteImport(path, table, regional, progress), database, prompter);
}

} // namespace kribed
