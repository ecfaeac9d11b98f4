// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/commands_chart.h"

#include "cli/cli_context.h"
#include "cli/commands_file.h"
#include "core/editing/chart_picture.h"
#include "core/model/database.h"
#include "gui/chart/chart_canvas.h"

#include <QCoreApplication>
#include <QSaveFile>

namespace kribed {

namespace {

// A field by its name (as the codec shows it), else by its number 1..m; none when neither.
std::optional<int> fieldNamed(CliContext &context, const Database &database, const QString &name)
{
    for (int field = 1; field <= database.fieldCount(); ++field) {
        if (context.codec.decode(database.fieldName(field)) == name)
            return field;
    }
    bool isNumber = false;
    const int number = name.toInt(&isNumber);
    if (isNumber && number >= 1 && number <= database.fieldCount())
        return number;
    return std::nullopt;
}

// Reads the field options into choices; the reason when a field is unknown.
QString readChoices(CliContext &context, const Database &database, ChartChoices &choices)
{
    const ChartOptions &options = context.request.chart;
    const auto field = [&](const QString &name, int &into) {
        const std::optional<int> found = fieldNamed(context, database, name);
        if (found)
            into = *found;
        return found.has_value();
    };
    if (!options.x.isEmpty() && !field(options.x, choices.xField))
        return QCoreApplication::translate("CliMessages", "unknown field '%1'.").arg(options.x);
    for (QString name : options.y.split(u',', Qt::SkipEmptyParts)) {
        ChartY y;
        y.rightAxis = name.endsWith(QLatin1String(":right"));
        if (y.rightAxis)
            name.chop(6);
        if (!field(name, y.field))
            return QCoreApplication::translate("CliMessages", "unknown field '%1'.").arg(name);
        choices.yFields.append(y);
    }
    if (!options.groupBy.isEmpty()) {
        choices.kind = ChartKind::Grouped;
        const QString name = options.groupBy.section(u':', 0, -2).isEmpty()
                                 ? options.groupBy
                                 : options.groupBy.section(u':', 0, -2);
        const QString period = options.groupBy.section(u':', -1);
        if (name != options.groupBy && !periodNamed(period, choices.group.period))
            return QCoreApplication::translate(
                       "CliMessages", "unknown period '%1' (day, week, month, quarter or year).")
                .arg(period);
        if (!field(name, choices.group.keyField))
            return QCoreApplication::translate("CliMessages", "unknown field '%1'.").arg(name);
        if (!options.aggregate.isEmpty())
            aggregateNamed(options.aggregate, choices.group.aggregate);
        if (!options.valueField.isEmpty() && !field(options.valueField, choices.group.valueField))
            return QCoreApplication::translate("CliMessages", "unknown field '%1'.")
                .arg(options.valueField);
    }
    if (!options.kind.isEmpty()) {
        const std::optional<ChartKind> kind = chartKindNamed(options.kind);
        if (!kind)
            return QCoreApplication::translate("CliMessages", "unknown chart kind '%1'.")
                .arg(options.kind);
        choices.kind = *kind;
    }
    // The histogram and the counts take the one field named, by --y or by --x.
    if (choices.kind == ChartKind::Histogram && choices.yFields.isEmpty() && choices.xField > 0)
        choices.yFields.append(ChartY{choices.xField, false});
    if (choices.kind == ChartKind::Counts && choices.xField == 0 && !choices.yFields.isEmpty())
        choices.xField = choices.yFields.front().field;
    choices.bins = options.bins;
    return QString();
}

bool writeTable(CliContext &context, const ChartPicture &picture, const QString &path)
{
    const QString text =
        groupTable(picture.groups,
                   {picture.x.title, QCoreApplication::translate("CliMessages", "Records"),
                    picture.yLeft.title},
                   context.regional, TableForm::Csv);
    if (path == QLatin1String("-")) {
        context.out << text;
        return true;
    }
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit();
}

} // namespace

ExitStatus chartCommand(CliContext &context)
{
    Database database;
    if (!loadForReading(context, context.request.files.at(0), database))
        return ExitFailure;
    ChartChoices choices;
    if (const QString reason = readChoices(context, database, choices); !reason.isEmpty()) {
        context.reportError(reason);
        return ExitFailure;
    }
    const ChartPicture picture = buildChartPicture(database, context.regional, choices);
    if (picture.isEmpty()) {
        context.reportError(
            QCoreApplication::translate("CliMessages", "nothing to plot: %1").arg(picture.reason));
        return ExitFailure;
    }
    const ChartOptions &options = context.request.chart;
    if (!options.table.isEmpty()) {
        if (choices.kind != ChartKind::Grouped) {
            context.reportError(
                QCoreApplication::translate("CliMessages", "--table needs --group-by."));
            return ExitFailure;
        }
        if (!writeTable(context, picture, options.table)) {
            context.reportError(
                QCoreApplication::translate("CliMessages", "%1 could not be written.")
                    .arg(options.table));
            return ExitFailure;
        }
    }
    if (!context.request.output.isEmpty()) {
        if (!ChartCanvas::save(picture, context.regional, context.request.output,
                               QSize(options.width, options.height))) {
            context.reportError(
                QCoreApplication::translate("CliMessages", "%1 could not be written.")
                    .arg(context.request.output));
            return ExitFailure;
        }
        context.err << "Wrote " << context.request.output << '\n';
    }
    if (picture.notPlotted > 0)
        context.err << notPlottedText(picture.notPlotted) << '\n';
    return ExitSuccess;
}

} // namespace kribed
