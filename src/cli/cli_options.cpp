// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_options.h"

#include "cli/cli_chart_options_p.h"
#include "cli/cli_locale.h"
#include "core/model/field_type.h"
#include "core/platform/translations.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringDecoder>
#include <QStringEncoder>

#include <array>

namespace kribed {

namespace {

struct CommandSpec
{
    const char *name;
    const char *arguments; // blank-separated placeholders
    const char *options;   // blank-separated options beside --yes, --codepage and --language
    const char *description;
};

const std::array<CommandSpec, 11> Commands = {{
    {"info", "FILE.pdb", "locale json where",
     QT_TRANSLATE_NOOP("CliOptions",
                       "a summary of a database with each field's statistics (--locale --json)")},
    {"check", "FILE.pdb", "",
     QT_TRANSLATE_NOOP("CliOptions",
                       "exit status 0 when the database loads, 1 when it is refused")},
    {"dump", "FILE.pdb", "locale where",
     QT_TRANSLATE_NOOP("CliOptions", "the whole database as one JSON object")},
    {"resave", "IN.pdb OUT.pdb", "",
     QT_TRANSLATE_NOOP("CliOptions", "load a database and write it as a Kribo pro copy")},
    {"new", "OUT.pdb", "name fields records type width",
     QT_TRANSLATE_NOOP("CliOptions",
                       "write an empty database (--name --fields --records --type --width)")},
    {"import", "IN.txt OUT.pdb", "type encoding locale table detect-types types plan",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "make a database from separated text or a SQLite table (--type sqlite --table)")},
    {"export", "IN.pdb OUT.txt", "type encoding locale where",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "write a database as separated text, a SQLite database (--type sqlite) or an Excel "
         "workbook (--type xlsx)")},
    {"append", "DB.pdb IN.txt", "type encoding locale detect-types plan",
     QT_TRANSLATE_NOOP("CliOptions", "add the lines of separated text as records")},
    {"replace", "FILE.pdb", "find with field regex match-case whole-cell output locale where",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "replace a text in cells (--find --with [--field --regex --match-case --whole-cell "
         "--output --locale])")},
    {"diff", "A.pdb B.pdb", "key ignore-stamps no-ignore-stamps json csv locale",
     QT_TRANSLATE_NOOP("CliOptions",
                       "the differences of two databases; exit status 0 same, 1 different, 2 "
                       "trouble (--key --no-ignore-stamps --json --csv)")},
    {"chart", "FILE.pdb",
     "x y-fields kind group-by count sum average min max bins size output table locale",
     QT_TRANSLATE_NOOP(
         "CliOptions",
         "draw a chart of the records as SVG, PNG or PDF (--x --y --kind --group-by "
         "--sum/--average/--min/--max/--count --bins --size --output), or print the grouped "
         "figures as CSV (--table FILE.csv or -)")},
}};

const CommandSpec *findCommand(const QString &name)
{
    for (const CommandSpec &spec : Commands) {
        if (name == QLatin1String(spec.name))
            return &spec;
    }
    return nullptr;
}

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

QString description()
{
    QString text = QCoreApplication::translate("CliOptions",
                                               "Reads, checks and converts Kribo databases (.pdb).")
                   + QStringLiteral("\n\n") + QCoreApplication::translate("CliOptions", "Commands:")
                   + u'\n';
    for (const CommandSpec &spec : Commands) {
        const QString usage =
            QStringLiteral("%1 %2").arg(QLatin1String(spec.name), QLatin1String(spec.arguments));
        text += QStringLiteral("  %1  %2\n")
                    .arg(usage, -24)
                    .arg(QCoreApplication::translate("CliOptions", spec.description));
    }
    text +=
        u'\n'
        + QCoreApplication::translate(
            "CliOptions", "Exit status: 0 success, 1 file refused or not written, 2 usage error.");
    return text;
}

// Cell texts are 8-bit text ending at a NUL: a code page that writes plain letters and digits as
// anything but themselves (UTF-16, UTF-32) would put NULs into names.
bool keepsAscii(const QByteArray &codePage)
{
    const QString sample = QStringLiteral("Az09 ,;");
    QStringEncoder encoder(codePage.constData());
    return encoder.isValid() && encoder.encode(sample) == sample.toLatin1();
}

