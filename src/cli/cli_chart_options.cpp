// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_chart_options_p.h"

#include "cli/cli_options.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

#include <utility>

namespace kribed {

QString takeChartOptions(const QCommandLineParser &parser, const ChartCommandOptions &options,
                         const QCommandLineOption &output, const QCommandLineOption &table,
                         CliRequest &request)
{
    ChartOptions &chart = request.chart;
    chart.x = parser.value(options.x);
    chart.y = parser.value(options.y);
    chart.kind = parser.value(options.kind);
    chart.groupBy = parser.value(options.groupBy);
    chart.table = parser.value(table);
    request.output = parser.value(output);
    const std::pair<const QCommandLineOption *, const char *> figures[] = {
        {&options.sum, "sum"},
        {&options.average, "average"},
        {&options.minimum, "min"},
        {&options.maximum, "max"}};
    for (const auto &[option, name] : figures) {
        if (!parser.isSet(*option))
            continue;
        if (!chart.aggregate.isEmpty() || parser.isSet(options.count))
            return QCoreApplication::translate("CliOptions",
                                               "chart takes one of --count, --sum, --average, "
                                               "--min and --max.");
        chart.aggregate = QLatin1String(name);
        chart.valueField = parser.value(*option);
    }
    if (parser.isSet(options.count))
        chart.aggregate = QStringLiteral("count");
    if (parser.isSet(options.bins)) {
        bool ok = false;
        chart.bins = parser.value(options.bins).toInt(&ok);
        if (!ok || chart.bins < 1 || chart.bins > 500)
            return QCoreApplication::translate("CliOptions", "--bins is a count from 1 to 500.");
    }
    if (parser.isSet(options.size)) {
        const QStringList parts = parser.value(options.size).split(u'x');
        const int width = parts.value(0).toInt();
        const int height = parts.value(1).toInt();
        if (parts.size() != 2 || width < 100 || height < 100 || width > 10000 || height > 10000)
            return QCoreApplication::translate(
                "CliOptions", "--size is WIDTHxHEIGHT in pixels, from 100x100 to 10000x10000.");
        chart.width = width;
        chart.height = height;
    }
    if (request.output.isEmpty() && chart.table.isEmpty())
        return QCoreApplication::translate("CliOptions",
                                           "chart needs --output FILE (.svg, .png or .pdf) or "
                                           "--table FILE.csv.");
    const QString suffix = QFileInfo(request.output).suffix().toLower();
    if (!request.output.isEmpty() && suffix != QLatin1String("svg")
        && suffix != QLatin1String("png") && suffix != QLatin1String("pdf"))
        return QCoreApplication::translate("CliOptions",
                                           "--output of chart ends in .svg, .png or .pdf.");
    return QString();
}

QStringList withChartY(QStringList arguments)
{
    for (QString &argument : arguments) {
        if (argument == QLatin1String("--y"))
            argument = QStringLiteral("--y-fields");
        else if (argument.startsWith(QLatin1String("--y=")))
            argument = QStringLiteral("--y-fields=") + argument.mid(4);
    }
    return arguments;
}

} // namespace kribed
