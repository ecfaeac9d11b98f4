// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_run.h"

#include "cli/cli_context.h"
#include "cli/cli_locale.h"
#include "cli/commands_chart.h"
#include "cli/commands_diff.h"
#include "cli/commands_edit.h"
#include "cli/commands_exchange.h"
#include "cli/commands_file.h"
#include "core/model/regional.h"
#include "core/platform/formats_memory.h"
#include "core/platform/settings.h"
#include "core/platform/translations.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QTextStream>

#include <cstdio>
#include <memory>

namespace kribed {

namespace {

// The formats numbers, dates and times are read and written in: --locale; else, for a database
// the editor has been given formats for, those (so a stamp or a total agrees with the window's);
// else the desktop's.
QLocale chosenFormats(const CliRequest &request)
{
    if (request.locale)
        return *request.locale;
    const bool readsDatabase =
        request.command == QLatin1String("info") || request.command == QLatin1String("export")
        || request.command == QLatin1String("replace") || request.command == QLatin1String("diff")
        || request.command == QLatin1String("chart");
    if (readsDatabase && !request.files.isEmpty()) {
        const std::optional<FormatsChoice> remembered =
            rememberedFormats(*openSettingsStore(), request.files.at(0));
        if (remembered && !remembered->isDesktop()) {
            if (const std::optional<QLocale> locale = localeFromName(remembered->localeName))
                return *locale;
        }
    }
    return QLocale::system();
}

} // namespace

ExitStatus runCommand(CliContext &context)
{
    const QString &command = context.request.command;
    if (command == QLatin1String("info"))
        return infoCommand(context);
    if (command == QLatin1String("check"))
        return checkCommand(context);
    if (command == QLatin1String("dump"))
        return dumpCommand(context);
    if (command == QLatin1String("resave"))
        return resaveCommand(context);
    if (command == QLatin1String("new"))
        return newCommand(context);
    if (command == QLatin1String("import"))
        return importCommand(context);
    if (command == QLatin1String("export"))
        return exportCommand(context);
    if (command == QLatin1String("append"))
        return appendCommand(context);
    if (command == QLatin1String("replace"))
        return replaceCommand(context);
    if (command == QLatin1String("diff"))
        return diffCommand(context);
    if (command == QLatin1String("chart"))
        return chartCommand(context);
    // The parser knows only the commands above.
    context.reportError(
        QCoreApplication::translate("CliMessages", "unknown command %1").arg(command));
    return ExitUsage;
}

namespace {

// chart draws with widgets, which need an application of widgets; always offscreen, so that it
// runs without a display. Every other command keeps the plain core application.
std::unique_ptr<QCoreApplication> makeApplication(int &argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (argv[i][0] == '-')
            continue;
        if (qstrcmp(argv[i], "chart") != 0)
            break;
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

} // namespace

int runCli(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kribed-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KRIBED_VERSION));
    installTranslations(startLanguage(QCoreApplication::arguments()));

    QTextStream out(stdout);
    QTextStream err(stderr);
    const ParsedCommandLine parsed = parseCommandLine(QCoreApplication::arguments());
    if (!parsed.request) {
        out << parsed.output;
        err << parsed.error;
        return parsed.exitStatus;
    }
    const CliRequest &request = *parsed.request;
    // The tool has no display font: widths use the database's own scale, and texts that become
    // cells (a new database's name) take the chosen code page.
    const Regional regional(chosenFormats(request), request.codePage);
    CliTextCodec codec(request.codePage);
    CliPrompter prompter(err, request.yes);
    CliContext context{request, out, err, prompter, codec, regional};
    const ExitStatus status = runCommand(context);
    out.flush();
    err.flush();
    return status;
}

} // namespace kribed