// Reads --type for the request's command; returns the usage error, or nothing.
QString takeType(const QString &value, CliRequest &request)
{
    if (request.command == QLatin1String("new")) {
        bool isNumber = false;
        const int index = value.toInt(&isNumber);
        if (!isNumber || index < 0 || index >= FieldTypeCount)
            return QCoreApplication::translate(
                       "CliOptions", "--type for new is a field type index 0..%1, not '%2'.")
                .arg(FieldTypeCount - 1)
                .arg(value);
        request.fieldType = index;
        return QString();
    }
    const ExchangeUse use = request.command == QLatin1String("export")   ? ExchangeUse::Export
                            : request.command == QLatin1String("append") ? ExchangeUse::Append
                                                                         : ExchangeUse::Import;
    const ExchangeFormat *format = exchangeFormatNamed(value);
    if (format && format->offeredFor(use)) {
        request.format = format;
        return QString();
    }
    if (format && use == ExchangeUse::Export)
        return QCoreApplication::translate(
                   "CliOptions", "export writes comma, semicolon, tab or csv text, a sqlite "
                                 "database or an xlsx workbook, not '%1'.")
            .arg(value);
    if (format && use == ExchangeUse::Append && format->offeredFor(ExchangeUse::Import))
        return QCoreApplication::translate("CliOptions", "append reads separated text, not '%1'.")
            .arg(value);
    // A format only written is unknown to the commands that read.
    return QCoreApplication::translate(
               "CliOptions", "--type is comma, semicolon, tab, comma-any, csv, sqlite or (for "
                             "export) xlsx, not '%1'.")
        .arg(value);
}

ParsedCommandLine usageError(const QString &text)
{
    ParsedCommandLine parsed;
    parsed.exitStatus = ExitUsage;
    parsed.error = QStringLiteral("kribed-cli: ") + text + u'\n'
                   + QCoreApplication::translate("CliOptions", "Try 'kribed-cli --help'.") + u'\n';
    return parsed;
}

// The options every command line may hold; which command takes which is checked afterwards.
struct Options
{
    QCommandLineOption yes{
        QStringList{QStringLiteral("y"), QStringLiteral("yes")},
        QCoreApplication::translate("CliOptions", "Answer questions so the operation goes on.")};
    QCommandLineOption codePage{
        QStringLiteral("codepage"),
        QCoreApplication::translate("CliOptions", "Code page of the texts (default windows-1252)."),
        QStringLiteral("NAME")};
    QCommandLineOption type{QStringLiteral("type"),
                            QCoreApplication::translate(
                                "CliOptions", "comma, semicolon, tab, comma-any or csv (standard "
                                              "CSV) for text files (default comma), sqlite for a "
                                              "SQLite database, for export also xlsx (an Excel "
                                              "workbook); for new: the field type index 0..12."),
                            QStringLiteral("T")};
    QCommandLineOption encoding{
        QStringLiteral("encoding"),
        QCoreApplication::translate("CliOptions", "utf-8 or codepage: the encoding of a --type csv "
                                                  "file (default utf-8)."),
        QStringLiteral("E")};
    QCommandLineOption locale{
        QStringLiteral("locale"),
        QCoreApplication::translate("CliOptions",
                                    "info, import --type sqlite, export --type sqlite "
                                    "or xlsx and replace (its stamps): the regional "
                                    "formats of numbers, dates and times, a name such "
                                    "as de_DE or en_US (default: the formats the editor "
                                    "keeps for the database, else the desktop's)."),
        QStringLiteral("NAME")};
    QCommandLineOption table{QStringLiteral("table"),
                             QCoreApplication::translate(
                                 "CliOptions", "import --type sqlite: the table or view to read; "
                                               "chart: the CSV file of the grouped figures (- for "
                                               "standard output)."),
                             QStringLiteral("NAME")};
    QCommandLineOption detectTypes{
        QStringLiteral("detect-types"),
        QCoreApplication::translate("CliOptions", "import: give each field the type all its "
                                                  "values suggest (append: --plan shows them).")};
    QCommandLineOption types{
        QStringLiteral("types"),
        QCoreApplication::translate("CliOptions", "import: field types by name or number, as "
                                                  "\"Name=String,Umsatz=Float,3=Normal Date\"."),
        QStringLiteral("LIST")};
    QCommandLineOption plan{QStringLiteral("plan"),
                            QCoreApplication::translate("CliOptions",
                                                        "import, append: print the plan as JSON "
                                                        "(columns, types, values that do not fit, "
                                                        "limits, warnings) and write nothing.")};
    QCommandLineOption json{
        QStringLiteral("json"),
        QCoreApplication::translate("CliOptions", "info and diff: as a JSON object.")};
    QCommandLineOption key{
        QStringLiteral("key"),
        QCoreApplication::translate("CliOptions", "diff: match records by this field (default: "
                                                  "the auto-increment field, else by content)."),
        QStringLiteral("FIELD")};
    QCommandLineOption ignoreStamps{
        QStringLiteral("ignore-stamps"),
        QCoreApplication::translate("CliOptions", "diff: modification dates and times are no "
                                                  "change (the default).")};
    QCommandLineOption noIgnoreStamps{
        QStringLiteral("no-ignore-stamps"),
        QCoreApplication::translate("CliOptions",
                                    "diff: modification dates and times count as changes.")};
    QCommandLineOption csv{QStringLiteral("csv"),
                           QCoreApplication::translate("CliOptions",
                                                       "diff: one CSV line per changed cell (key, "
                                                       "field, old, new).")};
    QCommandLineOption language{
        QStringLiteral("language"),
        QCoreApplication::translate("CliOptions", "The language of the messages: de or en "
                                                  "(default: the desktop's)."),
        QStringLiteral("CODE")};
    QCommandLineOption name{QStringLiteral("name"),
                            QCoreApplication::translate("CliOptions", "new: database name."),
                            QStringLiteral("NAME")};
    QCommandLineOption fields{QStringLiteral("fields"),
                              QCoreApplication::translate("CliOptions", "new: field count."),
                              QStringLiteral("N")};
    QCommandLineOption records{QStringLiteral("records"),
                               QCoreApplication::translate("CliOptions", "new: record count."),
                               QStringLiteral("N")};
    QCommandLineOption width{
        QStringLiteral("width"),
        QCoreApplication::translate("CliOptions", "new: field width in width units."),
        QStringLiteral("UNITS")};

