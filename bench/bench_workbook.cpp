// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The Excel workbook export of the largest database (9999 records of 50 fields of every kind)
// against the standard CSV export of the same database (goal: at most 5 times its time), and the
// memory the export takes at its peak against the workbook's size (goal: at most 3 times).
#include "against_floor.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/workbook_export.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QFileInfo>
#include <QLocale>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kribed;

namespace {

const Regional &benchRegional()
{
    static const Regional regional(QLocale(QStringLiteral("en_US")));
    return regional;
}

class NoQuestions : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(message.text));
        std::abort();
    }
};

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
                default: cell = "Text " + QByteArray::number(record) + " of field "
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
    NoQuestions prompter;
    if (exportWorkbookFile(path, mixedDatabase(), prompter, benchRegional()).result
        != ExchangeResult::Done)
        std::abort();
}

void exportCsv(const QString &path)
{
    NoQuestions prompter;
    if (exportTextFile(path, TextType::Csv, mixedDatabase(), prompter, benchRegional())
        != ExchangeResult::Done)
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
    kribed::bench::runAgainstFloor(
        state, 5.0, [&] { exportWorkbook(workbook); }, [&] { exportCsv(csv); });
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
