// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The SQLite import of files built by the input: its bytes are read as a small program of SQL
// statements (tables with odd column names and declared types, rows of odd values, views that
// never end or fail while they run, the side tables of our export with odd contents), run on an
// in-memory database that is then written to a file and imported table by table with every
// question answered OK. A reading that takes too long is stopped through the progress.
#include "core/exchange/sqlite_exchange.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/pdb_format.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"

#include "text_fuzz_support.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSet>

#include <sqlite3.h>

#include <cstdint>

#include <unistd.h>

using namespace kribed;
using namespace kribed::fuzz;

namespace {

// The input read a byte at a time; 0 once it is used up.
class Input
{
public:
    Input(const uint8_t *data, size_t size)
        : mData(data)
        , mSize(size)
    {
    }
    bool atEnd() const { return mPosition >= mSize; }
    uint8_t next() { return atEnd() ? 0 : mData[mPosition++]; }
    // One of the items, picked by the next byte.
    template<size_t N> const char *pick(const char *const (&items)[N]) { return items[next() % N]; }
    // A text of the input's own bytes as an SQL literal (X'..' made TEXT, so any byte may be in it).
    QByteArray literal()
    {
        QByteArray bytes;
        for (int length = next() % 24; length > 0 && !atEnd(); --length)
            bytes += char(next());
        return "CAST(X'" + bytes.toHex() + "' AS TEXT)";
    }

private:
    const uint8_t *mData;
    size_t mSize;
    size_t mPosition = 0;
};

const char *const Names[] = {"t", "v", "Kunden", "kribo_x", "a b", "T", "\"q\"\"", "records"};
const char *const Columns[] = {
    "a",    "A",     "",       "Field 1", "Spaltenname_lang_123", "Spaltenname_lang_124",
    "x\"y", "Ωmega", "field 1"};
const char *const Types[] = {"", "INTEGER", "REAL", "TEXT", "BLOB", "NUMERIC", "DATE", "FLOAT"};
const char *const Values[] = {"NULL",
                              "0",
                              "-0.0",
                              "1e308",
                              "9223372036854775807",
                              "-9223372036854775808",
                              "3.141592653589793",
                              "'007'",
                              "'1.500'",
                              "x'00ff'",
                              "x''",
                              "zeroblob(1999)",
                              "randomblob(8)",
                              "printf('%.5000c', 'x')",
                              "replace(printf('%.100c', 'x'), 'x', printf('%.200000c', 'y'))",
                              "CAST(x'41ff' AS TEXT)",
                              "'Ω €'",
                              "char(0)",
                              "'a' || char(13, 10) || 'b'",
                              "'2019-03-12'",
                              "'12:30:00'",
                              "'popupa'",
                              "'popupZ'",
                              "1e-320",
                              "'  12 '"};
const char *const Views[] = {
    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n) SELECT x FROM n",
    "SELECT * FROM t",
    "SELECT a.rowid AS r, b.rowid AS s FROM t a, t b, t c, t d",
    "SELECT * FROM t ORDER BY random()",
    "SELECT zeroblob(999999999) AS z",
    "SELECT json('{') AS j",
    "SELECT * FROM nosuch",
    "WITH RECURSIVE n(s) AS (SELECT 'x' UNION ALL SELECT s || s FROM n) SELECT s FROM n",
    "SELECT 1 AS a, 2 AS a, 3 AS A"};
const char *const Keys[] = {"name",
                            "records_table",
                            "secondary_sort_field",
                            "tertiary_sort_field",
                            "filter_field",
                            "filter_text",
                            "private",
                            "increment_amount",
                            "code_page"};
const char *const Numbers[] = {"0",  "1",   "2",          "50",          "51",
                               "-1", "300", "2147483647", "99999999999", "'x'"};

QByteArray quoted(const char *name)
{
    QByteArray text(name);
    text.replace('"', "\"\"");
    return '"' + text + '"';
}

