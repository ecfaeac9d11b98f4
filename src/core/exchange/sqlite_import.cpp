// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/new_database.h"
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/sqlite_support.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace kribed {

namespace {

// How long a reader waits for a writer's lock before the file counts as locked.
constexpr int LockWaitMilliseconds = 1000;

void showError(Prompter &prompter, const QString &text)
{
    prompter.ask(
        {QCoreApplication::translate("SqliteImport", "Error"), text, Icon::Error, Buttons::Ok});
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
    default:
        return openErrorText();
    }
}

SqliteConnection openReadOnly(const QString &path, Prompter &prompter)
{
    if (!QFileInfo(path).isFile()) {
        showError(prompter, openErrorText());
        return nullptr;
    }
    sqlite3 *opened = nullptr;
    const int status = sqlite3_open_v2(QFile::encodeName(path).constData(), &opened,
                                       SQLITE_OPEN_READONLY, nullptr);
    SqliteConnection connection(opened);
    if (status != SQLITE_OK) {
        showError(prompter, readErrorText(status));
        return nullptr;
    }
    sqlite3_busy_timeout(connection.get(), LockWaitMilliseconds);
    return connection;
}

// Runs a query to its end, handing each row over; the SQLite status that ended it.
template<typename RowHandler>
int eachRow(sqlite3 *connection, const QByteArray &sql, RowHandler &&handler)
{
    sqlite3_stmt *prepared = nullptr;
    int status = sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &prepared, nullptr);
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

QHash<QString, ExportedField> exportedFields(sqlite3 *connection)
{
    QHash<QString, ExportedField> fields;
    if (!hasTable(connection, FieldsTable))
        return fields;
    eachRow(connection, "SELECT position, name, column_name, type, width FROM kribo_fields",
            [&](sqlite3_stmt *row) {
                const int type = sqlite3_column_int(row, 3);
                fields.insert(QString::fromUtf8(columnText(row, 2)).toCaseFolded(),
                              {sqlite3_column_int(row, 0), columnText(row, 1),
                               type >= 0 && type < FieldTypeCount ? type : StringType,
                               sqlite3_column_int(row, 4)});
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

// One value as a cell text of its field's type, in the regional formats.
QByteArray cellText(sqlite3_stmt *row, int column, int typeIndex, const Regional &regional)
{
    switch (sqlite3_column_type(row, column)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return QByteArray::number(sqlite3_column_int64(row, column));
    case SQLITE_FLOAT:
        return regional.numberText(sqlite3_column_double(row, column));
    default:
        break;
    }
    const QString text = QString::fromUtf8(columnText(row, column));
    if (isDateType(typeIndex)) {
        const QDate date = QDate::fromString(text, IsoDateFormat);
        if (date.isValid())
            return regional.dateText(date);
    } else if (isTimeType(typeIndex)) {
        const QTime time = QTime::fromString(text, IsoTimeFormat);
        if (time.isValid())
            return regional.timeText(time);
    }
    return regional.toBytes(text);
}

// What the import learns of the table before it reads the rows.
struct TableShape
{
    int columns = 0;
    qint64 rows = 0;
};

struct ImportedField
{
    int type = StringType;
    const ExportedField *exported = nullptr;
};

bool askToTakeFirst(Prompter &prompter, const TableShape &shape)
{
    if (shape.columns <= MaxFields && shape.rows <= MaxRecords)
        return true;
    return askToGoOn(prompter,
                     QCoreApplication::translate(
                         "SqliteImport",
                         "The table has %1 columns and %2 rows; a database holds at most %3 "
                         "fields and %4 records.\rImport the first ones?")
                         .arg(shape.columns)
                         .arg(shape.rows)
                         .arg(MaxFields)
                         .arg(MaxRecords));
}

// Puts back what kribo_fields and kribo_database kept: types, names, widths, popup lists, the
// database's values.
void restoreExported(sqlite3 *connection, Database &database, const QList<ImportedField> &fields,
                     const QHash<QByteArray, QByteArray> &values, const Regional &regional)
{
    QHash<int, int> fieldOfPosition;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        const ExportedField *exported = fields.at(field - 1).exported;
        database.setFieldType(field, fields.at(field - 1).type);
        if (!exported)
            continue;
        fieldOfPosition.insert(exported->position, field);
        database.setFieldName(field, regional.toBytes(QString::fromUtf8(exported->name)));
        if (exported->widthUnits > 0)
            database.setColumnWidth(field, database.unitsToPixels(exported->widthUnits));
    }
    if (hasTable(connection, PopupItemsTable))
        eachRow(connection,
                "SELECT field_position, text FROM kribo_popup_items "
                "ORDER BY field_position, item_position",
                [&](sqlite3_stmt *row) {
                    const int field = fieldOfPosition.value(sqlite3_column_int(row, 0));
                    if (field > 0)
                        database.popupList(field).append(
                            regional.toBytes(QString::fromUtf8(columnText(row, 1))));
                    return true;
                });
    if (values.isEmpty())
        return;
    const auto number = [&](const char *key) { return values.value(key).toInt(); };
    const auto knownField = [&](int field) { return field >= 0 && field <= MaxFields ? field : 0; };
    database.setSecondarySortField(knownField(number("secondary_sort_field")));
    database.setTertiarySortField(knownField(number("tertiary_sort_field")));
    database.setFilterField(knownField(number("filter_field")));
    database.setFilterText(regional.toBytes(QString::fromUtf8(values.value("filter_text"))));
    database.flags() = {number("private") != 0, number("auto_lock") != 0,
                        number("read_only") != 0, number("kribo_filter") != 0};
    if (number("increment_amount") > 0)
        database.setIncrementAmount(number("increment_amount"));
}

// Names the fields after the statement's columns and gives them their types.
void takeColumns(sqlite3_stmt *select, const QHash<QString, ExportedField> &exported,
                 const Regional &regional, ImportedTable &table, QList<ImportedField> &fields)
{
    table.rows.resize(1);
    for (int column = 0; column < table.fields; ++column) {
        const QString columnName = QString::fromUtf8(sqlite3_column_name(select, column));
        const auto known = exported.constFind(columnName.toCaseFolded());
        ImportedField field;
        field.type = typeOfDeclared(sqlite3_column_decltype(select, column));
        if (known != exported.constEnd()) {
            field.exported = &known.value();
            field.type = known->type;
        }
        fields.append(field);
        table.rows[0].append(regional.toBytes(columnName));
    }
}

// Reads the table into `table` and `fields`; the SQLite status that ended the reading
// (SQLITE_ABORT when the user declined to take the first rows and columns).
int readTable(sqlite3 *connection, const QString &name, const Regional &regional,
              Prompter &prompter, const QHash<QString, ExportedField> &exported,
              ImportedTable &table, QList<ImportedField> &fields, int &cut)
{
    TableShape shape;
    int status = eachRow(connection, "SELECT count(*) FROM " + quotedIdentifier(name),
                         [&](sqlite3_stmt *row) {
                             shape.rows = sqlite3_column_int64(row, 0);
                             return false;
                         });
    if (status != SQLITE_DONE)
        return status;
    const QByteArray sql = "SELECT * FROM " + quotedIdentifier(name);
    sqlite3_stmt *prepared = nullptr;
    status = sqlite3_prepare_v2(connection, sql.constData(), int(sql.size()), &prepared, nullptr);
    const SqliteStatement select(prepared);
    if (status != SQLITE_OK)
        return sqlite3_extended_errcode(connection);
    shape.columns = sqlite3_column_count(prepared);
    if (!askToTakeFirst(prompter, shape))
        return SQLITE_ABORT;
    table.fields = std::min(shape.columns, MaxFields);
    takeColumns(prepared, exported, regional, table, fields);
    while (table.rows.size() <= MaxRecords && (status = sqlite3_step(prepared)) == SQLITE_ROW) {
        Database::Record cells;
        for (int column = 0; column < table.fields; ++column) {
            QByteArray text = cellText(prepared, column, fields.at(column).type, regional);
            cut += cutToStoredSize(text);
            cells.append(text);
        }
        table.rows.append(std::move(cells));
    }
    if (table.rows.size() > MaxRecords)
        return SQLITE_DONE;
    return status == SQLITE_DONE ? SQLITE_DONE : sqlite3_extended_errcode(connection);
}

} // namespace

std::optional<SqliteTables> readSqliteTables(const QString &path, Prompter &prompter)
{
    const SqliteConnection connection = openReadOnly(path, prompter);
    if (!connection)
        return std::nullopt;
    SqliteTables tables;
    const int status = eachRow(connection.get(),
                               "SELECT name FROM sqlite_master WHERE type IN ('table', 'view') "
                               "AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name",
                               [&](sqlite3_stmt *row) {
                                   tables.names.append(QString::fromUtf8(columnText(row, 0)));
                                   return true;
                               });
    if (status != SQLITE_DONE) {
        showError(prompter, readErrorText(status));
        return std::nullopt;
    }
    const QString exported =
        QString::fromUtf8(databaseValues(connection.get()).value("records_table"));
    if (tables.names.contains(exported))
        tables.exported = exported;
    return tables;
}

ExchangeResult importSqliteFile(const QString &path, const QString &table, Database &database,
                                Prompter &prompter, const Regional &regional)
{
    const SqliteConnection connection = openReadOnly(path, prompter);
    if (!connection)
        return ExchangeResult::Failed;
    const std::optional<SqliteTables> tables = readSqliteTables(path, prompter);
    if (!tables)
        return ExchangeResult::Failed;
    if (!tables->names.contains(table)) {
        showError(prompter,
                  QCoreApplication::translate(
                      "SqliteImport", "The SQLite database holds no table or view named \"%1\".")
                      .arg(table));
        return ExchangeResult::Failed;
    }
    // The side tables speak for the table our export wrote the records to, and for no other.
    QHash<QByteArray, QByteArray> values = databaseValues(connection.get());
    if (table != tables->exported)
        values.clear();
    const QHash<QString, ExportedField> exported =
        values.isEmpty() ? QHash<QString, ExportedField>() : exportedFields(connection.get());
    ImportedTable imported;
    QList<ImportedField> fields;
    int cut = 0;
    const int status = readTable(connection.get(), table, regional, prompter, exported, imported,
                                 fields, cut);
    if (status == SQLITE_ABORT)
        return ExchangeResult::Cancelled;
    if (status != SQLITE_DONE) {
        showError(prompter, readErrorText(status));
        return ExchangeResult::Failed;
    }
    if (imported.rows.size() == 1) // like a text of field names only: one empty record
        imported.rows.append(Database::Record());
    for (Database::Record &row : imported.rows)
        row.resize(imported.fields);

    replaceWithImported(database, imported);
    restoreExported(connection.get(), database, fields, values, regional);
    reportCutValues(prompter, cut);

    const QFileInfo info(path);
    const QString baseName = info.completeBaseName();
    database.setModificationTime(info.lastModified());
    database.setName(values.contains("name")
                         ? regional.toBytes(QString::fromUtf8(values.value("name")))
                         : regional.toBytes(sanitizeFileName(baseName)));
    database.setFilePath(info.absoluteDir().absoluteFilePath(baseName + QStringLiteral(".pdb")));
    return ExchangeResult::Done;
}

} // namespace kribed
