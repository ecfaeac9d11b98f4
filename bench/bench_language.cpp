// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// What a translation adds to the start: loading the catalogues, building the main window with its
// menus, dialogs and tool bar, and painting it the first time, in German beside English (which
// loads nothing). The goal is at most 10 ms more.
#include "against_floor.h"
#include "bench_dialogs.h"
#include "core/platform/prompter.h"
#include "core/platform/translations.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/window/main_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenuBar>
#include <QTranslator>

#include <algorithm>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

// Notes the window's first paint.
class FirstPaint : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// The start as the editor makes it: translations, then the window, shown until it has painted.
// Returns false when the catalogue did not load or the window never painted.
bool startAndPaint(const QString &language)
{
    if (!installTranslations(language))
        return false;
    bench::YesPrompter prompter;
    bench::NoDialogs dialogs;
    NoUsers users;
    MainWindow form(prompter, dialogs, users);
    FirstPaint paint;
    form.installEventFilter(&paint);
    form.show();
    QElapsedTimer waited;
    waited.start();
    while (!paint.painted && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    form.removeEventFilter(&paint);
    const bool german = form.menuBar()->actions().constFirst()->text() == QLatin1String("&Datei");
    // The next start begins without them, as a new process would (a translator leaves the
    // application's list when it is deleted).
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator *>(
        QString(), Qt::FindDirectChildrenOnly));
    return paint.painted && german == (language == QLatin1String("de"));
}

void BM_StartGermanBesideEnglish(benchmark::State &state)
{
    bool painted = true;
    qint64 germanNanos = 0;
    qint64 englishNanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        timer.start();
        painted = startAndPaint(QStringLiteral("de")) && painted;
        germanNanos += timer.nsecsElapsed();
        state.PauseTiming();
        timer.start();
        painted = startAndPaint(QStringLiteral("en")) && painted;
        englishNanos += timer.nsecsElapsed();
        state.ResumeTiming();
    }
    if (!painted)
        state.SkipWithError("the German catalogue did not load or the window did not paint");
    // The goal is 10 ms more than English, told as the largest ratio that keeps to it.
    const double iterations = double(std::max<qint64>(1, state.iterations()));
    const double englishMs = double(englishNanos) / 1e6 / iterations;
    bench::reportAgainstFloor(state, germanNanos, englishNanos, 1 + 10 / englishMs);
    state.counters["added_ms"] = double(germanNanos - englishNanos) / 1e6 / iterations;
}
BENCHMARK(BM_StartGermanBesideEnglish)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return kribed::bench::runWindowBenchmarks(argc, argv);
}
