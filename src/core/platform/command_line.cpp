// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/command_line.h"

#include "core/platform/translations.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <iterator>

namespace kribed {

namespace {

// The toolkit's options that take the next argument as their value, even when none follows.
const char *const AlwaysWithValue[] = {"platformpluginpath", "platform", "platformtheme", "plugin",
                                       "qwindowgeometry",    "geometry", "qwindowtitle",  "title",
                                       "qwindowicon",        "icon"};
// Those that take it only when there is one; alone at the end they are left on the line.
const char *const WithValueWhenOneFollows[] = {"session", "style", "stylesheet",
                                               "display", "name",  "visual"};
// Those that stand alone.
const char *const Switches[] = {"reverse", "testability", "widgetcount", "nograb", "dograb"};
// Those that carry their value after an equals sign.
const char *const WithJoinedValue[] = {"style=", "stylesheet="};

template<std::size_t Count> bool isOneOf(QStringView name, const char *const (&names)[Count])
{
    return std::any_of(std::begin(names), std::end(names),
                       [name](const char *candidate) { return name == QLatin1String(candidate); });
}

} // namespace

QStringList withoutToolkitOptions(const QStringList &arguments)
{
    QStringList kept;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        // The program's name, values and files; the toolkit reads options even after "--".
        if (i == 0 || !argument.startsWith(u'-') || argument.size() < 2) {
            kept << argument;
            continue;
        }
        QStringView name = QStringView(argument).mid(argument.startsWith(u"--") ? 2 : 1);
        const bool valueFollows = i + 1 < arguments.size();
        if (isOneOf(name, AlwaysWithValue))
            ++i;
        else if (isOneOf(name, WithValueWhenOneFollows) && valueFollows)
            ++i;
        else if (!isOneOf(name, Switches)
                 && !std::any_of(
                     std::begin(WithJoinedValue), std::end(WithJoinedValue),
                     [name](const char *prefix) { return name.startsWith(QLatin1String(prefix)); }))
            kept << argument;
    }
    return kept;
}

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
    const QCommandLineOption language(
        QStringLiteral("language"),
        QCoreApplication::translate("CommandLine", "The interface's language: de or en."),
        QStringLiteral("code"));
    parser.addOption(language);

    StartupRequest request;
    const auto fail = [&request](const QString &text) {
        request.kind = StartupRequest::Kind::Error;
        request.output = text + u'\n'
                         + QCoreApplication::translate(
                             "CommandLine", "Try 'kribed --help' for more information.")
                         + u'\n';
        return request;
    };
    // Help and version are answered whatever else the line holds.
    const bool parsed = parser.parse(withoutToolkitOptions(arguments));
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
    if (parser.isSet(language) && chooseLanguage(parser.value(language), {}).isEmpty())
        return fail(QCoreApplication::translate("CommandLine", "Unknown language: %1")
                        .arg(parser.value(language)));
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return fail(QCoreApplication::translate("CommandLine", "Only one file can be opened."));
    if (!files.isEmpty() && !files.first().isEmpty())
        request.file = QFileInfo(files.first()).absoluteFilePath();
    return request;
}

} // namespace kribed
