// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace kribed {

class Database;
class Regional;

// The periods a date field groups by; None groups by the text of the field (a category).
enum class DatePeriod { None, Day, Week, Month, Quarter, Year };
// "day", "week", "month", "quarter", "year" (kribed-cli's names and the remembered choice);
// none for an unknown name.
QString periodName(DatePeriod period);
bool periodNamed(const QString &name, DatePeriod &period);

enum class Aggregate { Count, Sum, Average, Minimum, Maximum };
QString aggregateName(Aggregate aggregate); // "count", "sum", "average", "min", "max"
bool aggregateNamed(const QString &name, Aggregate &aggregate);

struct GroupRequest
{
    int keyField = 0;
    DatePeriod period = DatePeriod::None;
    int valueField = 0; // 0 with Count: the records of each group are counted
    Aggregate aggregate = Aggregate::Count;
};

// One group: its label ("2024-03", "2024-W05", "2024 Q1", "2024", a day in the regional format,
// or the category's text), the records in it and the figure.
struct GroupRow
{
    QString label;
    QVector<int> records;
    int values = 0;    // values of the value field that read
    double figure = 0; // the aggregate of those values (Count: the records, or the values)
};

// Groups the shown records: periods in time order, categories in the regional order of their
// texts (the empty text first). Keys that do not read as dates, and values that do not read as
// numbers, are left out and counted.
struct GroupedFigures
{
    QVector<GroupRow> rows;
    int notPlotted = 0;
};
GroupedFigures groupFigures(const Database &database, const Regional &regional,
                            const GroupRequest &request);

// The table as text: a heading line, then one line per group with its label, its record count
// and its figure. Tabs: numbers in the regional format, what "Copy" puts on the clipboard. Csv:
// standard CSV with numbers as programs read them ("1234.5"), for scripts.
enum class TableForm { Tabs, Csv };
struct TableHeadings
{
    QString key, records, figure;
};
QString groupTable(const GroupedFigures &figures, const TableHeadings &headings,
                   const Regional &regional, TableForm form);

} // namespace kribed
