// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/fill.h"

#include "core/editing/stamp.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/model/stored_value.h"
#include "core/model/typed_reading.h"

#include <QCoreApplication>

#include <cmath>
#include <functional>

namespace kribed {

namespace {

// The shown record nearest above `record`, or 0.
int shownRecordAbove(const Database &database, int record)
{
    for (int above = record - 1; above >= 1; --above) {
        if (!database.isHidden(above))
            return above;
    }
    return 0;
}

// The same text in every field of every record.
FillTexts uniformFill(const CellRange &range, QVector<int> records,
                      const std::function<QByteArray(int index)> &textOf)
{
    FillTexts fill{range, std::move(records), {}};
    fill.texts.reserve(fill.records.size() * range.width());
    for (int index = 0; index < fill.records.size(); ++index) {
        const QByteArray text = textOf(index);
        for (int field = 0; field < range.width(); ++field)
            fill.texts.append(text);
    }
    return fill;
}

} // namespace

FillTexts fillDownTexts(const Database &database, const CellRange &range)
{
    QVector<int> records = shownRecords(database, range);
    int source = 0;
    if (records.size() == 1)
        source = shownRecordAbove(database, records.front());
    else if (!records.isEmpty())
        source = records.takeFirst();
    if (source == 0)
        return FillTexts{range, {}, {}};
    FillTexts fill{range, std::move(records), {}};
    fill.texts.reserve(fill.records.size() * range.width());
    for (int index = 0; index < fill.records.size(); ++index) {
        for (int field = range.firstField; field <= range.lastField; ++field)
            fill.texts.append(database.cell(field, source));
    }
    return fill;
}

SeriesTexts seriesTexts(const Database &database, const CellRange &range, const SeriesSpec &spec,
                        const Regional &regional)
{
    QVector<int> records = shownRecords(database, range);
    if (spec.constant) {
        QByteArray text = spec.start;
        cutToStoredLimit(text);
        return {uniformFill(range, std::move(records), [&](int) { return text; }), {}};
    }
    const std::optional<long double> step = regional.readNumber(spec.step);
    if (!step || !std::isfinite(*step))
        return {{}, QCoreApplication::translate("Fill", "The step is no number.")};
    if (const std::optional<long double> start = regional.readNumber(spec.start)) {
        if (!std::isfinite(*start))
            return {{}, QCoreApplication::translate("Fill", "The start value is too large.")};
        // Each value from the start, not from the one before, so no rounding adds up.
        return {uniformFill(range, std::move(records),
                            [&](int index) { return regional.numberText(*start + index * *step); }),
                {}};
    }
    const std::optional<QDate> date = regional.readDate(spec.start);
    if (!date)
        return {{},
                QCoreApplication::translate(
                    "Fill", "The start value reads neither as a number nor as a date.")};
    if (*step != std::floor(*step) || std::fabs(*step) > 3e6)
        return {{},
                QCoreApplication::translate(
                    "Fill", "A series of dates needs a whole number of days as its step.")};
    const qint64 days = qint64(*step);
    const QDate last = date->addDays(days * std::max<qsizetype>(0, records.size() - 1));
    if (!last.isValid() || last.year() < 1 || last.year() > 9999)
        return {{},
                QCoreApplication::translate("Fill", "The series of dates leaves the calendar.")};
    return {uniformFill(range, std::move(records),
                        [&](int index) { return regional.dateText(date->addDays(days * index)); }),
            {}};
}

int countCellsLeavingType(const Database &database, const FillTexts &fill, const Regional &regional)
{
    int cells = 0;
    for (int field = fill.range.firstField; field <= fill.range.lastField; ++field) {
        const int type = database.fieldType(field);
        for (int index = 0; index < fill.records.size(); ++index) {
            const QByteArray &text = fill.text(index, field);
            if (!readsAsFieldType(text, type, regional)
                && readsAsFieldType(database.cellView(field, fill.records[index]), type, regional))
                ++cells;
        }
    }
    return cells;
}

bool applyFill(Database &database, const FillTexts &fill, const QDateTime &now,
               const Regional &regional)
{
    if (!fill.range.fits(database))
        return false;
    bool changed = false;
    for (int index = 0; index < fill.records.size(); ++index) {
        const int record = fill.records[index];
        bool differs = false;
        for (int field = fill.range.firstField; field <= fill.range.lastField && !differs; ++field)
            differs = database.cellView(field, record) != fill.text(index, field);
        if (!differs)
            continue;
        stampRow(database, record, now, regional);
        for (int field = fill.range.firstField; field <= fill.range.lastField; ++field)
            database.setCell(field, record, fill.text(index, field));
        changed = true;
    }
    if (changed)
        database.setModified();
    return changed;
}

} // namespace kribed
