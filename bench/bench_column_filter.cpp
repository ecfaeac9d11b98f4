// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// Column filters at the limits (9999 records x 50 fields): running three conditions again, as
// each change of a condition does, beside one pass that reads the same three fields' cells; and
// the value list of a field of 9999 distinct values, counted and shown in the popup.
#include "against_floor.h"
#include "bench_dialogs.h"
#include "core/editing/column_filter.h"
#include "core/editing/record_filter.h"
#include "core/editing/value_counts.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/numeric_date_format.h"
#include "core/model/regional.h"
#include "gui/dialogs/column_filter_popup.h"

#include <QAbstractItemModel>
#include <QElapsedTimer>
#include <QHash>
#include <QListView>
#include <QLocale>

#include <numeric>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

const Regional &regional()
{
    static const Regional rules(QLocale(QStringLiteral("en_US")), "windows-1252");
    return rules;
}

// Field 1 towns, field 2 turnovers, field 3 dates, field 4 a distinct name per record, the rest
// short numbers.
const Database &largeDatabase()
{
    static const Database database = [] {
        const QByteArrayList towns{"Bremen", "Hamburg", "Kiel", "Hannover", "Bremerhaven"};
        Database db;
        db.setShape(MaxFields, MaxRecords);
        db.setFieldType(2, FloatType);
        db.setFieldType(3, NormalDateType);
        for (int r = 1; r <= MaxRecords; ++r) {
            db.setCell(1, r, towns[r % towns.size()]);
            db.setCell(2, r, QByteArray::number((r * 37) % 5000) + ".25");
            db.setCell(3, r, regional().dateText(QDate(2020, 1, 1).addDays(r % 2000)));
            db.setCell(4, r, "Customer " + QByteArray::number(r));
            for (int k = 5; k <= MaxFields; ++k)
                db.setCell(k, r, QByteArray::number((r * 11 + k) % 1000));
        }
        return db;
    }();
    return database;
}

ColumnFilters threeConditions()
{
    ColumnFilters filters;
    filters.set({1, true, {"Bremen", "Hamburg"}, {}, false});
    filters.set({2, false, {}, {{ColumnTest::Greater, QStringLiteral("1000"), {}}}, false});
    filters.set(
        {3,
         false,
         {},
         {{ColumnTest::Less, regional().toText(regional().dateText(QDate(2024, 1, 1))), {}}},
         false});
    return filters;
}

// The least any filter of these three conditions does: each cell of the three fields read once
// as its test needs it (a looked-up text, a number, a date by the quick numeric reading).
int readThreeFields(const Database &database)
{
    const QHash<QByteArray, bool> towns{{"Bremen", true}, {"Hamburg", true}};
    const NumericDateFormat dates(regional());
    int passing = 0;
    for (int r = 1; r <= database.recordCount(); ++r) {
        const QByteArrayView town = database.cellView(1, r);
        const bool listed = towns.contains(QByteArray::fromRawData(town.data(), town.size()));
        const auto number = regional().readNumber(database.cellView(2, r));
        const auto date = dates.readDate(database.cellView(3, r));
        passing += listed && number && date ? 1 : 0;
    }
    return passing;
}

// The bytes of the three fields' cells, added up: the floor of any pass.
std::size_t bytesOfThreeFields(const Database &database)
{
    std::size_t sum = 0;
    for (int r = 1; r <= database.recordCount(); ++r) {
        for (int k = 1; k <= 3; ++k) {
            for (char c : database.cellView(k, r))
                sum += std::size_t(c);
        }
    }
    return sum;
}

void BM_FloorThreeFieldsBytes(benchmark::State &state)
{
    const Database &database = largeDatabase();
    for (auto _ : state)
        benchmark::DoNotOptimize(bytesOfThreeFields(database));
}
BENCHMARK(BM_FloorThreeFieldsBytes)->Unit(benchmark::kMicrosecond);

// What a changed condition runs: the record filter (off) and the column filters again.
void BM_RefilterThreeConditions(benchmark::State &state)
{
    Database database = largeDatabase();
    const ColumnFilters filters = threeConditions();
    qint64 totalNanos = 0;
    QElapsedTimer timer;
    bench::runAgainstFloor(
        state, 5,
        [&] {
            timer.start();
            applyFilter(database, false, {});
            benchmark::DoNotOptimize(applyColumnFilters(database, filters, regional()));
            totalNanos += timer.nsecsElapsed();
        },
        [&] { benchmark::DoNotOptimize(readThreeFields(database)); });
    const double runs = double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["ms"] = double(totalNanos) / 1e6 / runs;
    state.counters["goal_ms"] = 16;
}
BENCHMARK(BM_RefilterThreeConditions)->Unit(benchmark::kMillisecond);

// The value list of a field whose 9999 cells all differ: counted over the shown records and put
// into the popup's list.
void BM_ValueListOf9999Values(benchmark::State &state)
{
    const Database &database = largeDatabase();
    ColumnFilterPopup popup;
    qint64 totalNanos = 0;
    qint64 countNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        QVector<int> records(database.recordCount());
        std::iota(records.begin(), records.end(), 1);
        const QVector<ValueCount> counts =
            valueCounts(database, 4, records, regional(), ValueOrder::ByValue);
        countNanos += timer.nsecsElapsed();
        popup.prepare(4, QStringLiteral("Name"), StringType, regional(), counts, {}, 0);
        totalNanos += timer.nsecsElapsed();
        if (popup.valueList()->model()->rowCount() != MaxRecords) {
            state.SkipWithError("the list does not hold every value");
            return;
        }
    }
    const double runs = double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["ms"] = double(totalNanos) / 1e6 / runs;
    state.counters["count_ms"] = double(countNanos) / 1e6 / runs;
    state.counters["goal_ms"] = 20;
    state.counters["ratio"] = double(totalNanos) / 1e6 / runs / 20;
}
BENCHMARK(BM_ValueListOf9999Values)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return kribed::bench::runWindowBenchmarks(argc, argv);
}
