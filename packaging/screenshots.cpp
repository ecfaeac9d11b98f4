// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Draws the pictures software centres show of the program: the main window with the demo
// database Kunden.pdb open, and the cell editor on one of its dates. Run offscreen by
// scripts/screenshots, which writes them into packaging/screenshots/:
//   kribed_screenshots FOLDER
// The window is the real one, on scripted answers: any message it would show ends the run with
// a failure, since a picture with a question in front of it is no picture of the program.
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "core/platform/user_list.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/file_commands.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

using namespace kribed;

// The demo, its field and record for the cell editor: "Kunde seit", a date.
const char *const DemoName = "Kunden.pdb";
constexpr int EditedField = 6;
constexpr int EditedRecord = 3;
// The size of the main window's picture (16:9, as software centres show them).
constexpr int WindowWidth = 1024;
constexpr int WindowHeight = 576;

void complain(const QString &text)
{
    std::fprintf(stderr, "kribed_screenshots: %s\n", qPrintable(text));
}

class FailingPrompter : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        complain(QStringLiteral("unexpected message \"%1\": %2").arg(message.caption, message.text));
        mAsked = true;
        return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    bool asked() const { return mAsked; }

private:
    bool mAsked = false;
};

class NoFileDialogs : public FileDialogs
{
public:
    std::optional<FileChoice> openFile(const FileRequest &) override { return std::nullopt; }
    std::optional<FileChoice> saveFile(const FileRequest &) override { return std::nullopt; }
    std::optional<DisplayFontChoice> chooseFont(const DisplayFontChoice &) override
    {
        return std::nullopt;
    }
    bool choosePrinter(QPrinter &, int) override { return false; }
    std::optional<QString> chooseItem(const QString &, const QString &, const QStringList &,
                                      int) override
    {
        return std::nullopt;
    }
};

bool save(QWidget &widget, const QString &path)
{
    if (!QTest::qWaitForWindowExposed(&widget)) {
        complain(QStringLiteral("the window for %1 was never shown").arg(path));
        return false;
    }
    QApplication::processEvents();
    if (!widget.grab().save(path, "PNG")) {
        complain(QStringLiteral("cannot write %1").arg(path));
        return false;
    }
    std::printf("Wrote %s\n", qPrintable(path));
    return true;
}

int run(const QString &folder, const QString &demoFolder)
{
    // The demo is opened from a folder of a steady name: its path stands in the status bar.
    const QString demo = demoFolder + QLatin1Char('/') + QLatin1String(DemoName);
    if (!QDir().mkpath(demoFolder)
        || !QFile::copy(QStringLiteral(KRIBED_SOURCE_DIR "/examples/") + QLatin1String(DemoName),
                        demo)) {
        complain(QStringLiteral("cannot copy the demo database to %1").arg(demoFolder));
        return 1;
    }
    if (!QDir().mkpath(folder)) {
        complain(QStringLiteral("cannot make %1").arg(folder));
        return 1;
    }

    FailingPrompter prompter;
    NoFileDialogs dialogs;
    NoUsers users;
    MainWindow window(prompter, dialogs, users);
    // The German demo as a German desktop shows it: its own dates and numbers (no bar offering
    // other formats), in the code page of the display font.
    DatabaseDocument &document = window.document();
    document.setRegional(
        Regional(QLocale(QStringLiteral("de_DE")), document.regional().codePage()));
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.resize(WindowWidth, WindowHeight);
    window.commandGroups().get<FileCommands>().openNamedDatabase(demo);
    if (!window.isDatabaseOpen() || prompter.asked()) {
        complain(QStringLiteral("%1 was not opened").arg(demo));
        return 1;
    }
    window.setCurrentCell(EditedField, EditedRecord);
    window.updateStatus();
    if (!save(window, folder + QStringLiteral("/main-window.png")))
        return 1;

    CellEditorDialog editor(&window);
    editor.prepare(window.document().database(), EditedField, EditedRecord, window.displayFont(),
                   window.document().regional(), QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
    editor.show();
    const bool saved = save(editor, folder + QStringLiteral("/cell-editor.png"));
    editor.reject();
    window.document().history().markSaved();
    return saved && !prompter.asked() ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fputs("usage: kribed_screenshots FOLDER\n", stderr);
        return 2;
    }
    // Settings, recent files and the like of a home of its own: the pictures show a first start.
    QTemporaryDir home;
    if (!home.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_CACHE_HOME", home.filePath(QStringLiteral("cache")).toLocal8Bit());
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QString demoFolder = QDir::tempPath() + QStringLiteral("/Kribed PRO demo");
    QDir(demoFolder).removeRecursively();
    const int status = run(QString::fromLocal8Bit(argv[1]), demoFolder);
    QDir(demoFolder).removeRecursively();
    return status;
}
