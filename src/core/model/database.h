// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/app_info.h"
#include "core/model/database_settings.h"
#include "core/model/limits.h"
#include "core/model/record.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVector>

#include <array>

namespace kribed {

// The record number shown in the grid's column 0: "%.4d".
QString recordNumberText(int record);

// Width conversions: units x scale rounded half to even, and the smallest units that reach a
// pixel width.
int unitsToPixels(int units, double widthScale);
int pixelsToUnits(int pixels, double widthScale);

// The one open database. Fields are numbered 1..m and records 1..n as in the grid; column 0 (the
// record numbers) and row 0 (the field names) are not cells here. Every value is the bytes of the
// file; no code page is applied. The type table and the popup lists belong to the field positions
// 1..50 and live for the whole run.
class Database
{
public:
    using Record = kribed::Record;

    Database();

    // Shape ------------------------------------------------------------------------------------
    int fieldCount() const { return int(mFieldNames.size()); }
    int recordCount() const { return int(mRecords.size()); }
    // Makes m fields and n records, every cell and name empty, every row shown; the widths of
    // fields kept where they exist.
    void setShape(int fields, int records);

    // The cell's text, sharing the record's bytes; setCell() changes it.
    const QByteArray cell(int field, int record) const
    {
        return mRecords[record - 1].at(field - 1);
    }
    // The same text without a reference to the record's bytes, for reading many cells; valid
    // until the record changes.
    QByteArrayView cellView(int field, int record) const
    {
        return mRecords[record - 1].view(field - 1);
    }
    void setCell(int field, int record, const QByteArray &value)
    {
        mRecords[record - 1].replace(field - 1, value);
    }
    const Record &recordAt(int record) const { return mRecords[record - 1]; }
    Record &recordAt(int record) { return mRecords[record - 1]; }
    const QVector<Record> &records() const { return mRecords; }

    const QByteArray &fieldName(int field) const { return mFieldNames[field - 1]; }
    void setFieldName(int field, const QByteArray &name) { mFieldNames[field - 1] = name; }

    // Whole-row and whole-column moves; nothing is copied cell by cell. A new row is empty and
    // shown, a new column empty with the given pixel width. Types and popup lists stay with
    // their positions: the operations that move definitions say so themselves.
    void insertRecord(int before, Record record = {});
    Record takeRecord(int record);
    void moveRecord(int from, int to);
    void insertField(int before, const QByteArray &name, int pixelWidth);
    void removeField(int field);
    void moveField(int from, int to);

    // Row visibility (the record filter) -----------------------------------------------------
    bool isHidden(int record) const { return mHidden[record - 1]; }
    void setHidden(int record, bool hidden) { mHidden[record - 1] = hidden; }
    int rowHeight(int record) const { return isHidden(record) ? 0 : ShownRowHeight; }
    void showAllRecords();

    // Field widths ----------------------------------------------------------------------------
    int columnWidth(int field) const { return mColumnWidths[field - 1]; }
    void setColumnWidth(int field, int pixels) { mColumnWidths[field - 1] = pixels; }
    int widthUnits(int field) const
    {
        return kribed::pixelsToUnits(columnWidth(field), mWidthScale);
    }
    double widthScale() const { return mWidthScale; }
    void setWidthScale(double scale) { mWidthScale = scale; }
    int unitsToPixels(int units) const { return kribed::unitsToPixels(units, mWidthScale); }
    int pixelsToUnits(int pixels) const { return kribed::pixelsToUnits(pixels, mWidthScale); }

    // Per-position tables (fields 1..50) ------------------------------------------------------
    int fieldType(int field) const { return mFieldTypes[field - 1]; }
    void setFieldType(int field, int typeIndex) { mFieldTypes[field - 1] = typeIndex; }
    QList<QByteArray> &popupList(int field) { return mPopupLists[field - 1]; }
    const QList<QByteArray> &popupList(int field) const { return mPopupLists[field - 1]; }
    void clearPopupLists();

    // The application-info image and the bytes after it ----------------------------------------
    AppInfo &appInfoImage() { return mAppInfo; }
    const AppInfo &appInfoImage() const { return mAppInfo; }
    // Resets the image, empties the extras and sets the increment amount to 1.
    void resetAppInfo();
    // The data read after the app-info block and the extras' place within it.
    void setDataAfter(const QByteArray &data, int extrasStart, int extrasLength);
    QByteArray extras() const;
    int extrasLength() const { return mExtrasLength; }

    // Database-level values --------------------------------------------------------------------
    // The settings of the database as a whole, together; the accessors below reach one each.
    const DatabaseSettings &settings() const { return mSettings; }
    void setSettings(const DatabaseSettings &settings) { mSettings = settings; }
    const QByteArray &name() const { return mSettings.name; }
    void setName(const QByteArray &name) { mSettings.name = name; }
    const QString &filePath() const { return mFilePath; }
    void setFilePath(const QString &path) { mFilePath = path; }
    const QDateTime &modificationTime() const { return mModificationTime; }
    void setModificationTime(const QDateTime &time) { mModificationTime = time; }
    DatabaseFlags &flags() { return mSettings.flags; }
    const DatabaseFlags &flags() const { return mSettings.flags; }
    const QByteArray &filterText() const { return mSettings.filterText; }
    void setFilterText(const QByteArray &text) { mSettings.filterText = text; }
    int filterField() const { return mSettings.filterField; }
    void setFilterField(int field) { mSettings.filterField = field; }
    bool filterOn() const { return mSettings.filterOn; }
    void setFilterOn(bool on) { mSettings.filterOn = on; }
    int secondarySortField() const { return mSettings.secondarySort; }
    void setSecondarySortField(int field) { mSettings.secondarySort = field; }
    int tertiarySortField() const { return mSettings.tertiarySort; }
    void setTertiarySortField(int field) { mSettings.tertiarySort = field; }
    int incrementAmount() const { return mSettings.increment; }
    void setIncrementAmount(int amount) { mSettings.increment = amount; }
    // True when the loaded file was in the Kribo 3 layout and was converted on reading; the reader
    // sets it, a reset clears it.
    bool convertedFromKribo3() const { return mConvertedFromKribo3; }
    void setConvertedFromKribo3(bool converted) { mConvertedFromKribo3 = converted; }

    // The modified flag -----------------------------------------------------------------------
    void setModified() { mModified = true; }
    void clearModified() { mModified = false; }
    bool isModified() const { return mModified; }

private:
    QVector<Record> mRecords;
    QVector<char> mHidden;
    QVector<QByteArray> mFieldNames;
    QVector<int> mColumnWidths;
    double mWidthScale = 1.5;

    std::array<int, MaxFields> mFieldTypes{};
    std::array<QList<QByteArray>, MaxFields> mPopupLists;
    AppInfo mAppInfo;
    QByteArray mDataAfter;
    int mExtrasStart = 0;
    int mExtrasLength = 0;

    DatabaseSettings mSettings;
    QString mFilePath;
    QDateTime mModificationTime;
    bool mConvertedFromKribo3 = false;
    bool mModified = false;
};

} // namespace kribed