// One statement; the parts are read from the input in the order written (each in a statement of
// its own, as the operands of one expression may be read in any order).
QByteArray statement(Input &input)
{
    const char *plainName = input.pick(Names);
    const QByteArray name = quoted(plainName);
    switch (input.next() % 9) {
    case 0: {
        QByteArray columns;
        for (int n = 1 + input.next() % 6; n > 0; --n) {
            columns += columns.isEmpty() ? "" : ", ";
            columns += quoted(input.pick(Columns));
            columns += ' ';
            columns += input.pick(Types);
        }
        return "CREATE TABLE " + name + " (" + columns + ")";
    }
    case 1:
    case 2: {
        QByteArray values;
        for (int n = 1 + input.next() % 6; n > 0; --n) {
            values += values.isEmpty() ? "" : ", ";
            values += input.next() % 4 == 0 ? input.literal() : QByteArray(input.pick(Values));
        }
        return "INSERT INTO " + name + " VALUES (" + values + ")";
    }
    case 3: return "CREATE VIEW " + name + " AS " + input.pick(Views);
    case 4: {
        const QByteArray position = input.pick(Numbers);
        const QByteArray fieldName = input.literal();
        const QByteArray column = input.pick(Columns);
        const QByteArray type = input.pick(Numbers);
        const QByteArray width = input.pick(Numbers);
        return "CREATE TABLE IF NOT EXISTS kribo_fields (position INTEGER PRIMARY KEY, name TEXT, "
               "column_name TEXT, type INTEGER, type_name TEXT, width INTEGER);"
               "INSERT OR REPLACE INTO kribo_fields VALUES ("
               + position + ", " + fieldName + ", '" + column + "', " + type + ", '', " + width
               + ")";
    }
    case 5: {
        const QByteArray field = input.pick(Numbers);
        const QByteArray item = QByteArray::number(input.next());
        const QByteArray text = input.next() % 2 ? input.literal() : QByteArray(input.pick(Values));
        return "CREATE TABLE IF NOT EXISTS kribo_popup_items (field_position INTEGER, "
               "item_position INTEGER, text TEXT);"
               "INSERT INTO kribo_popup_items VALUES ("
               + field + ", " + item + ", " + text + ")";
    }
    case 6: {
        const QByteArray key = input.pick(Keys);
        const QByteArray value =
            input.next() % 2 ? QByteArray(input.pick(Numbers)) : "'" + QByteArray(plainName) + "'";
        return "CREATE TABLE IF NOT EXISTS kribo_database (key TEXT PRIMARY KEY, value);"
               "INSERT OR REPLACE INTO kribo_database VALUES ('"
               + key + "', " + value + ")";
    }
    case 7: return "DROP TABLE " + name;
    default: {
        const QByteArray from = quoted(input.pick(Names));
        return "INSERT INTO " + name + " SELECT * FROM " + from + " LIMIT 20";
    }
    }
}

// The database the input builds, as the bytes of a file.
QByteArray buildFile(const uint8_t *data, size_t size)
{
    sqlite3 *connection = nullptr;
    sqlite3_open(":memory:", &connection);
    // A statement of the input must not run for long either.
    int steps = 0;
    sqlite3_progress_handler(
        connection, 1000, [](void *count) -> int { return ++*static_cast<int *>(count) > 2000; },
        &steps);
    // The file stays small enough for many runs: values as long as the import's own limit and a
    // little more, at most 64 MB of pages.
    sqlite3_limit(connection, SQLITE_LIMIT_LENGTH, 20 * 1000 * 1000);
    sqlite3_exec(connection, "PRAGMA max_page_count = 16384", nullptr, nullptr, nullptr);
    Input input(data, size);
    while (!input.atEnd())
        sqlite3_exec(connection, statement(input).constData(), nullptr, nullptr, nullptr);
    sqlite3_int64 length = 0;
    unsigned char *bytes = sqlite3_serialize(connection, "main", &length, 0);
    QByteArray file(reinterpret_cast<const char *>(bytes), bytes ? qsizetype(length) : 0);
    sqlite3_free(bytes);
    sqlite3_close(connection);
    return file;
}

// What every imported database must be: within the limits, and saved without a refusal.
void checkImported(Database &database)
{
    check(database.fieldCount() >= 1 && database.fieldCount() <= MaxFields);
    check(database.recordCount() >= 1 && database.recordCount() <= MaxRecords);
    for (int field = 1; field <= database.fieldCount(); ++field) {
        check(database.widthUnits(field) <= MaxFieldWidthUnits);
        for (const QByteArray &item : database.popupList(field))
            check(pdb::popupHeaderField(item) == 0 && !item.isEmpty() && !item.contains('\0'));
        for (int record = 1; record <= database.recordCount(); ++record)
            check(database.cell(field, record).size() <= MaxValueBytes);
    }
    AgreeingPrompter prompter;
    QBuffer saved;
    saved.open(QIODevice::WriteOnly);
    check(writeDatabase(saved, database, 1, QDateTime::fromSecsSinceEpoch(0), prompter));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QString path =
        QDir::temp().filePath(QStringLiteral("fuzz_sqlite_import_%1.db").arg(getpid()));
    const QByteArray file = buildFile(data, size);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(file) != file.size())
        return 0;
    out.close();

    AgreeingPrompter prompter;
    const std::optional<SqliteTables> tables = readSqliteTables(path, prompter);
    if (!tables)
        return 0;
    const Regional &regional = regionalFor(size % 2);
    for (const QString &table : tables->names) {
        int asked = 0;
        const SqliteProgress progress = [&](int) { return ++asked < 25; };
        Database database;
        if (importSqliteFile(path, table, database, prompter, regional, progress)
            == ExchangeResult::Done)
            checkImported(database);
    }
    return 0;
}
