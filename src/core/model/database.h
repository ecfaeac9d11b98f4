// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/app_info.h"
#include "core/model/limits.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVector>

#include <array>

namespace kribed {

// The record number shown in the grid's column 0: "%.4d".
QString RecordNumberText(int record);

// Width conversions: units x scale rounded half to even, and the smallest units that reach a
// pixel width.
int UnitsToPixels(int units, double widthScale);
int PixelsToUnits(int pixels, double widthScale);

struct DatabaseFlags
{
    bool isPrivate = false;
    bool autoLock = false;
    bool readOnly = false;
    bool kriboFilter = false;
};

// The one open database. Fields are numbered 1..m and records 1..n as in the grid; column 0 (the
// record numbers) and row 0 (the field names) are not cells here. Every value is the bytes of the
// file; no code page is applied. The type table and the popup lists belong to the field positions
// 1..50 and live for the whole run.
class Database
{
public:
    using Record = QVector<QByteArray>;

    Database();

    // Shape ------------------------------------------------------------------------------------
    int FieldCount() const { return int(mFieldNames.size()); }
    int RecordCount() const { return int(mRecords.size()); }
    // Makes m fields and n records, every cell and name empty, every row shown; the widths of
    // fields kept where they exist.
    void SetShape(int fields, int records);

    const QByteArray &Cell(int field, int record) const { return mRecords[record - 1][field - 1]; }
    void SetCell(int field, int record, const QByteArray &value)
    {
        mRecords[record - 1][field - 1] = value;
    }
    const Record &RecordAt(int record) const { return mRecords[record - 1]; }
    Record &RecordAt(int record) { return mRecords[record - 1]; }
    const QVector<Record> &Records() const { return mRecords; }

    const QByteArray &FieldName(int field) const { return mFieldNames[field - 1]; }
    void SetFieldName(int field, const QByteArray &name) { mFieldNames[field - 1] = name; }

    // Whole-row and whole-column moves; nothing is copied cell by cell. A new row is empty and
    // shown, a new column empty with the given pixel width. Types and popup lists stay with
    // their positions: the operations that move definitions say so themselves.
    void InsertRecord(int before, Record record = {});
    Record TakeRecord(int record);
    void MoveRecord(int from, int to);
    void InsertField(int before, const QByteArray &name, int pixelWidth);
    void RemoveField(int field);
    void MoveField(int from, int to);

    // Row visibility (the record filter) -----------------------------------------------------
    bool IsHidden(int record) const { return mHidden[record - 1]; }
    void SetHidden(int record, bool hidden) { mHidden[record - 1] = hidden; }
    int RowHeight(int record) const { return IsHidden(record) ? 0 : ShownRowHeight; }
    void ShowAllRecords();

    // Field widths ----------------------------------------------------------------------------
    int ColumnWidth(int field) const { return mColumnWidths[field - 1]; }
    void SetColumnWidth(int field, int pixels) { mColumnWidths[field - 1] = pixels; }
    int WidthUnits(int field) const { return kribed::PixelsToUnits(ColumnWidth(field), mWidthScale); }
    double WidthScale() const { return mWidthScale; }
    void SetWidthScale(double scale) { mWidthScale = scale; }
    int UnitsToPixels(int units) const { return kribed::UnitsToPixels(units, mWidthScale); }
    int PixelsToUnits(int pixels) const { return kribed::PixelsToUnits(pixels, mWidthScale); }

    // Per-position tables (fields 1..50) ------------------------------------------------------
    int FieldType(int field) const { return mFieldTypes[field - 1]; }
    void SetFieldType(int field, int typeIndex) { mFieldTypes[field - 1] = typeIndex; }
    QList<QByteArray> &PopupList(int field) { return mPopupLists[field - 1]; }
    const QList<QByteArray> &PopupList(int field) const { return mPopupLists[field - 1]; }
    void ClearPopupLists();

    // The application-info image and the bytes after it ----------------------------------------
    AppInfo &AppInfoImage() { return mAppInfo; }
    const AppInfo &AppInfoImage() const { return mAppInfo; }
    // Resets the image, empties the extras and sets the increment amount to 1.
    void ResetAppInfo();
    // The data read after the app-info block and the extras' place within it.
    void SetDataAfter(const QByteArray &data, int extrasStart, int extrasLength);
    QByteArray Extras() const;
    int ExtrasLength() const { return mExtrasLength; }

    // Database-level values --------------------------------------------------------------------
    const QByteArray &Name() const { return mName; }
    void SetName(const QByteArray &name) { mName = name; }
    const QString &FilePath() const { return mFilePath; }
    void SetFilePath(const QString &path) { mFilePath = path; }
    const QDateTime &ModificationTime() const { return mModificationTime; }
    void SetModificationTime(const QDateTime &time) { mModificationTime = time; }
    DatabaseFlags &Flags() { return mFlags; }
    const DatabaseFlags &Flags() const { return mFlags; }
    const QByteArray &FilterText() const { return mFilterText; }
    void SetFilterText(const QByteArray &text) { mFilterText = text; }
    int FilterField() const { return mFilterField; }
    void SetFilterField(int field) { mFilterField = field; }
    bool FilterOn() const { return mFilterOn; }
    void SetFilterOn(bool on) { mFilterOn = on; }
    int SecondarySortField() const { return mSecondarySort; }
    void SetSecondarySortField(int field) { mSecondarySort = field; }
    int TertiarySortField() const { return mTertiarySort; }
    void SetTertiarySortField(int field) { mTertiarySort = field; }
    int IncrementAmount() const { return mIncrement; }
    void SetIncrementAmount(int amount) { mIncrement = amount; }
    // True when the loaded file was in the Kribo 3 layout and was converted on reading; the reader
    // sets it, a reset clears it.
    bool ConvertedFromKribo3() const { return mConvertedFromKribo3; }
    void SetConvertedFromKribo3(bool converted) { mConvertedFromKribo3 = converted; }

    // The modified flag -----------------------------------------------------------------------
    void SetModified() { mModified = true; }
    void ClearModified() { mModified = false; }
    bool IsModified() const { return mModified; }

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

    QByteArray mName;
    QString mFilePath;
    QDateTime mModificationTime;
    DatabaseFlags mFlags;
    QByteArray mFilterText;
    int mFilterField = 0;
    bool mFilterOn = false;
    int mSecondarySort = 0;
    int mTertiarySort = 0;
    int mIncrement = 1;
    bool mConvertedFromKribo3 = false;
    bool mModified = false;
};

} // namespace kribed
