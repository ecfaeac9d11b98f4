// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/sqlite_support.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/numeric_date_format.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "core/platform/prompter.h"
#include "core/platform/safe_file.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QVariant>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

namespace kribed {

namespace {

constexpr int KeptExamples = 5;

// The declared type of a field's column. A number column that holds a cell kept as its text is
// declared without a type: SQLite's INTEGER and REAL affinity would turn such a text into a number
// ("007" into 7, "1.500" into 1.5, 20 digits into a rounded real), while a column without affinity
// stores each value as it was bound, the numbers as numbers (summed by any SQLite tool) and the
// texts exactly.
const char *declaredType(int typeIndex, bool everyCellConverts)
{
    switch (typeIndex) {
    case BooleanType:
    case NormalIntegerType:
    case AutoIncrementIntegerType: return everyCellConverts ? "INTEGER" : "";
    case FloatType: return everyCellConverts ? "REAL" : "";
    default: return "TEXT";
    }
}

// Column names SQLite tells apart: case does not count, so neither does it here. An empty name
// or one a field before has already becomes "Field N", or "Field N (2)" and so on when even that
// is taken.
QStringList distinctColumnNames(const Database &database, const Regional &regional)
{
    QStringList names;
    QSet<QString> taken;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        QString name = regional.toText(database.fieldName(field));
        if (name.isEmpty() || taken.contains(name.toCaseFolded()))
            name = QStringLiteral("Field %1").arg(field);
        const QString base = name;
        for (int n = 2; taken.contains(name.toCaseFolded()); ++n)
            name = QStringLiteral("%1 (%2)").arg(base).arg(n);
        taken.insert(name.toCaseFolded());
        names.append(name);
    }
    return names;
}

// The records' table: the database's name, unless it is empty or one SQLite or the side tables
// keep for themselves.
QString recordsTableName(const Database &database, const Regional &regional)
{
    const QString name = regional.toText(database.name());
    const QString folded = name.toCaseFolded();
    const bool reserved =
        folded.startsWith(QLatin1String("sqlite_")) || folded == QLatin1String(FieldsTable)
        || folded == QLatin1String(PopupItemsTable) || folded == QLatin1String(DatabaseTable);
    if (name.isEmpty())
        return QStringLiteral("records");
    return reserved ? name + QStringLiteral(" records") : name;
}

bool isPlainInteger(QByteArrayView text, qint64 &value)
{
    // The digits alone, so that the text read back is the cell's text.
    const bool negative = text.startsWith('-');
    const QByteArrayView digits = negative ? text.sliced(1) : text;
    if (digits.isEmpty() || digits.size() > 19 || (digits.size() > 1 && digits.front() == '0'))
        return false;
    quint64 magnitude = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + quint64(c - '0'); // 19 digits never wrap
    }
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    if (magnitude > limit || (negative && magnitude == 0))
        return false;
    value = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return true;
}

// A whole number whose digits are grouped in valid places ("1.500" in German): its value, as an
// export of a grouped amount writes the number, not the text.
bool isGroupedInteger(QByteArrayView text, const Regional &regional, qint64 &value)
{
    const DigitGrouping &grouping = regional.digitGrouping();
    if (!std::any_of(text.begin(), text.end(), [&](char c) { return grouping.isSeparator(c); })
        || text.contains(regional.decimalSeparator()) || !regional.readNumber(text))
        return false;
    QByteArray digits;
    for (const char c : text) {
        if (!grouping.isSeparator(c))
            digits += c;
    }
    return isPlainInteger(digits, value);
}

