// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Opening the largest database (9999 records x 50 fields) with the check that suggests other
// regional formats, beside the same open without it, taking turns in the same run. Two files:
// the usual largest database, whose creation-date fields hold texts no locale reads (so every
// offered locale is tried), and one with German amounts and dates, which the check suggests
// German formats for. Goal: the check adds at most 5% to the open.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/editing/formats_check.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "largest_database.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

// Every seventh field holds German dates, every eleventh German amounts.
Database germanDatabase()
{
    Database database = bench::largestDatabase(MaxFields, MaxRecords);
    for (int field = 1; field <= MaxFields; ++field) {
        const bool dates = field % 7 == 0;
        const bool amounts = field % 11 == 0;
        if (!dates && !amounts)
            continue;
        database.setFieldType(field, dates ? NormalDateType : FloatType);
        for (int record = 1; record <= MaxRecords; ++record) {
            database.setCell(field, record,
                             dates ? QByteArray::number(record % 28 + 1).rightJustified(2, '0')
                                         + ".03.2019"
                                   : QByteArray::number(record) + ",50");
        }
    }
    return database;
}

struct Files
{
    QTemporaryDir dir;
    QString largest = dir.filePath(QStringLiteral("Largest.pdb"));
    QString german = dir.filePath(QStringLiteral("German.pdb"));

    Files()
    {
        bench::OkPrompter prompter;
        Database database = bench::largestDatabase(MaxFields, MaxRecords);
        database.setName("Largest");
        saveDatabase(database, SaveMode::Copy, largest, 1, prompter);
        Database german = germanDatabase();
        german.setName("German");
        saveDatabase(german, SaveMode::Copy, this->german, 1, prompter);
    }
};

Files &files()
{
    static Files made;
    return made;
}

void open(benchmark::State &state, const QString &path, bool check, bool suggests)
{
    bench::OkPrompter prompter;
    Database database;
    if (loadDatabaseFile(path, database, prompter, OpenAccess::ReadOnly) != LoadResult::Loaded)
        state.SkipWithError("load failed");
    if (check) {
        const std::optional<FormatsSuggestion> suggestion =
            suggestFormats(database, bench::usRegional());
        if (suggestion.has_value() != suggests)
            state.SkipWithError("the check did not find what the file holds");
        benchmark::DoNotOptimize(suggestion);
    }
    benchmark::DoNotOptimize(database);
}

void BM_OpenWithFormatsCheck(benchmark::State &state)
{
    const QString &path = files().largest;
    bench::runAgainstFloor(
        state, 1.05, [&] { open(state, path, true, false); },
        [&] { open(state, path, false, false); });
}

void BM_OpenGermanWithFormatsCheck(benchmark::State &state)
{
    const QString &path = files().german;
    bench::runAgainstFloor(
        state, 1.05, [&] { open(state, path, true, true); },
        [&] { open(state, path, false, true); });
}

// The check alone, on a loaded database.
void checkAlone(benchmark::State &state, const QString &path)
{
    bench::OkPrompter prompter;
    Database database;
    loadDatabaseFile(path, database, prompter, OpenAccess::ReadOnly);
    const Regional &desktop = bench::usRegional();
    for (auto _ : state)
        benchmark::DoNotOptimize(suggestFormats(database, desktop));
}

void BM_FormatsCheckAlone(benchmark::State &state)
{
    checkAlone(state, files().largest);
}

void BM_FormatsCheckAloneGerman(benchmark::State &state)
{
    checkAlone(state, files().german);
}

} // namespace

BENCHMARK(BM_OpenWithFormatsCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGermanWithFormatsCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatsCheckAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FormatsCheckAloneGerman)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
