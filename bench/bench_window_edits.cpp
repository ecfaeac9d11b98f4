// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// Changes made in the main window at the limits (9999 records x 50 fields of ~70-byte texts, as a
// real address or stock list), shown on the offscreen screen: from the command until every
// repaint it asks for is painted and the status tick after it has nothing left to show. Delete
// one row, its undo and row sum off against one frame at 60 Hz; Replace all of a common letter
// and auto sizing on against 100 ms (ms, goal_ms, ratio: at most 1 is within the goal); a column
// border held still after a drag against an idle editor.
#include "bench_dialogs.h"
#include "core/model/limits.h"
#include "core/platform/user_list.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/replace_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/edit_history.h"
#include "gui/window/main_window.h"
#include "largest_database.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHeaderView>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTableView>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <time.h>

using namespace kribed;

namespace {

constexpr double FrameMs = 1000.0 / 60.0;

// Goes on with every command: Yes to a question, OK to a message.
class GoOnPrompter : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        return message.buttons == Buttons::YesNo || message.buttons == Buttons::YesNoCancel
                   ? Answer::Yes
                   : Answer::Ok;
    }
};

// The database shown in a window of the measured size, in expert mode.
struct EditWindow
{
    EditWindow()
    {
        static const Database words = bench::wordsDatabase();
        DocumentDoor(form.document()).resetWith([](Database &database) {
            database = words;
            database.clearModified();
        });
        form.settings().expertMode = true;
        form.setDatabaseOpen(true);
        form.resize(1280, 1000);
        form.show();
        form.activateWindow();
        form.grid()->setFocus();
        settle();
    }
    // Every update asked for painted, every posted event and zero timer handled, then the status
    // tick, whose repaints belong to the change too.
    void settle()
    {
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
        form.updateStatus();
        for (int round = 0; round < 3; ++round)
            QCoreApplication::processEvents();
    }
    template<class Group> Group &group() { return form.commandGroups().get<Group>(); }
    QAction *action(const char *name)
    {
        return form.findChild<QAction *>(QString::fromLatin1(name));
    }

    GoOnPrompter prompter;
    bench::NoDialogs dialogs;
    NoUsers users;
    MainWindow form{prompter, dialogs, users};
};

void report(benchmark::State &state, qint64 nanos, double goalMs)
{
    const double ms =
        double(nanos) / 1e6 / double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["ms"] = ms;
    state.counters["goal_ms"] = goalMs;
    state.counters["ratio"] = ms / goalMs;
}

// Times `timed` (until painted) after the untimed `before`; `after` puts the window back.
template<class Before, class Timed, class After>
void measure(benchmark::State &state, EditWindow &window, double goalMs, Before before, Timed timed,
             After after)
{
    QElapsedTimer timer;
    qint64 nanos = 0;
    for (auto _ : state) {
        state.PauseTiming();
        before();
        window.settle();
        state.ResumeTiming();
        timer.start();
        timed();
        window.settle();
        nanos += timer.nsecsElapsed();
        state.PauseTiming();
        after();
        window.settle();
        state.ResumeTiming();
    }
    report(state, nanos, goalMs);
}

void BM_DeleteRow(benchmark::State &state)
{
    EditWindow window;
    QAction *undo = window.action("actionUndo");
    measure(
        state, window, FrameMs, [&] { window.form.setCurrentCell(1, 1); },
        [&] { window.group<RowColumnCommands>().actionDeleteRow->trigger(); },
        [&] { undo->trigger(); });
    if (window.form.document().database().recordCount() != MaxRecords)
        state.SkipWithError("the undo did not bring the row back");
}
BENCHMARK(BM_DeleteRow)->Unit(benchmark::kMillisecond);

void BM_UndoDeleteRow(benchmark::State &state)
{
    EditWindow window;
    QAction *undo = window.action("actionUndo");
    measure(
        state, window, FrameMs,
        [&] {
            window.form.setCurrentCell(1, 1);
            window.group<RowColumnCommands>().actionDeleteRow->trigger();
        },
        [&] { undo->trigger(); }, [] {});
    if (window.form.document().database().recordCount() != MaxRecords)
        state.SkipWithError("the undo did not bring the row back");
}
BENCHMARK(BM_UndoDeleteRow)->Unit(benchmark::kMillisecond);