    QCommandLineOption find{QStringLiteral("find"),
                            QCoreApplication::translate("CliOptions", "replace: the text to find."),
                            QStringLiteral("TEXT")};
    QCommandLineOption with{
        QStringLiteral("with"),
        QCoreApplication::translate("CliOptions", "replace: the text it becomes (\\1 refers to a "
                                                  "group with --regex)."),
        QStringLiteral("TEXT")};
    QCommandLineOption field{
        QStringLiteral("field"),
        QCoreApplication::translate("CliOptions", "replace: only in the field of this name."),
        QStringLiteral("NAME")};
    QCommandLineOption regex{
        QStringLiteral("regex"),
        QCoreApplication::translate("CliOptions", "replace: --find is a regular expression.")};
    QCommandLineOption matchCase{
        QStringLiteral("match-case"),
        QCoreApplication::translate("CliOptions", "replace: letters must match in case.")};
    QCommandLineOption wholeCell{
        QStringLiteral("whole-cell"),
        QCoreApplication::translate("CliOptions", "replace: --find must be the whole cell.")};
    QCommandLineOption output{
        QStringLiteral("output"),
        QCoreApplication::translate("CliOptions", "replace: write to this file instead of the "
                                                  "database's own; chart: the picture to write "
                                                  "(.svg, .png or .pdf)."),
        QStringLiteral("OUT.pdb")};

    QCommandLineOption where{
        QStringLiteral("where"),
        QCoreApplication::translate(
            "CliOptions",
            "info, dump, export and replace: only the records where the condition holds "
            "(repeated: all of them): FIELD=V1,V2 FIELD!=V FIELD<V FIELD<=V FIELD>V FIELD>=V "
            "FIELD~REGEX FIELD^=T FIELD$=T FIELD*=T, FIELD= (empty), FIELD!= (not empty)."),
        QStringLiteral("CONDITION")};

    ChartCommandOptions chart;

    QList<QCommandLineOption> valued() const
    {
        return QList<QCommandLineOption>{codePage, type,     encoding, locale, name,  fields,
                                         records,  width,    find,     with,   field, output,
                                         table,    language, types,    key}
               + chart.valued();
    }
    QList<QCommandLineOption> all() const
    {
        return QList<QCommandLineOption>{
                   yes,       codePage,  type,   encoding,     locale,         json,        name,
                   fields,    records,   width,  find,         with,           field,       regex,
                   matchCase, wholeCell, output, table,        language,       detectTypes, types,
                   plan,      where,     key,    ignoreStamps, noIgnoreStamps, csv}
               + chart.all();
    }
};

