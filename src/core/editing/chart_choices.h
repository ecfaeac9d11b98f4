// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/chart_data.h"
#include "core/editing/chart_groups.h"

#include <QString>
#include <QVector>

#include <optional>

namespace kribed {

enum class ChartKind { Line, Scatter, Bars, StackedBars, Histogram, Counts, Grouped };
// "line", "scatter", "bars", "stacked", "histogram", "counts", "grouped": kribed-cli's --kind
// and the remembered choice.
QString chartKindName(ChartKind kind);
std::optional<ChartKind> chartKindNamed(const QString &name);

struct ChartY
{
    int field = 0;
    bool rightAxis = false;
    bool operator==(const ChartY &other) const
    {
        return field == other.field && rightAxis == other.rightAxis;
    }
};

// What the chart dock and `kribed-cli chart` draw: the kind, X (a field or the record number),
// the Y fields and their axes, log scales, the histogram's bin count (0: automatic), and the
// grouping of the Grouped kind. Fields are numbers 1..50.
struct ChartChoices
{
    ChartKind kind = ChartKind::Line;
    int xField = RecordNumberAxis;
    QVector<ChartY> yFields;
    bool logX = false;
    bool logY = false;
    int bins = 0;
    GroupRequest group;

    // One line of "key=value" pairs, kept per file; fromText takes what it knows and leaves
    // the rest as it is, so an older or damaged entry never fails.
    QString toText() const;
    static ChartChoices fromText(const QString &text);
    bool operator==(const ChartChoices &other) const { return toText() == other.toText(); }
};

} // namespace kribed
