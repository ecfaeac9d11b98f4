// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// Frames of the main window at the limits (9999 records x 50 fields), shown on the offscreen
// screen: a navigation key (Page Down, Ctrl+End, Ctrl+Home) until every repaint it asks for is
// painted, with the repaints of the grid and its headers counted, and the Replace and Find
// dialogs from their command until they paint, and a selection of every cell until it paints and
// its statistics follow. Each against its goal (one frame at 60 Hz unless told) as a ratio
// (ms, goal_ms, ratio: at most 1 is within the goal).
#include "bench_dialogs.h"
#include "core/model/limits.h"
#include "core/platform/user_list.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/range_commands.h"
#include "gui/commands/replace_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/grid/cell_range_clipboard.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/window/main_window.h"
#include "largest_database.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QTableView>
#include <QTimer>

#include <benchmark/benchmark.h>

using namespace kribed;

namespace {

constexpr double FrameMs = 1000.0 / 60.0;

// Counts the paint events of the widgets it watches; notes when the first one came.
class PaintCount : public QObject
{
public:
    void watch(QWidget *widget) { widget->installEventFilter(this); }
    int paints = 0;
    qint64 firstPaintNanos = -1;
    QElapsedTimer *clock = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            if (firstPaintNanos < 0 && clock)
                firstPaintNanos = clock->nsecsElapsed();
        }
        return QObject::eventFilter(watched, event);
    }
};

// The largest database shown in a window of the measured size.
struct ShownWindow
{
    ShownWindow()
    {
        DocumentDoor(form.document()).resetWith([](Database &database) {
            database = bench::largestDatabase(MaxFields, MaxRecords);
            database.clearModified();
        });
        form.setDatabaseOpen(true);
        form.resize(1280, 1000);
        form.show();
        activate();
    }
    // The window has the keyboard, as when the user works in it.
    void activate()
    {
        form.activateWindow();
        form.grid()->setFocus();
        settle();
    }
    // Every update asked for painted, every posted event handled.
    static void settle()
    {
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }
    bench::YesPrompter prompter;
    bench::NoDialogs dialogs;
    NoUsers users;
    MainWindow form{prompter, dialogs, users};
};

void reportAgainstFrame(benchmark::State &state, qint64 nanos)
{
    const double ms =
        double(nanos) / 1e6 / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["ms"] = ms;
    state.counters["goal_ms"] = FrameMs;
    state.counters["ratio"] = ms / FrameMs;
}

// A key and the key that puts the current cell back before the next one (untimed).
void BM_NavigationKey(benchmark::State &state, Qt::Key key, Qt::KeyboardModifiers modifiers,
                      Qt::Key back, Qt::KeyboardModifiers backModifiers)
{
    ShownWindow window;
    QTableView *grid = window.form.grid();
    grid->setFocus();
    const auto press = [grid](Qt::Key pressed, Qt::KeyboardModifiers held) {
        QKeyEvent down(QEvent::KeyPress, pressed, held);
        QCoreApplication::sendEvent(grid, &down);
        QKeyEvent up(QEvent::KeyRelease, pressed, held);
        QCoreApplication::sendEvent(grid, &up);
    };
    PaintCount count;
    for (QWidget *part : {grid->viewport(), grid->horizontalHeader()->viewport(),
                          grid->verticalHeader()->viewport()})
        count.watch(part);
    qint64 nanos = 0;
    QElapsedTimer timer;
    for (auto _ : state) {
        state.PauseTiming();
        press(back, backModifiers);
        ShownWindow::settle();
        // The status tick that follows a move in the running program.
        window.form.updateStatus();
        ShownWindow::settle();
        count.paints = 0;
        state.ResumeTiming();
        timer.start();
        press(key, modifiers);
        ShownWindow::settle();
        window.form.updateStatus();
        ShownWindow::settle();
        nanos += timer.nsecsElapsed();
    }
    reportAgainstFrame(state, nanos);
    // The grid and its two headers each paint once for a move that scrolls.
    state.counters["paints"] = count.paints;
}
BENCHMARK_CAPTURE(BM_NavigationKey, PageDown, Qt::Key_PageDown, Qt::NoModifier, Qt::Key_Home,
                  Qt::ControlModifier)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NavigationKey, CtrlEnd, Qt::Key_End, Qt::ControlModifier, Qt::Key_Home,
                  Qt::ControlModifier)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_NavigationKey, CtrlHome, Qt::Key_Home, Qt::ControlModifier, Qt::Key_End,
                  Qt::ControlModifier)
    ->Unit(benchmark::kMillisecond);

