// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// Replace all on the largest database, with a plain text and with a regular expression, each
// beside one pass over all cell bytes in the same run.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/editing/replace.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "largest_database.h"

#include <benchmark/benchmark.h>

#include <QLocale>

using namespace kribed;

namespace {

// 9999 records x 50 fields, every cell "Text <record> of field <field>": the text "of" is in
// every cell.
const Database &everyCellMatches()
{
    static const Database database = [] {
        Database db;
        db.setShape(MaxFields, MaxRecords);
        for (int field = 1; field <= MaxFields; ++field) {
            db.setFieldName(field, "Field " + QByteArray::number(field));
            for (int record = 1; record <= MaxRecords; ++record)
                db.setCell(field, record,
                           "Text " + QByteArray::number(record) + " of field "
                               + QByteArray::number(field));
        }
        return db;
    }();
    return database;
}

std::size_t passOverAllBytes(const Database &database)
{
    std::size_t sum = 0;
    for (const Database::Record &record : database.records()) {
        for (int k = 1; k <= database.fieldCount(); ++k) {
            for (char c : record[k - 1])
                sum += std::size_t(c);
        }
    }
    return sum;
}

void replaceAllAgainstFloor(benchmark::State &state, const ReplaceSettings &settings, double goal)
{
    Database database;
    const QDateTime now = QDateTime::currentDateTime();
    int replacements = 0;
    bench::runAgainstFloor(
        state, goal, [&] { database = everyCellMatches(); },
        [&] {
            CellReplacer replacer(settings, bench::usRegional());
            replacements =
                replaceAll(database, replacer, settings, now, bench::usRegional()).replacements;
        },
        [&] { benchmark::DoNotOptimize(passOverAllBytes(everyCellMatches())); });
    if (replacements != MaxFields * MaxRecords)
        state.SkipWithError("not every cell was replaced");
}

void BM_ReplaceAllPlainText(benchmark::State &state)
{
    ReplaceSettings settings;
    settings.find = QStringLiteral("OF");
    settings.replacement = QStringLiteral("in");
    replaceAllAgainstFloor(state, settings, 10);
}
BENCHMARK(BM_ReplaceAllPlainText)->Unit(benchmark::kMillisecond);

void BM_ReplaceAllRegularExpression(benchmark::State &state)
{
    ReplaceSettings settings;
    settings.find = QStringLiteral("(\\d+) of");
    settings.replacement = QStringLiteral("\\1 in");
    settings.regularExpression = true;
    replaceAllAgainstFloor(state, settings, 30);
}
BENCHMARK(BM_ReplaceAllRegularExpression)->Unit(benchmark::kMillisecond);

// Every "e" of word texts becomes "E", as Replace all of a common letter in the window: nearly
// every cell changes, most of them in several places.
void BM_ReplaceAllCommonLetter(benchmark::State &state)
{
    static const Database words = bench::wordsDatabase();
    ReplaceSettings settings;
    settings.find = QStringLiteral("e");
    settings.replacement = QStringLiteral("E");
    Database database;
    const QDateTime now = QDateTime::currentDateTime();
    int records = 0;
    bench::runAgainstFloor(
        state, 10, [&] { database = words; },
        [&] {
            CellReplacer replacer(settings, bench::usRegional());
            records = replaceAll(database, replacer, settings, now, bench::usRegional()).records;
        },
        [&] { benchmark::DoNotOptimize(passOverAllBytes(words)); });
    if (records != MaxRecords)
        state.SkipWithError("not every record was replaced in");
}
BENCHMARK(BM_ReplaceAllCommonLetter)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