// The usage error of a command's file arguments and options, or nothing.
QString checkCommandLine(const QCommandLineParser &parser, const Options &options,
                         const CommandSpec &spec, const QStringList &files)
{
    const QString command = QLatin1String(spec.name);
    QStringList wanted = words(spec.arguments);
    // A planned import writes nothing: its database file may be left out.
    if (command == QLatin1String("import") && parser.isSet(QStringLiteral("plan"))
        && files.size() == 1)
        wanted.removeLast();
    if (files.size() != wanted.size()) {
        return QCoreApplication::translate("CliOptions", "%1 takes %2 (usage: kribed-cli %1 %3).")
            .arg(command,
                 wanted.size() == 1
                     ? QCoreApplication::translate("CliOptions", "one file")
                     : QCoreApplication::translate("CliOptions", "%1 files").arg(wanted.size()),
                 QLatin1String(spec.arguments));
    }
    if (files.contains(QString()))
        return QCoreApplication::translate("CliOptions", "an empty file name was given.");
    const QStringList allowed = words(spec.options)
                                << QStringLiteral("yes") << QStringLiteral("codepage")
                                << QStringLiteral("language");
    for (const QString &option : parser.optionNames()) {
        const QString longName = option == QLatin1String("y") ? QStringLiteral("yes") : option;
        if (!allowed.contains(longName))
            return QCoreApplication::translate("CliOptions", "option --%1 is not used by %2.")
                .arg(longName, command);
    }
    for (const QCommandLineOption &option : options.valued()) {
        if (parser.values(option).size() > 1)
            return QCoreApplication::translate("CliOptions", "option --%1 is given twice.")
                .arg(option.names().constFirst());
    }
    return QString();
}

// The options of replace; --find and --with are needed, the rest may be left out.
QString takeReplaceOptions(const QCommandLineParser &parser, const Options &options,
                           CliRequest &request)
{
    if (request.command != QLatin1String("replace"))
        return QString();
    if (!parser.isSet(options.find) || !parser.isSet(options.with))
        return QCoreApplication::translate("CliOptions",
                                           "replace needs --find TEXT and --with TEXT.");
    request.find = parser.value(options.find);
    request.replacement = parser.value(options.with);
    if (request.find->isEmpty())
        return QCoreApplication::translate("CliOptions", "--find needs a text to look for.");
    request.field = parser.value(options.field);
    request.output = parser.value(options.output);
    if (parser.isSet(options.output) && request.output.isEmpty())
        return QCoreApplication::translate("CliOptions", "an empty file name was given.");
    request.regularExpression = parser.isSet(options.regex);
    request.matchCase = parser.isSet(options.matchCase);
    request.wholeCell = parser.isSet(options.wholeCell);
    return QString();
}

// The options of diff: --ignore-stamps and --no-ignore-stamps, --json and --csv exclude each other.
QString takeDiffOptions(const QCommandLineParser &parser, const Options &options,
                        CliRequest &request)
{
    if (parser.isSet(options.ignoreStamps) && parser.isSet(options.noIgnoreStamps))
        return QCoreApplication::translate(
            "CliOptions", "--ignore-stamps and --no-ignore-stamps exclude each other.");
    if (parser.isSet(options.json) && parser.isSet(options.csv))
        return QCoreApplication::translate("CliOptions", "--json and --csv exclude each other.");
    request.ignoreStamps = !parser.isSet(options.noIgnoreStamps);
    request.csv = parser.isSet(options.csv);
    request.key = parser.value(options.key);
    if (parser.isSet(options.key) && request.key.isEmpty())
        return QCoreApplication::translate("CliOptions", "--key needs a field name.");
    return QString();
}

