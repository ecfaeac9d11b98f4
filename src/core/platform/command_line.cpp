// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/command_line.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace kribed {

StartupRequest parseCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QCoreApplication::translate("CommandLine", "Kribed PRO, an editor for Kribo databases."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(
        QStringLiteral("file"),
        QCoreApplication::translate("CommandLine", "The Kribo database (.pdb) to open."),
        QStringLiteral("[file]"));

    StartupRequest request;
    const auto fail = [&request](const QString &text) {
        request.kind = StartupRequest::Kind::Error;
        request.output = text + QStringLiteral("\nTry 'kribed --help' for more information.\n");
        return request;
    };
    // Help and version are answered whatever else the line holds: before the widgets exist the
    // toolkit's own options (-style, -platform, ...) are not known here yet.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        request.kind = StartupRequest::Kind::Help;
        request.output = parser.helpText();
        return request;
    }
    if (parser.isSet(version)) {
        request.kind = StartupRequest::Kind::Version;
        request.output = QStringLiteral("Kribed PRO " KRIBED_VERSION "\n");
        return request;
    }
    if (!parsed)
        return fail(parser.errorText());
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(QCoreApplication::translate("CommandLine", "Only one file can be opened."));
    if (!files.isEmpty() && !files.first().isEmpty())
        request.file = QFileInfo(files.first()).absoluteFilePath();
    return request;
}

} // namespace kribed
