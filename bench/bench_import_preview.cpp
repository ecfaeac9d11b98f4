// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The import preview at the limits: the type detection over 9999 records of 50 fields (about
// 11 MB of standard CSV) beside one pass of the CSV reader over the same bytes (goal: at most
// three times as long), and the preview dialog of that file from its making until its grid has
// painted (goal: 100 ms).
#include "against_floor.h"
#include "bench_dialogs.h"
#include "bench_doubles.h"
#include "core/exchange/csv_exchange.h"
#include "core/exchange/exchange_formats.h"
#include "core/exchange/type_detection.h"
#include "core/model/limits.h"
#include "gui/dialogs/import_preview_dialog.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEvent>
#include <QTableView>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

// One value of each kind in turn: whole numbers, decimals, dates, times, a few repeated texts,
// free text (two columns in eight), postcodes with leading zeros.
QByteArray valueFor(int field, int record)
{
    const QByteArray n = QByteArray::number(record);
    switch (field % 8) {
    case 0: return QByteArray::number(1000000 + record * 37 % 100000);
    case 1: return QByteArray::number(100000 + record * 7) + "." + QByteArray::number(10 + field);
    case 2:
        return QByteArray::number(record % 12 + 1) + "/" + QByteArray::number(field % 28 + 1)
               + "/20" + QByteArray::number(10 + record % 15);
    case 3:
        return QByteArray::number(record % 12 + 1) + ":" + QByteArray::number(10 + field)
               + ":00 PM";
    case 4:
        return QByteArrayList{"open since last month", "closed after payment",
                              "pending review"}[record % 3];
    case 5:
    case 6: return "remark " + n + " on field " + QByteArray::number(field) + " of the ledger book";
    default: return "0" + QByteArray::number(1000 + record % 9000);
    }
}

const QByteArray &largestCsv()
{
    static const QByteArray bytes = [] {
        QByteArray made;
        made.reserve(12 << 20);
        for (int record = 0; record <= MaxRecords; ++record) {
            for (int field = 0; field < MaxFields; ++field) {
                if (field > 0)
                    made += ',';
                made += record == 0 ? "Field " + QByteArray::number(field + 1)
                                    : valueFor(field, record);
            }
            made += "\r\n";
        }
        return made;
    }();
    return bytes;
}

ImportPlan readLargest()
{
    QBuffer buffer;
    buffer.setData(largestCsv());
    buffer.open(QIODevice::ReadOnly);
    return readCsvImport(buffer, CsvEncoding::Utf8, bench::usRegional());
}

const ImportPlan &largestPlan()
{
    static const ImportPlan plan = readLargest();
    return plan;
}

void BM_DetectTypes(benchmark::State &state)
{
    const ImportPlan &plan = largestPlan();
    qint64 records = 0;
    bench::runAgainstFloor(
        state, 3.0,
        [&] {
            const QList<DetectedType> types =
                detectColumnTypes(plan.table.rows, 1, plan.table.fields, bench::usRegional());
            benchmark::DoNotOptimize(types.data());
        },
        [&] {
            CsvReader reader(CsvSeparator, [&records](CsvRecord &) { return ++records > 0; });
            reader.feed(largestCsv());
            reader.finish();
        });
    state.counters["megabytes"] = double(largestCsv().size()) / 1e6;
    benchmark::DoNotOptimize(records);
}
BENCHMARK(BM_DetectTypes)->Unit(benchmark::kMillisecond);

// Notes the first paint of the grid's viewport.
class FirstPaint : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        painted = painted || event->type() == QEvent::Paint;
        return QObject::eventFilter(watched, event);
    }
};

void BM_PreviewFirstPaint(benchmark::State &state)
{
    const ExchangeFormat *csv = exchangeFormatNamed(QStringLiteral("csv"));
    const ImportPlan &plan = largestPlan();
    double slowestMs = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        ImportPreviewSetup setup;
        setup.format = csv;
        setup.regional = bench::usRegional();
        setup.firstRead = plan; // shares the rows, as the read step hands them over
        setup.readFile = [](const ImportSource &) { return readLargest(); };
        ImportPreviewDialog dialog(std::move(setup));
        FirstPaint paint;
        dialog.grid()->viewport()->installEventFilter(&paint);
        dialog.show();
        while (!paint.painted && timer.elapsed() < 5000)
            QCoreApplication::processEvents();
        if (!paint.painted)
            state.SkipWithError("the preview did not paint");
        slowestMs = std::max(slowestMs, double(timer.nsecsElapsed()) / 1e6);
    }
    state.counters["slowest_ms"] = slowestMs;
    state.counters["goal_ms"] = 100;
}
BENCHMARK(BM_PreviewFirstPaint)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return kribed::bench::runWindowBenchmarks(argc, argv);
}