// Takes the option values into the request; returns the usage error of a bad value, or nothing.
QString takeOptions(const QCommandLineParser &parser, const Options &options, CliRequest &request)
{
    request.yes = parser.isSet(options.yes);
    if (parser.isSet(options.codePage)) {
        const QString codePage = parser.value(options.codePage);
        request.codePage = codePage.toLatin1();
        if (!QStringDecoder(request.codePage.constData()).isValid())
            return QCoreApplication::translate("CliOptions", "unknown code page '%1'.")
                .arg(codePage);
        if (!keepsAscii(request.codePage))
            return QCoreApplication::translate(
                       "CliOptions", "'%1' is not a code page of the handheld's 8-bit texts.")
                .arg(codePage);
    }
    if (parser.isSet(options.type)) {
        const QString error = takeType(parser.value(options.type), request);
        if (!error.isEmpty())
            return error;
    }
    if (parser.isSet(options.encoding)) {
        const QString value = parser.value(options.encoding);
        const std::optional<CsvEncoding> encoding = csvEncodingFromName(value);
        if (!encoding)
            return QCoreApplication::translate("CliOptions",
                                               "--encoding is utf-8 or codepage, not '%1'.")
                .arg(value);
        // The other text types are read in it when imported or appended; written, they are
        // bytes of the code page.
        const bool readsText = request.format->textType
                               && (request.command == QLatin1String("import")
                                   || request.command == QLatin1String("append"));
        if (!request.format->asksEncoding && !readsText)
            return QCoreApplication::translate(
                "CliOptions", "--encoding is for --type csv, and for import and append of text.");
        request.encoding = *encoding;
        request.encodingGiven = true;
    }
    if (parser.isSet(options.locale)) {
        const QString name = parser.value(options.locale);
        request.locale = localeFromName(name);
        if (!request.locale)
            return unknownLocaleText(name);
    }
    // Read and installed before parsing (the messages come in it); here only checked.
    if (parser.isSet(options.language)
        && chooseLanguage(parser.value(options.language), {}).isEmpty())
        return QCoreApplication::translate("CliOptions", "--language is de or en, not '%1'.")
            .arg(parser.value(options.language));
    request.json = parser.isSet(options.json);
    request.where = parser.values(options.where);
    // dump writes texts as they are: the formats only read the values of --where.
    if (request.command == QLatin1String("dump") && request.locale && request.where.isEmpty())
        return QCoreApplication::translate("CliOptions", "option --%1 is not used by %2.")
            .arg(QStringLiteral("locale"), request.command);
    if (request.command == QLatin1String("chart"))
        return takeChartOptions(parser, options.chart, options.output, options.table, request);
    if (parser.isSet(options.table)) {
        if (!request.format->listTables)
            return QCoreApplication::translate("CliOptions", "--table is for --type sqlite only.");
        request.table = parser.value(options.table);
    }
    const auto take = [&parser](const QCommandLineOption &option, QString &value) {
        if (parser.isSet(option))
            value = parser.value(option);
    };
    request.detectTypes = parser.isSet(options.detectTypes);
    request.planOnly = parser.isSet(options.plan);
    take(options.types, request.types);
    take(options.name, request.name);
    take(options.fields, request.fields);
    take(options.records, request.records);
    take(options.width, request.width);
    const QString replaceError = takeReplaceOptions(parser, options, request);
    return replaceError.isEmpty() ? takeDiffOptions(parser, options, request) : replaceError;
}

} // namespace

ParsedCommandLine parseCommandLine(const QStringList &givenArguments)
{
    const QStringList arguments = withChartY(givenArguments);
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options options;
    parser.addOptions(options.all());
    parser.addPositionalArgument(
        QStringLiteral("command"),
        QCoreApplication::translate("CliOptions", "One of the commands above."),
        QStringLiteral("COMMAND"));
    parser.addPositionalArgument(QStringLiteral("files"),
                                 QCoreApplication::translate("CliOptions", "The command's files."),
                                 QStringLiteral("FILES..."));

    if (!parser.parse(arguments))
        return usageError(parser.errorText());
    ParsedCommandLine parsed;
    if (parser.isSet(help)) {
        parsed.output = parser.helpText();
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.output = QStringLiteral("kribed-cli %1\n").arg(QLatin1String(KRIBED_VERSION));
        return parsed;
    }

    QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return usageError(QCoreApplication::translate("CliOptions", "no command given."));
    const QString command = files.takeFirst();
    const CommandSpec *spec = findCommand(command);
    if (!spec)
        return usageError(
            QCoreApplication::translate("CliOptions", "unknown command '%1'.").arg(command));
    QString error = checkCommandLine(parser, options, *spec, files);
    CliRequest request;
    request.command = command;
    request.files = files;
    if (error.isEmpty())
        error = takeOptions(parser, options, request);
    if (!error.isEmpty())
        return usageError(error);
    parsed.request = request;
    return parsed;
}

} // namespace kribed
