// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"

#include <cmath>

namespace kribed {

QString RecordNumberText(int record)
{
    return QString::asprintf("%.4d", record);
}

int UnitsToPixels(int units, double widthScale)
{
    // nearbyint rounds an exact half to the even neighbour in the default rounding mode.
    return int(std::nearbyint(double(units) * widthScale));
}

int PixelsToUnits(int pixels, double widthScale)
{
    if (pixels <= 0 || widthScale <= 0)
        return 0;
    int units = int(std::floor(double(pixels) / widthScale));
    while (units > 0 && UnitsToPixels(units - 1, widthScale) >= pixels)
        --units;
    while (UnitsToPixels(units, widthScale) < pixels)
        ++units;
    return units;
}

Database::Database()
{
    mFieldTypes.fill(0); // String
}

void Database::SetShape(int fields, int records)
{
    mFieldNames = QVector<QByteArray>(fields);
    mColumnWidths.resize(fields, UnitsToPixels(int(AppInfo::DefaultWidth)));
    mRecords = QVector<Record>(records, Record(fields));
    mHidden = QVector<char>(records, false);
}

void Database::InsertRecord(int before, Record record)
{
    record.resize(FieldCount());
    mRecords.insert(before - 1, std::move(record));
    mHidden.insert(before - 1, false);
}

Database::Record Database::TakeRecord(int record)
{
    Record taken = mRecords.takeAt(record - 1);
    mHidden.removeAt(record - 1);
    return taken;
}

void Database::MoveRecord(int from, int to)
{
    mRecords.move(from - 1, to - 1);
    mHidden.move(from - 1, to - 1);
}

void Database::InsertField(int before, const QByteArray &name, int pixelWidth)
{
    mFieldNames.insert(before - 1, name);
    mColumnWidths.insert(before - 1, pixelWidth);
    for (Record &record : mRecords)
        record.insert(before - 1, QByteArray());
}

void Database::RemoveField(int field)
{
    mFieldNames.removeAt(field - 1);
    mColumnWidths.removeAt(field - 1);
    for (Record &record : mRecords)
        record.removeAt(field - 1);
}

void Database::MoveField(int from, int to)
{
    mFieldNames.move(from - 1, to - 1);
    mColumnWidths.move(from - 1, to - 1);
    for (Record &record : mRecords)
        record.move(from - 1, to - 1);
}

void Database::ShowAllRecords()
{
    mHidden.fill(false);
}

void Database::ClearPopupLists()
{
    for (QList<QByteArray> &list : mPopupLists)
        list.clear();
}

void Database::ResetAppInfo()
{
    mAppInfo.Reset();
    mDataAfter.clear();
    mExtrasStart = 0;
    mExtrasLength = 0;
    mIncrement = 1;
    mConvertedFromKribo3 = false;
}

void Database::SetDataAfter(const QByteArray &data, int extrasStart, int extrasLength)
{
    mDataAfter = data;
    mExtrasStart = extrasStart;
    mExtrasLength = extrasLength;
}

QByteArray Database::Extras() const
{
    if (mExtrasLength <= 0 || mExtrasStart < 0 || mExtrasStart + mExtrasLength > mDataAfter.size())
        return QByteArray();
    return mDataAfter.mid(mExtrasStart, mExtrasLength);
}

} // namespace kribed
