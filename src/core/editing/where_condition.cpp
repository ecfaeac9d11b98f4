// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/where_condition.h"

#include "core/model/database.h"
#include "core/model/regional.h"

#include <QCoreApplication>

namespace kribed {

namespace {

struct Operator
{
    const char *text;
    ColumnTest test;      // with a value
    ColumnTest emptyTest; // without one (= and != only; else the test itself)
};

// Two-character operators first, so "<=" is not read as "<" and a value "=...".
const Operator operators[] = {
    {"!=", ColumnTest::NotEquals, ColumnTest::NotEmpty},
    {"<=", ColumnTest::LessOrEqual, ColumnTest::LessOrEqual},
    {">=", ColumnTest::GreaterOrEqual, ColumnTest::GreaterOrEqual},
    {"^=", ColumnTest::BeginsWith, ColumnTest::BeginsWith},
    {"$=", ColumnTest::EndsWith, ColumnTest::EndsWith},
    {"*=", ColumnTest::Contains, ColumnTest::Contains},
    {"=", ColumnTest::Equals, ColumnTest::Empty},
    {"<", ColumnTest::Less, ColumnTest::Less},
    {">", ColumnTest::Greater, ColumnTest::Greater},
    {"~", ColumnTest::Matches, ColumnTest::Matches},
};

QString translated(const char *text)
{
    return QCoreApplication::translate("WhereCondition", text);
}

// The values of "=": split at commas not written as "\,".
QStringList listedValues(const QString &text)
{
    QStringList values{QString()};
    for (qsizetype at = 0; at < text.size(); ++at) {
        if (text[at] == u'\\' && at + 1 < text.size() && text[at + 1] == u',') {
            values.last() += u',';
            ++at;
        } else if (text[at] == u',') {
            values << QString();
        } else {
            values.last() += text[at];
        }
    }
    return values;
}

int fieldNamed(const Database &database, const QString &name, const Regional &regional)
{
    for (int field = 1; field <= database.fieldCount(); ++field) {
        if (regional.toText(database.fieldName(field)) == name)
            return field;
    }
    return 0;
}

std::optional<FieldFilter> readOne(const QString &text, const Database &database,
                                   const Regional &regional, QString &error)
{
    for (qsizetype at = 1; at < text.size(); ++at) {
        for (const Operator &op : operators) {
            const QLatin1String symbol(op.text);
            if (!QStringView(text).mid(at).startsWith(symbol))
                continue;
            FieldFilter filter;
            filter.field = fieldNamed(database, text.left(at), regional);
            if (filter.field == 0) {
                error =
                    translated(QT_TRANSLATE_NOOP("WhereCondition",
                                                 "--where %1: the database has no field named %2."))
                        .arg(text, text.left(at));
                return std::nullopt;
            }
            const QString value = text.mid(at + symbol.size());
            if (value.isEmpty() && op.emptyTest != op.test) {
                filter.conditions << ColumnCondition{op.emptyTest, {}, {}};
            } else if (op.test == ColumnTest::Equals) {
                for (const QString &listed : listedValues(value))
                    filter.conditions << ColumnCondition{ColumnTest::Equals, listed, {}};
                filter.anyCondition = true;
            } else {
                filter.conditions << ColumnCondition{op.test, value, {}};
            }
            for (const ColumnCondition &condition : filter.conditions) {
                const QString reason =
                    columnConditionError(condition, database.fieldType(filter.field), regional);
                if (!reason.isEmpty()) {
                    error = translated(QT_TRANSLATE_NOOP("WhereCondition", "--where %1: %2"))
                                .arg(text, reason);
                    return std::nullopt;
                }
            }
            return filter;
        }
    }
    error =
        translated(QT_TRANSLATE_NOOP(
                       "WhereCondition",
                       "--where %1: no field name followed by one of = != < <= > >= ~ ^= $= *=."))
            .arg(text);
    return std::nullopt;
}

} // namespace

WhereConditions readWhereConditions(const QStringList &texts, const Database &database,
                                    const Regional &regional)
{
    WhereConditions read;
    for (const QString &text : texts) {
        const std::optional<FieldFilter> filter = readOne(text, database, regional, read.error);
        if (!filter) {
            read.filters = {};
            return read;
        }
        // Each --where is a filter of its own: two on one field both hold.
        read.filters.fields << *filter;
    }
    return read;
}

WhereSelection selectWhere(Database &database, const ColumnFilters &filters,
                           const Regional &regional)
{
    database.showAllRecords();
    const ColumnFilterResult result = runColumnFilters(database, filters, regional);
    WhereSelection selection;
    for (int record = 1; record <= database.recordCount(); ++record)
        database.setHidden(record, !result.passes[record - 1]);
    selection.shown = result.shown;
    for (int index = 0; index < filters.fields.size(); ++index) {
        if (result.unreadable[index] > 0)
            selection.unreadable.append({filters.fields[index].field, result.unreadable[index]});
    }
    return selection;
}

} // namespace kribed
