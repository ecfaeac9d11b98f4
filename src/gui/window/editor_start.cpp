// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/editor_start.h"

#include "core/handheld/startup_users.h"
#include "core/model/regional.h"
#include "core/platform/command_line.h"
#include "core/platform/recovery_store.h"
#include "core/platform/settings.h"
#include "core/platform/translations.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/file_commands.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/message_box_prompter.h"
#include "gui/window/main_window.h"
#include "gui/window/recovery_offer.h"
#include "gui/window/tool_icons.h"

#include <QApplication>
#include <QIcon>
#include <QPalette>
#include <QSettings>

#include <cstdio>

namespace kribed {

namespace {

// The command line is read before the widgets exist: --help, --version and every mistake are
// answered on the terminal even where no display is.
StartupRequest readCommandLine(int &argc, char **argv)
{
    const QCoreApplication terminal(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kribed"));
    const QStringList arguments = QCoreApplication::arguments();
    const StartupRequest request = parseCommandLine(arguments);
    if (request.kind == StartupRequest::Kind::Run)
        return request; // the window's application loads the translations for itself
    // What is told on the terminal is told in the user's language: read again with it.
    installTranslations(startLanguage(arguments));
    return parseCommandLine(arguments);
}

// The dark palette for looking at the window where the desktop offers none
// (KRIBED_DARK_PALETTE=1 kribed): the Fusion style draws with the palette as given.
void useDarkPaletteWhenAsked()
{
    if (qEnvironmentVariableIntValue("KRIBED_DARK_PALETTE") == 0)
        return;
    QApplication::setStyle(QStringLiteral("Fusion"));
    QApplication::setPalette(darkCheckPalette());
}

} // namespace

QPalette darkCheckPalette()
{
    QPalette dark;
    dark.setColor(QPalette::Window, QColor(45, 45, 48));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 32));
    dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::Button, QColor(53, 53, 56));
    dark.setColor(QPalette::ButtonText, QColor(235, 235, 235));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::white);
    dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 64));
    dark.setColor(QPalette::ToolTipText, QColor(235, 235, 235));
    dark.setColor(QPalette::Link, QColor(90, 170, 250));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
    dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
    return dark;
}

int runEditor(int argc, char *argv[])
{
    using Kind = StartupRequest::Kind;
    const auto answer = [](const StartupRequest &request) {
        std::fputs(request.output.toLocal8Bit().constData(),
                   request.kind == Kind::Error ? stderr : stdout);
        return request.exitCode();
    };
    const StartupRequest early = readCommandLine(argc, argv);
    if (early.kind != Kind::Run)
        return answer(early);

    QApplication app(argc, argv);
    // Read again from what the toolkit left: a platform may know options of its own.
    const StartupRequest request = parseCommandLine(QApplication::arguments());
    if (request.kind != Kind::Run)
        return answer(request);
    installTranslations(startLanguage(QApplication::arguments()));
    useDarkPaletteWhenAsked();
    QApplication::setApplicationName(QStringLiteral("Kribed-pro"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("kribed"), appIcon()));

    MessageBoxPrompter prompter;
    QtFileDialogs dialogs;
    // Read before the main window is made: it may tell that the Palm Desktop is missing. The
    // names are read with the user's own rules in the default code page, before any display font.
    const std::unique_ptr<UserData> users =
        readUsersAtStart(prompter, *openSettingsStore(), Regional());

    // The window makes its dialogs; all live until the program ends.
    MainWindow window(prompter, dialogs, *users);
    prompter.setParent(&window);
    dialogs.setParent(&window);
    window.show();
    // Changes that a program which ended left unsaved are offered first, before any file opens;
    // `kribed FILE` is opened once the window is up, so its questions sit over it.
    RecoveryOffer recovery(window, window.recoveryWriter(), defaultRecoveryRoot());
    offerThenOpen(recovery, window.commandGroups().get<FileCommands>(), request.file);
    return app.exec();
}

} // namespace kribed
