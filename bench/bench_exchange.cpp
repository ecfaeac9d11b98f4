// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "bench_doubles.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdlib>

using namespace kribed;

namespace {

constexpr int Fields = MaxFields;
constexpr int Records = MaxRecords;

QByteArray cellText(int field, int record)
{
    return "value " + QByteArray::number(record) + "/" + QByteArray::number(field);
}

// The largest database: 9999 records of 50 fields.
const Database &largestDatabase()
{
    static const Database database = [] {
        Database made;
        made.setShape(Fields, Records);
        for (int field = 1; field <= Fields; ++field)
            made.setFieldName(field, "Field " + QByteArray::number(field));
        for (int record = 1; record <= Records; ++record) {
            for (int field = 1; field <= Fields; ++field)
                made.setCell(field, record, cellText(field, record));
        }
        return made;
    }();
    return database;
}

// The same shape with a letter beyond ASCII in every value: every cell goes through the code
// page on its way to and from UTF-8.
const Database &westernDatabase()
{
    static const Database database = [] {
        Database made = largestDatabase();
        for (int record = 1; record <= Records; ++record) {
            for (int field = 1; field <= Fields; ++field)
                made.setCell(field, record, "J\xFCrgen " + cellText(field, record));
        }
        return made;
    }();
    return database;
}

struct Files
{
    QTemporaryDir folder;
    QString csv;
    QByteArray bytes;
    QString standard; // standard CSV in UTF-8 of the largest database
    QString western;  // standard CSV in UTF-8 of the western one
};

// A comma file of the field names and 9999 records: 10000 lines of 50 quoted fields.
Files &exchangeFiles()
{
    static Files files = [] {
        Files made;
        made.csv = made.folder.filePath(QStringLiteral("largest.CSV"));
        bench::NoQuestions prompter;
        if (exportTextFile(made.csv, TextType::Comma, largestDatabase(), prompter,
                           bench::usRegional())
            != ExchangeResult::Done)
            std::abort();
        QFile file(made.csv);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        made.bytes = file.readAll();
        made.standard = made.folder.filePath(QStringLiteral("standard.csv"));
        made.western = made.folder.filePath(QStringLiteral("western.csv"));
        if (exportTextFile(made.standard, TextType::Csv, largestDatabase(), prompter,
                           bench::usRegional())
                != ExchangeResult::Done
            || exportTextFile(made.western, TextType::Csv, westernDatabase(), prompter,
                              bench::usRegional())
                   != ExchangeResult::Done)
            std::abort();
        return made;
    }();
    return files;
}

void BM_ImportFloor(benchmark::State &state)
{
    // Reading the file and counting its separators, nothing kept.
    const QString path = exchangeFiles().csv;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.count(','));
    }
    state.SetBytesProcessed(state.iterations() * exchangeFiles().bytes.size());
}

void BM_ImportCellFloor(benchmark::State &state)
{
    // Reading the file and holding every value of it as a cell: the memory any import must fill.
    const QString path = exchangeFiles().csv;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            std::abort();
        const QByteArray bytes = file.readAll();
        QVector<QVector<QByteArray>> rows(Records + 1);
        const char *data = bytes.constData();
        qsizetype start = 0;
        int row = 0;
        int column = 0;
        for (qsizetype i = 0; i < bytes.size() && row <= Records; ++i) {
            const char c = data[i];
            if (c == ',' || c == '\r') {
                if (rows[row].isEmpty())
                    rows[row].resize(Fields);
                rows[row][column] = QByteArray(data + start, i - start);
                column = c == ',' ? column + 1 : 0;
                row += c == '\r';
                start = i + (c == '\r' ? 2 : 1);
            }
        }
        benchmark::DoNotOptimize(rows);
    }
    state.SetBytesProcessed(state.iterations() * exchangeFiles().bytes.size());
}

void BM_Import(benchmark::State &state)
{
    const QString path = exchangeFiles().csv;
    bench::NoQuestions prompter;
    for (auto _ : state) {
        Database database;
        if (importTextFile(path, TextType::Comma, database, prompter, bench::usRegional())
                != ExchangeResult::Done
            || database.recordCount() != Records || database.fieldCount() != Fields)
            std::abort();
        benchmark::DoNotOptimize(database);
    }
    state.SetBytesProcessed(state.iterations() * exchangeFiles().bytes.size());
}

void BM_ExportFloor(benchmark::State &state)
{
    // Writing the same bytes to a new file.
    const QByteArray &bytes = exchangeFiles().bytes;
    const QString path = exchangeFiles().folder.filePath(QStringLiteral("floor.TXT"));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            std::abort();
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}

void BM_Export(benchmark::State &state)
{
    const QString path = exchangeFiles().folder.filePath(QStringLiteral("export.CSV"));
    bench::NoQuestions prompter;
    for (auto _ : state) {
        if (exportTextFile(path, TextType::Comma, largestDatabase(), prompter, bench::usRegional())
            != ExchangeResult::Done)
            std::abort();
    }
    state.SetBytesProcessed(state.iterations() * exchangeFiles().bytes.size());
}

// Standard CSV, UTF-8 (its default): 10000 lines of 50 values (the field names and 9999 records,
// the most a database holds), against BM_Import and BM_Export of the comma type.
void csvImport(benchmark::State &state, const QString &path)
{
    bench::NoQuestions prompter;
    for (auto _ : state) {
        Database database;
        if (importTextFile(path, TextType::Csv, database, prompter, bench::usRegional())
                != ExchangeResult::Done
            || database.recordCount() != Records || database.fieldCount() != Fields)
            std::abort();
        benchmark::DoNotOptimize(database);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

void csvExport(benchmark::State &state, const Database &database)
{
    const QString path = exchangeFiles().folder.filePath(QStringLiteral("export.csv"));
    bench::NoQuestions prompter;
    for (auto _ : state) {
        if (exportTextFile(path, TextType::Csv, database, prompter, bench::usRegional())
            != ExchangeResult::Done)
            std::abort();
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

void BM_CsvImport(benchmark::State &state)
{
    csvImport(state, exchangeFiles().standard);
}

void BM_CsvExport(benchmark::State &state)
{
    csvExport(state, largestDatabase());
}

void BM_CsvImportWestern(benchmark::State &state)
{
    csvImport(state, exchangeFiles().western);
}

void BM_CsvExportWestern(benchmark::State &state)
{
    csvExport(state, westernDatabase());
}

} // namespace

BENCHMARK(BM_ImportFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportCellFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportFloor)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExport)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvImportWestern)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CsvExportWestern)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