void BM_RowSumOff(benchmark::State &state)
{
    EditWindow window;
    QAction *rowSum = window.group<ToolsCommands>().actionRowSum;
    measure(
        state, window, FrameMs, [&] { rowSum->trigger(); }, [&] { rowSum->trigger(); }, [] {});
    if (window.group<ToolsCommands>().isRowSumOn())
        state.SkipWithError("row sum stayed on");
}
BENCHMARK(BM_RowSumOff)->Unit(benchmark::kMillisecond);

// Every "e" of the database becomes "E" from the open Replace dialog; the undo puts them back.
void BM_ReplaceAll(benchmark::State &state)
{
    EditWindow window;
    window.group<ReplaceCommands>().actionReplace->trigger();
    auto *dialog = window.form.findChild<QDialog *>(QStringLiteral("replaceDialog"));
    auto *find =
        dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("replaceFindEdit")) : nullptr;
    auto *with =
        dialog ? dialog->findChild<QLineEdit *>(QStringLiteral("replaceWithEdit")) : nullptr;
    auto *all =
        dialog ? dialog->findChild<QPushButton *>(QStringLiteral("replaceAllButton")) : nullptr;
    if (!find || !with || !all) {
        state.SkipWithError("no replace dialog");
        return;
    }
    find->setText(QStringLiteral("e"));
    with->setText(QStringLiteral("E"));
    QAction *undo = window.action("actionUndo");
    measure(
        state, window, 100, [] {}, [&] { all->click(); }, [&] { undo->trigger(); });
    if (window.form.document().history().stack().count() == 0)
        state.SkipWithError("nothing was replaced");
}
BENCHMARK(BM_ReplaceAll)->Unit(benchmark::kMillisecond);

void BM_AutoSizingOn(benchmark::State &state)
{
    EditWindow window;
    QAction *autoSizing = window.group<ToolsCommands>().actionAutoSizing;
    measure(
        state, window, 100, [] {}, [&] { autoSizing->trigger(); }, [&] { autoSizing->trigger(); });
}
BENCHMARK(BM_AutoSizingOn)->Unit(benchmark::kMillisecond);

// The CPU time of the window's thread (the recovery writer's own threads are not the window's).
double threadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

// A column border dragged and then held still: the editor's CPU time while the button stays down,
// as a share of one core (goal: idle, at most 5 %).
void BM_BorderHeld(benchmark::State &state)
{
    EditWindow window;
    QHeaderView *header = window.form.grid()->horizontalHeader();
    QWidget *viewport = header->viewport();
    const auto mouse = [viewport](QEvent::Type type, QPoint at, Qt::MouseButtons buttons) {
        QMouseEvent event(type, at, viewport->mapToGlobal(at), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &event);
    };
    double share = 0;
    for (auto _ : state) {
        const int width = header->sectionSize(1);
        const QPoint border(header->sectionViewportPosition(1) + width - 1, header->height() / 2);
        mouse(QEvent::MouseButtonPress, border, Qt::LeftButton);
        for (int step = 1; step <= 20; ++step)
            mouse(QEvent::MouseMove, border + QPoint(step, 0), Qt::LeftButton);
        window.settle();
        if (header->sectionSize(1) != width + 20) {
            state.SkipWithError("the border was not dragged");
            return;
        }
        QElapsedTimer wall;
        wall.start();
        const double cpu = threadCpuSeconds();
        QEventLoop hold;
        QTimer::singleShot(300, &hold, &QEventLoop::quit);
        hold.exec();
        share += 100.0 * (threadCpuSeconds() - cpu) / (double(wall.nsecsElapsed()) / 1e9);
        mouse(QEvent::MouseButtonRelease, border, Qt::NoButton);
        window.settle();
    }
    share /= double(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["core_percent"] = share;
    state.counters["goal_percent"] = 5;
    state.counters["ratio"] = share / 5;
}
BENCHMARK(BM_BorderHeld)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char **argv)
{
    return kribed::bench::runWindowBenchmarks(argc, argv);
}
