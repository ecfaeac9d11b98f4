// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The Excel workbook export of the largest database (9999 records of 50 fields of every kind)
// against the standard CSV export of the same database (goal: at most 5 times its time), and the
// memory the export takes at its peak against the workbook's size (goal: at most 3 times).
//
// Beside them the library's own floor: libxlsxwriter writing the same cells, already converted,
// in the same mode. Its XML printing and compression take most of the time, so lib_ratio says how
// much of the export is ours and how far the CSV goal can be reached at all.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/workbook_export.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <xlsxwriter.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;

namespace {

// Integers, floats, Booleans, dates and texts in turn, every cell convertible.
const Database &mixedDatabase()
{
    static const Database database = [] {
        Database made;
        made.setShape(MaxFields, MaxRecords);
        const int types[] = {NormalIntegerType, FloatType, BooleanType, NormalDateType, StringType};
        for (int field = 1; field <= MaxFields; ++field) {
            const int type = types[field % 5];
            made.setFieldName(field, "Field " + QByteArray::number(field));
            made.setFieldType(field, type);
            for (int record = 1; record <= MaxRecords; ++record) {
                QByteArray cell;
                switch (type) {
                case NormalIntegerType: cell = QByteArray::number(record * field); break;
                case FloatType: cell = QByteArray::number(record / 7.0, 'f', 2); break;
                case BooleanType: cell = record % 2 ? "1" : "0"; break;
                case NormalDateType:
                    cell = QByteArray::number(record % 12 + 1) + '/'
                           + QByteArray::number(record % 28 + 1) + "/2019";
                    break;
                default:
                    cell = "Text " + QByteArray::number(record) + " of field "
                           + QByteArray::number(field);
                }
                made.setCell(field, record, cell);
            }
        }
        return made;
    }();
    return database;
}

QTemporaryDir &folder()
{
    static QTemporaryDir made;
    return made;
}

void exportWorkbook(const QString &path)
{
    bench::NoQuestions prompter;
    if (exportWorkbookFile(path, mixedDatabase(), prompter, bench::usRegional()).result
        != ExchangeResult::Done)
        std::abort();
}

void exportCsv(const QString &path)
{
    bench::NoQuestions prompter;
    if (exportTextFile(path, TextType::Csv, mixedDatabase(), prompter, bench::usRegional())
        != ExchangeResult::Done)
        std::abort();
}

// The cells of mixedDatabase() as the library takes them: numbers, Booleans, day numbers and
// NUL-terminated texts, made before the clock runs.
struct LibraryCells
{
    QList<double> numbers; // per record and field; NaN for a text cell
    QList<QByteArray> texts;
};

const LibraryCells &libraryCells()
{
    static const LibraryCells cells = [] {
        const Database &database = mixedDatabase();
        LibraryCells made;
        for (int record = 1; record <= database.recordCount(); ++record) {
            for (int field = 1; field <= database.fieldCount(); ++field) {
                const QByteArrayView cell = database.cellView(field, record);
                const int type = database.fieldType(field);
                double number = std::nan("");
                if (type == NormalDateType)
                    number =
                        double(QDate(1899, 12, 30).daysTo(*bench::usRegional().readDate(cell)));
                else if (type == BooleanType)
                    number = cell == "1";
                else if (type != StringType)
                    number = double(*bench::usRegional().readNumber(cell));
                made.numbers.append(number);
                made.texts.append(std::isnan(number) ? cell.toByteArray() : QByteArray());
            }
        }
        return made;
    }();
    return cells;
}

// libxlsxwriter alone: the same sheet, header, widths, panes, filter and cells, no reading.
void libraryFloor(const QString &path)
{
    const Database &database = mixedDatabase();
    const LibraryCells &cells = libraryCells();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(QFile::encodeName(path).constData(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "Sheet1");
    lxw_format *bold = workbook_add_format(book);
    format_set_bold(bold);
    lxw_format *date = workbook_add_format(book);
    format_set_num_format(date, "m/d/yyyy");
    const int fields = database.fieldCount();
    worksheet_set_column(sheet, 0, lxw_col_t(fields - 1), 12.0, nullptr);
    worksheet_freeze_panes(sheet, 1, 0);
    for (int field = 1; field <= fields; ++field)
        worksheet_write_string(sheet, 0, lxw_col_t(field - 1),
                               database.fieldName(field).constData(), bold);
    qsizetype index = 0;
    for (int record = 1; record <= database.recordCount(); ++record) {
        for (int field = 1; field <= fields; ++field, ++index) {
            const lxw_col_t column = lxw_col_t(field - 1);
            const int type = database.fieldType(field);
            const double number = cells.numbers[index];
            if (std::isnan(number))
                worksheet_write_string(sheet, lxw_row_t(record), column,
                                       cells.texts[index].constData(), nullptr);
            else if (type == BooleanType)
                worksheet_write_boolean(sheet, lxw_row_t(record), column, int(number), nullptr);
            else
                worksheet_write_number(sheet, lxw_row_t(record), column, number,
                                       type == NormalDateType ? date : nullptr);
        }
    }
    worksheet_autofilter(sheet, 0, 0, lxw_row_t(database.recordCount()), lxw_col_t(fields - 1));
    if (workbook_close(book) != LXW_NO_ERROR)
        std::abort();
}

qint64 residentBytes()
{
    long pages = 0;
    long resident = 0;
    FILE *statm = std::fopen("/proc/self/statm", "r");
    if (!statm || std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
        std::abort();
    std::fclose(statm);
    return qint64(resident) * sysconf(_SC_PAGESIZE);
}

// The export's peak memory: a child process that has the database already measures its largest
// resident size over the export against its size before (bytes, through a pipe).
qint64 peakExportMemory(const QString &path)
{
    int channel[2];
    if (pipe(channel) != 0)
        std::abort();
    const pid_t child = fork();
    if (child == 0) {
        const qint64 before = residentBytes();
        exportWorkbook(path);
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const qint64 peak = qint64(usage.ru_maxrss) * 1024 - before;
        if (write(channel[1], &peak, sizeof peak) != sizeof peak)
            _exit(1);
        _exit(0);
    }
    qint64 peak = -1;
    if (read(channel[0], &peak, sizeof peak) != sizeof peak)
        std::abort();
    waitpid(child, nullptr, 0);
    close(channel[0]);
    close(channel[1]);
    return peak;
}

void BM_WorkbookExport(benchmark::State &state)
{
    mixedDatabase();
    const QString workbook = folder().filePath(QStringLiteral("export.xlsx"));
    const QString csv = folder().filePath(QStringLiteral("export.csv"));
    const QString floor = folder().filePath(QStringLiteral("floor.xlsx"));
    libraryCells();
    // The three take turns, so a busy machine's noise stays out of the ratios.
    qint64 workNanos = 0;
    qint64 csvNanos = 0;
    qint64 libraryNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        exportWorkbook(workbook);
        workNanos += timer.nsecsElapsed();
        state.PauseTiming();
        timer.start();
        exportCsv(csv);
        csvNanos += timer.nsecsElapsed();
        timer.start();
        libraryFloor(floor);
        libraryNanos += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    kribed::bench::reportAgainstFloor(state, workNanos, csvNanos, 5.0);
    if (state.iterations() > 0 && libraryNanos > 0) {
        state.counters["lib_floor_ms"] = double(libraryNanos) / 1e6 / double(state.iterations());
        state.counters["lib_ratio"] = double(workNanos) / double(libraryNanos);
    }
    const double size = double(QFileInfo(workbook).size());
    const double peak = double(peakExportMemory(workbook));
    state.counters["file_MB"] = size / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_ratio"] = peak / size;
    state.counters["peak_goal"] = 3.0;
}

} // namespace

BENCHMARK(BM_WorkbookExport)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
