// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"

#include <cmath>

namespace kribed {

QString recordNumberText(int record)
{
    return QString::asprintf("%.4d", record);
}

int unitsToPixels(int units, double widthScale)
{
    // nearbyint rounds an exact half to the even neighbour in the default rounding mode.
    return int(std::nearbyint(double(units) * widthScale));
}

int pixelsToUnits(int pixels, double widthScale)
{
    if (pixels <= 0 || widthScale <= 0)
        return 0;
    int units = int(std::floor(double(pixels) / widthScale));
    while (units > 0 && unitsToPixels(units - 1, widthScale) >= pixels)
        --units;
    while (unitsToPixels(units, widthScale) < pixels)
        ++units;
    return units;
}

Database::Database()
{
    mFieldTypes.fill(0); // String
}

void Database::setShape(int fields, int records)
{
    mFieldNames = QVector<QByteArray>(fields);
    mColumnWidths.resize(fields, unitsToPixels(int(AppInfo::DefaultWidth)));
    mRecords = QVector<Record>(records, Record(fields));
    mHidden = QVector<char>(records, false);
}

void Database::insertRecord(int before, Record record)
{
    record.resize(fieldCount());
    mRecords.insert(before - 1, std::move(record));
    mHidden.insert(before - 1, false);
}

Database::Record Database::takeRecord(int record)
{
    Record taken = mRecords.takeAt(record - 1);
    mHidden.removeAt(record - 1);
    return taken;
}

void Database::moveRecord(int from, int to)
{
    mRecords.move(from - 1, to - 1);
    mHidden.move(from - 1, to - 1);
}

void Database::insertField(int before, const QByteArray &name, int pixelWidth)
{
    mFieldNames.insert(before - 1, name);
    mColumnWidths.insert(before - 1, pixelWidth);
    for (Record &record : mRecords)
        record.insert(before - 1, QByteArray());
}

void Database::removeField(int field)
{
    mFieldNames.removeAt(field - 1);
    mColumnWidths.removeAt(field - 1);
    for (Record &record : mRecords)
        record.removeAt(field - 1);
}

void Database::moveField(int from, int to)
{
    mFieldNames.move(from - 1, to - 1);
    mColumnWidths.move(from - 1, to - 1);
    for (Record &record : mRecords)
        record.move(from - 1, to - 1);
}

void Database::showAllRecords()
{
    mHidden.fill(false);
}

void Database::clearPopupLists()
{
    for (QList<QByteArray> &list : mPopupLists)
        list.clear();
}

void Database::resetAppInfo()
{
    mAppInfo.reset();
    mDataAfter.clear();
    mExtrasStart = 0;
    mExtrasLength = 0;
    mSettings.increment = 1;
    mConvertedFromKribo3 = false;
}

void Database::setDataAfter(const QByteArray &data, int extrasStart, int extrasLength)
{
    mDataAfter = data;
    mExtrasStart = extrasStart;
    mExtrasLength = extrasLength;
}

QByteArray Database::extras() const
{
    if (mExtrasLength <= 0 || mExtrasStart < 0 || mExtrasStart + mExtrasLength > mDataAfter.size())
        return QByteArray();
    return mDataAfter.mid(mExtrasStart, mExtrasLength);
}

} // namespace kribed