bool isAscii(QByteArrayView text)
{
    for (const char c : text)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

// A Float cell as the double stored for it; none when it is no number or when the double would
// not be its value (beyond the double's range: infinity, or 0 for a tiny number that is not 0).
std::optional<double> floatValue(const Regional &regional, QByteArrayView cell)
{
    const std::optional<double> stored = regional.readDouble(cell);
    if (!stored || !std::isfinite(*stored))
        return std::nullopt;
    // A text too small for a double would be stored as 0: it stays text instead.
    if (*stored == 0) {
        const std::optional<long double> value = regional.readNumber(cell);
        if (value && *value != 0)
            return std::nullopt;
    }
    return stored;
}

// Whether the cell of a Boolean or number field is stored as a number (or NULL when empty).
bool isNumberCell(const Regional &regional, int typeIndex, QByteArrayView cell)
{
    qint64 integer = 0;
    switch (typeIndex) {
    case BooleanType: return cell.isEmpty() || cell == "1" || cell == "0";
    case NormalIntegerType:
    case AutoIncrementIntegerType: return cell.isEmpty() || isPlainInteger(cell, integer);
    case FloatType: return cell.isEmpty() || floatValue(regional, cell).has_value();
    default: return true;
    }
}

// For each field, whether every shown cell is stored as its type: the column can then be declared
// with its type's affinity.
QList<bool> columnsConverting(const Database &database, const Regional &regional)
{
    QList<bool> converting(database.fieldCount() + 1, true);
    for (int field = 1; field <= database.fieldCount(); ++field) {
        const int type = database.fieldType(field);
        if (std::strcmp(declaredType(type, true), declaredType(type, false)) == 0)
            continue; // a text column: no affinity to fear
        for (int record = 1; record <= database.recordCount() && converting[field]; ++record)
            converting[field] = database.rowHeight(record) == 0
                                || isNumberCell(regional, type, database.cellView(field, record));
    }
    return converting;
}

// Cells converted by one export. Reading a date or time in the regional formats is the costly
// part: a date as the short date format writes it is read by NumericDateFormat, and any other
// date or time text once, since they repeat (a day's records, a modification date column).
// Every text is bound without a copy: the cell's own bytes, or the column's converted bytes
// kept here until the next record's cell of that column replaces them.
class CellBinder
{
public:
    CellBinder(const Regional &regional, int columns)
        : mRegional(regional)
        , mAsciiIsUtf8(keepsAscii(regional.codePage()))
        , mDates(regional)
        , mConverted(columns + 1)
    {
    }

    // Binds one cell as its field's type; false when it had to be kept as its text. The cell's
    // bytes must stay until the statement has been stepped.
    bool bind(sqlite3_stmt *insert, int column, int typeIndex, QByteArrayView cell)
    {
        if (cell.isEmpty()) {
            sqlite3_bind_null(insert, column);
            return true;
        }
        if (typeIndex == BooleanType && (cell == "1" || cell == "0")) {
            sqlite3_bind_int(insert, column, cell == "1");
            return true;
        }
        if (typeIndex == NormalIntegerType || typeIndex == AutoIncrementIntegerType) {
            qint64 value = 0;
            if (isPlainInteger(cell, value) || isGroupedInteger(cell, mRegional, value)) {
                sqlite3_bind_int64(insert, column, value);
                return true;
            }
        } else if (typeIndex == FloatType) {
            if (const std::optional<double> value = floatValue(mRegional, cell)) {
                sqlite3_bind_double(insert, column, *value);
                return true;
            }
        } else if (isDateType(typeIndex) && mDates.readIso(cell, isoBuffer(column))) {
            sqlite3_bind_text(insert, column, isoBuffer(column), IsoDateLength, SQLITE_STATIC);
            return true;
        } else if (isDateType(typeIndex) || isTimeType(typeIndex)) {
            const QByteArray &iso = isoText(cell, isDateType(typeIndex));
            if (!iso.isEmpty()) {
                sqlite3_bind_text(insert, column, iso.constData(), int(iso.size()), SQLITE_STATIC);
                return true;
            }
        } else if (typeIndex != BooleanType) {
            bindText(insert, column, cell);
            return true;
        }
        bindText(insert, column, cell);
        return false;
    }

private:
    void bindText(sqlite3_stmt *insert, int column, QByteArrayView cell)
    {
        if (mAsciiIsUtf8 && isAscii(cell)) {
            sqlite3_bind_text(insert, column, cell.data(), int(cell.size()), SQLITE_STATIC);
            return;
        }
        QByteArray &text = mConverted[column];
        text = mRegional.toText(cell).toUtf8();
        sqlite3_bind_text(insert, column, text.constData(), int(text.size()), SQLITE_STATIC);
    }

    char *isoBuffer(int column)
    {
        QByteArray &buffer = mConverted[column];
        if (buffer.size() != IsoDateLength)
            buffer = QByteArray(IsoDateLength, Qt::Uninitialized);
        return buffer.data();
    }

    // YYYY-MM-DD or HH:MM:SS, empty when the text is no date or time.
    const QByteArray &isoText(QByteArrayView cell, bool date)
    {
        QHash<QByteArray, QByteArray> &known = date ? mKnownDates : mKnownTimes;
        const QByteArray key(cell.data(), cell.size());
        auto found = known.constFind(key);
        if (found != known.constEnd())
            return found.value();
        QByteArray iso;
        if (date) {
            if (const std::optional<QDate> value = mRegional.readDate(cell))
                iso = value->toString(IsoDateFormat).toLatin1();
        } else if (const std::optional<QTime> value = mRegional.readTime(cell)) {
            iso = value->toString(IsoTimeFormat).toLatin1();
        }
        return known.insert(key, iso).value();
    }

    static constexpr int IsoDateLength = 10; // YYYY-MM-DD

    const Regional &mRegional;
    const bool mAsciiIsUtf8;
    const NumericDateFormat mDates;
    QList<QByteArray> mConverted; // by column, 1-based
    QHash<QByteArray, QByteArray> mKnownDates;
    QHash<QByteArray, QByteArray> mKnownTimes;
};

void bindText(sqlite3_stmt *statement, int column, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(statement, column, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

// Steps an insert once and makes it ready for the next row.
bool stepInsert(sqlite3 *connection, sqlite3_stmt *insert, QString *error)
{
    const bool done = sqlite3_step(insert) == SQLITE_DONE;
    if (!done && error)
        *error = lastError(connection);
    sqlite3_reset(insert);
    sqlite3_clear_bindings(insert);
    return done;
}

bool writeRecords(sqlite3 *connection, const Database &database, const Regional &regional,
                  const QString &table, const QStringList &columns, SqliteExportReport &report,
                  QString *error)
{
    const QList<bool> converting = columnsConverting(database, regional);
    QByteArray create = "CREATE TABLE " + quotedIdentifier(table) + " (";
    QByteArray insertSql = "INSERT INTO " + quotedIdentifier(table) + " VALUES (";
    for (int field = 1; field <= database.fieldCount(); ++field) {
        const QByteArray comma = field > 1 ? ", " : "";
        const QByteArray declared = declaredType(database.fieldType(field), converting[field]);
        create += comma + quotedIdentifier(columns.at(field - 1))
                  + (declared.isEmpty() ? QByteArray() : ' ' + declared);
        insertSql += comma + '?';
    }
    if (!execute(connection, create + ')', error))
        return false;
    const SqliteStatement insert = prepare(connection, insertSql + ')', error);
    if (!insert)
        return false;
    CellBinder binder(regional, database.fieldCount());
    int written = 0;
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (database.rowHeight(record) == 0)
            continue; // hidden by the record filter, as in every export
        ++written;
        for (int field = 1; field <= database.fieldCount(); ++field) {
            const QByteArrayView cell = database.cellView(field, record);
            if (binder.bind(insert.get(), field, database.fieldType(field), cell))
                continue;
            if (++report.keptAsText <= KeptExamples)
                report.firstKept.append(QStringLiteral("%1, record %2: %3")
                                            .arg(columns.at(field - 1))
                                            .arg(written)
                                            .arg(regional.toText(cell)));
        }
        // Every column is bound again for each record, so the bindings need no clearing.
        if (sqlite3_step(insert.get()) != SQLITE_DONE) {
            if (error)
                *error = lastError(connection);
            return false;
        }
        sqlite3_reset(insert.get());
    }
    return true;
}

bool writeFields(sqlite3 *connection, const Database &database, const Regional &regional,
                 const QStringList &columns, QString *error)
{
    if (!execute(connection,
                 QByteArrayLiteral("CREATE TABLE kribo_fields (position INTEGER PRIMARY KEY, "
                                   "name TEXT, column_name TEXT, type INTEGER, type_name TEXT, "
                                   "width INTEGER);"
                                   "CREATE TABLE kribo_popup_items (field_position INTEGER, "
                                   "item_position INTEGER, text TEXT, "
                                   "PRIMARY KEY (field_position, item_position))"),
                 error))
        return false;
    const SqliteStatement field = prepare(
        connection, QByteArrayLiteral("INSERT INTO kribo_fields VALUES (?, ?, ?, ?, ?, ?)"), error);
    const SqliteStatement item = prepare(
        connection, QByteArrayLiteral("INSERT INTO kribo_popup_items VALUES (?, ?, ?)"), error);
    if (!field || !item)
        return false;
    for (int position = 1; position <= database.fieldCount(); ++position) {
        const int type = database.fieldType(position);
        sqlite3_bind_int(field.get(), 1, position);
        bindText(field.get(), 2, regional.toText(database.fieldName(position)));
        bindText(field.get(), 3, columns.at(position - 1));
        sqlite3_bind_int(field.get(), 4, type);
        bindText(field.get(), 5, typeName(type).trimmed());
        sqlite3_bind_int(field.get(), 6, database.widthUnits(position));
        if (!stepInsert(connection, field.get(), error))
            return false;
        const QList<QByteArray> &items = database.popupList(position);
        for (int index = 0; index < items.size(); ++index) {
            sqlite3_bind_int(item.get(), 1, position);
            sqlite3_bind_int(item.get(), 2, index + 1);
            bindText(item.get(), 3, regional.toText(items.at(index)));
            if (!stepInsert(connection, item.get(), error))
                return false;
        }
    }
    return true;
}

bool writeDatabaseValues(sqlite3 *connection, const Database &database, const Regional &regional,
                         const QString &table, QString *error)
{
    if (!execute(connection,
                 QByteArrayLiteral("CREATE TABLE kribo_database (key TEXT PRIMARY KEY, value)"),
                 error))
        return false;
    const SqliteStatement value =
        prepare(connection, QByteArrayLiteral("INSERT INTO kribo_database VALUES (?, ?)"), error);
    if (!value)
        return false;
    const DatabaseFlags &flags = database.flags();
    const QList<std::pair<const char *, QVariant>> values = {
        {"name", regional.toText(database.name())},
        {"records_table", table},
        {"secondary_sort_field", database.secondarySortField()},
        {"tertiary_sort_field", database.tertiarySortField()},
        {"filter_field", database.filterField()},
        {"filter_text", regional.toText(database.filterText())},
        {"private", flags.isPrivate},
        {"auto_lock", flags.autoLock},
        {"read_only", flags.readOnly},
        {"kribo_filter", flags.kriboFilter},
        {"increment_amount", database.incrementAmount()},
        {"code_page", QString::fromLatin1(regional.codePage())},
        {"locale", regional.locale().name()},
    };
    for (const auto &[key, content] : values) {
        sqlite3_bind_text(value.get(), 1, key, -1, SQLITE_STATIC);
        if (content.typeId() == QMetaType::QString)
            bindText(value.get(), 2, content.toString());
        else
            sqlite3_bind_int(value.get(), 2, content.toInt());
        if (!stepInsert(connection, value.get(), error))
            return false;
    }
    return true;
}

bool buildFile(sqlite3 *connection, const Database &database, const Regional &regional,
               SqliteExportReport &report, QString *error)
{
    const QStringList columns = distinctColumnNames(database, regional);
    const QString table = recordsTableName(database, regional);
    // A file built in memory and written whole needs no rollback journal: a failure drops it.
    return execute(connection, "PRAGMA journal_mode = OFF; BEGIN", error)
           && writeRecords(connection, database, regional, table, columns, report, error)
           && writeFields(connection, database, regional, columns, error)
           && writeDatabaseValues(connection, database, regional, table, error)
           && execute(connection, "COMMIT", error);
}

} // namespace

bool writeSqlite(QIODevice &device, const Database &database, const Regional &regional,
                 SqliteExportReport &report, QString *error)
{
    // Built in memory and written whole: the file appears only through the caller's safe write,
    // with no journal or half-written database beside it.
    sqlite3 *opened = nullptr;
    // The memdb store keeps the file as one block, written without a copy; a name without a
    // leading slash is private to this connection.
    const int status = sqlite3_open_v2("kribed-export", &opened,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE
                                           | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_MEMORY,
                                       "memdb");
    const SqliteConnection connection(opened);
    if (status != SQLITE_OK) {
        if (error)
            *error = opened ? lastError(opened) : QStringLiteral("out of memory");
        return false;
    }
    report = {};
    if (!buildFile(connection.get(), database, regional, report, error))
        return false;
    sqlite3_int64 size = 0;
    unsigned char *bytes =
        sqlite3_serialize(connection.get(), "main", &size, SQLITE_SERIALIZE_NOCOPY);
    const bool copied = !bytes;
    if (copied)
        bytes = sqlite3_serialize(connection.get(), "main", &size, 0);
    if (!bytes) {
        if (error)
            *error = QStringLiteral("the database could not be serialized");
        return false;
    }
    const bool written = device.write(reinterpret_cast<const char *>(bytes), size) == size;
    if (copied)
        sqlite3_free(bytes);
    if (!written && error)
        *error = device.errorString();
    return written;
}

QString sqliteBackupFileName(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < 0 || dot == name.size() - 1)
        return path + QStringLiteral(".sqlit_");
    return path.left(path.size() - 1) + u'_';
}