// The Replace dialog stays open beside the grid: from its command until it and the window have
// painted.
void BM_ReplaceDialogShown(benchmark::State &state)
{
    ShownWindow window;
    ReplaceCommands &replace = window.form.commandGroups().get<ReplaceCommands>();
    QElapsedTimer timer;
    PaintCount count;
    count.clock = &timer;
    QDialog *dialog = nullptr;
    qint64 nanos = 0;
    for (auto _ : state) {
        timer.start();
        count.firstPaintNanos = -1;
        replace.actionReplace->trigger();
        if (!dialog) {
            dialog = window.form.findChild<QDialog *>(QStringLiteral("replaceDialog"));
            if (!dialog) {
                state.SkipWithError("no replace dialog");
                return;
            }
            count.watch(dialog);
        }
        while (count.firstPaintNanos < 0 && timer.elapsed() < 2000)
            QCoreApplication::processEvents();
        // What the window repaints as it loses the keyboard belongs to the frame.
        ShownWindow::settle();
        nanos += timer.nsecsElapsed();
        state.PauseTiming();
        dialog->close();
        window.activate();
        state.ResumeTiming();
    }
    reportAgainstFrame(state, nanos);
}
BENCHMARK(BM_ReplaceDialogShown)->Unit(benchmark::kMillisecond);

// The Find dialog is modal: from its command until it has painted; then it is closed.
void BM_FindDialogShown(benchmark::State &state)
{
    ShownWindow window;
    ToolsCommands &tools = window.form.commandGroups().get<ToolsCommands>();
    auto *dialog = window.form.findChild<QDialog *>(QStringLiteral("findDialog"));
    if (!dialog) {
        state.SkipWithError("no find dialog");
        return;
    }
    QElapsedTimer timer;
    PaintCount count;
    count.clock = &timer;
    count.watch(dialog);
    // The dialog's own event loop closes it once it has painted (or after 2 seconds).
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, dialog, [&] {
        if (dialog->isVisible() && (count.firstPaintNanos >= 0 || timer.elapsed() > 2000))
            dialog->reject();
    });
    qint64 nanos = 0;
    for (auto _ : state) {
        count.firstPaintNanos = -1;
        closer.start(0);
        timer.start();
        tools.actionFind->trigger();
        closer.stop();
        if (count.firstPaintNanos < 0) {
            state.SkipWithError("the find dialog did not paint");
            return;
        }
        nanos += count.firstPaintNanos;
        state.PauseTiming();
        ShownWindow::settle();
        state.ResumeTiming();
    }
    reportAgainstFrame(state, nanos);
}
BENCHMARK(BM_FindDialogShown)->Unit(benchmark::kMillisecond);

// Every cell selected: from the selection until the window has painted (goal 100 ms), and until
// the status bar shows the figures (counted between events: within a further 100 ms). Beside
// them, the selection's bounds and figures taken at once, as the handler used to.
void BM_SelectEveryCell(benchmark::State &state)
{
    ShownWindow window;
    QTableView *grid = window.form.grid();
    RangeCommands &range = window.form.commandGroups().get<RangeCommands>();
    QElapsedTimer timer;
    qint64 paintedNanos = 0;
    qint64 countedNanos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        grid->setCurrentIndex(grid->model()->index(0, 0));
        ShownWindow::settle();
        state.ResumeTiming();
        timer.start();
        grid->selectAll();
        ShownWindow::settle();
        paintedNanos += timer.nsecsElapsed();
        while (range.statisticsPending() && timer.elapsed() < 10000)
            QCoreApplication::processEvents();
        countedNanos += timer.nsecsElapsed();
    }
    const double runs = double(std::max<benchmark::IterationCount>(1, state.iterations()));
    timer.start();
    const std::optional<CellRange> selected = selectedRange(*grid);
    const double boundsMs = double(timer.nsecsElapsed()) / 1e6;
    const QString text = selected
                             ? rangeStatisticsText(window.form.document().database(), *selected,
                                                   window.form.document().regional())
                             : QString();
    const double atOnceMs = double(timer.nsecsElapsed()) / 1e6;
    if (text.isEmpty() || range.statisticsLabel()->text() != text) {
        state.SkipWithError("the statistics differ from those counted at once");
        return;
    }
    state.counters["ms"] = double(paintedNanos) / 1e6 / runs;
    state.counters["goal_ms"] = 100;
    state.counters["ratio"] = double(paintedNanos) / 1e6 / runs / 100;
    state.counters["figures_after_ms"] = double(countedNanos - paintedNanos) / 1e6 / runs;
    state.counters["figures_ratio"] = double(countedNanos - paintedNanos) / 1e6 / runs / 100;
    state.counters["at_once_ms"] = atOnceMs;
    state.counters["bounds_ms"] = boundsMs;
}
BENCHMARK(BM_SelectEveryCell)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return kribed::bench::runWindowBenchmarks(argc, argv);
}
