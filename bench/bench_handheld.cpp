// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The handheld user list at its largest (255 users) beside copying its bytes as the floor, and the
// properties dialog's show and OK at 9999 records x 50 fields with the filter on, beside the filter
// alone as the floor.
#include "against_floor.h"
#include "bench_doubles.h"
#include "core/editing/record_filter.h"
#include "core/handheld/user_data.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/dialogs/properties_dialog.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QLineEdit>
#include <QLocale>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

// 255 users with 31-character names and a stretch of bytes before each marker.
QByteArray largestUsersDat()
{
    QByteArray bytes(1, char(255));
    bytes.append(QByteArray(12, '\0'));
    for (int user = 0; user < 255; ++user) {
        if (user > 0)
            bytes.append(QByteArray(200, '\x01')).append("\x02\x01\x80", 3);
        bytes.append(char(user)).append(char(0)).append("\0\0", 2);
        bytes.append(char(31)).append(QByteArray(31, 'n'));
        bytes.append(char(31)).append(QByteArray(31, 'f')).append('\0');
    }
    return bytes;
}

void copyBytes(const QByteArray &bytes)
{
    QByteArray copy = bytes;
    copy.detach();
    benchmark::DoNotOptimize(copy.data());
}

void BM_UsersDatCopyFloor(benchmark::State &state)
{
    const QByteArray bytes = largestUsersDat();
    for (auto _ : state)
        copyBytes(bytes);
}
BENCHMARK(BM_UsersDatCopyFloor)->Unit(benchmark::kMicrosecond);

void BM_ReadUsersDat(benchmark::State &state)
{
    QByteArray bytes = largestUsersDat();
    bench::runAgainstFloor(
        state, 10,
        [&] {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            benchmark::DoNotOptimize(readUsersDat(buffer, bench::usRegional()).size());
        },
        [&] { copyBytes(bytes); });
}
BENCHMARK(BM_ReadUsersDat)->Unit(benchmark::kMicrosecond);

Database &largestDatabase()
{
    static Database database = [] {
        Database made;
        made.setShape(MaxFields, MaxRecords);
        made.setName("Largest");
        for (int field = 1; field <= MaxFields; ++field) {
            made.setFieldName(field, "Field" + QByteArray::number(field));
            for (int record = 1; record <= MaxRecords; ++record)
                made.setCell(field, record, "Text " + QByteArray::number(record * field));
        }
        made.setFilterText("77");
        made.setFilterOn(true);
        return made;
    }();
    return database;
}

void BM_FilterAloneFloor(benchmark::State &state)
{
    Database &database = largestDatabase();
    for (auto _ : state)
        benchmark::DoNotOptimize(applyFilter(database, true, FilterOptions()));
}
BENCHMARK(BM_FilterAloneFloor)->Unit(benchmark::kMillisecond);

void BM_PropertiesShowAndOk(benchmark::State &state)
{
    bench::OkPrompter prompter;
    PropertiesDialog form(prompter);
    form.setRegional(bench::usRegional());
    Database &database = largestDatabase();
    auto *filterOn = form.findChild<QCheckBox *>(QStringLiteral("filterOnCheckBox"));
    if (!filterOn) {
        state.SkipWithError("the properties dialog has no filter check box");
        return;
    }
    for (auto _ : state) {
        form.prepare(database, MaxFields, {});
        filterOn->setChecked(true);
        form.okClicked();
    }
}
BENCHMARK(BM_PropertiesShowAndOk)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