QString keptAsTextText(const SqliteExportReport &report)
{
    QString text =
        report.keptAsText == 1
            ? QCoreApplication::translate(
                "SqliteExport", "1 cell did not convert to its field's type and was kept as text:")
            : QCoreApplication::translate(
                  "SqliteExport",
                  "%1 cells did not convert to their field's type and were kept as text:")
                  .arg(report.keptAsText);
    for (const QString &example : report.firstKept)
        text += u'\r' + example;
    if (report.keptAsText > report.firstKept.size())
        text += QStringLiteral("\r...");
    return text;
}

QString sqliteExportFilterEntry()
{
    return QCoreApplication::translate("SqliteExport", "SQLite database (*.sqlite)")
           + QStringLiteral("|*.sqlite|");
}

QString sqliteImportFilterEntry()
{
    return QCoreApplication::translate("SqliteImport", "SQLite database (*.sqlite *.db)")
           + QStringLiteral("|*.sqlite;*.db|");
}

ExchangeResult exportSqliteFile(const QString &path, const Database &database, Prompter &prompter,
                                const Regional &regional, SqliteExportReport *report)
{
    SqliteExportReport kept;
    const auto write = [&](QIODevice &device) {
        return writeSqlite(device, database, regional, kept);
    };
    if (!safeWriteFile(path, sqliteBackupFileName(path), write)) {
        prompter.ask({QCoreApplication::translate("SqliteExport", "Error"), saveErrorText(),
                      Icon::Error, Buttons::Ok});
        return ExchangeResult::Failed;
    }
    if (kept.keptAsText > 0)
        prompter.ask({QCoreApplication::translate("SqliteExport", "Export"), keptAsTextText(kept),
                      Icon::Information, Buttons::Ok});
    if (report)
        *report = kept;
    return ExchangeResult::Done;
}

} // namespace kribed
