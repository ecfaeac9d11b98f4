// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// The options only the chart command takes: the command line holds them beside every other
// command's, and takeChartOptions reads them into the request.

#include <QCommandLineOption>
#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

class QCommandLineParser;

namespace kribed {

struct CliRequest;

struct ChartCommandOptions
{
    QCommandLineOption x{
        QStringLiteral("x"),
        QCoreApplication::translate("CliOptions",
                                    "chart: the field along X (default: the record number)."),
        QStringLiteral("FIELD")};
    QCommandLineOption y{
        QStringLiteral("y-fields"),
        QCoreApplication::translate("CliOptions", "chart: the fields along Y, separated by commas "
                                                  "(a field ending in :right on the right axis)."),
        QStringLiteral("FIELD[,FIELD]")};
    QCommandLineOption kind{
        QStringLiteral("kind"),
        QCoreApplication::translate("CliOptions", "chart: line, scatter, bars, stacked, histogram "
                                                  "or counts (default line; grouped with "
                                                  "--group-by)."),
        QStringLiteral("KIND")};
    QCommandLineOption groupBy{
        QStringLiteral("group-by"),
        QCoreApplication::translate("CliOptions", "chart: group the records by this field, a date "
                                                  "field by :day, :week, :month, :quarter or "
                                                  ":year."),
        QStringLiteral("FIELD[:PERIOD]")};
    QCommandLineOption count{QStringLiteral("count"),
                             QCoreApplication::translate("CliOptions",
                                                         "chart: the records of each group (the "
                                                         "default figure).")};
    QCommandLineOption sum{
        QStringLiteral("sum"),
        QCoreApplication::translate("CliOptions", "chart: the sum of this field per group."),
        QStringLiteral("FIELD")};
    QCommandLineOption average{
        QStringLiteral("average"),
        QCoreApplication::translate("CliOptions", "chart: the average of this field per group."),
        QStringLiteral("FIELD")};
    QCommandLineOption minimum{
        QStringLiteral("min"),
        QCoreApplication::translate("CliOptions", "chart: the smallest value of this field per "
                                                  "group."),
        QStringLiteral("FIELD")};
    QCommandLineOption maximum{
        QStringLiteral("max"),
        QCoreApplication::translate("CliOptions", "chart: the largest value of this field per "
                                                  "group."),
        QStringLiteral("FIELD")};
    QCommandLineOption bins{
        QStringLiteral("bins"),
        QCoreApplication::translate("CliOptions", "chart: the histogram's bin count (default: "
                                                  "chosen from the values)."),
        QStringLiteral("N")};
    QCommandLineOption size{
        QStringLiteral("size"),
        QCoreApplication::translate("CliOptions", "chart: the picture's size in pixels (default "
                                                  "1200x800)."),
        QStringLiteral("WxH")};

    // The options that take a value, and all of them, in the order the help lists them.
    QList<QCommandLineOption> valued() const
    {
        return {x, y, kind, groupBy, sum, average, minimum, maximum, bins, size};
    }
    QList<QCommandLineOption> all() const
    {
        return {x, y, kind, groupBy, count, sum, average, minimum, maximum, bins, size};
    }
};

// The options of chart, taken as texts: the fields are known only when the file is read.
// `output` and `table` are shared with other commands. Returns the usage error, or nothing.
QString takeChartOptions(const QCommandLineParser &parser, const ChartCommandOptions &options,
                         const QCommandLineOption &output, const QCommandLineOption &table,
                         CliRequest &request);

// "--y" names chart's Y fields, while "-y" stays --yes: the parser knows one option per letter,
// so the long spelling is taken as --y-fields before it parses.
QStringList withChartY(QStringList arguments);

} // namespace kribed
