// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/undo_steps.h"

#include "core/editing/sort.h"
#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/grid_places.h"

#include <algorithm>

namespace kribed {

namespace {

qsizetype textBytes(const QByteArray &text)
{
    return sizeof(QByteArray) + text.size();
}

qsizetype textsBytes(const QVector<QByteArray> &texts)
{
    qsizetype bytes = sizeof(texts);
    for (const QByteArray &text : texts)
        bytes += textBytes(text);
    return bytes;
}

qsizetype textsBytes(const Database::Record &record)
{
    qsizetype bytes = sizeof(record) + record.size() * qsizetype(sizeof(TextSpan));
    for (qsizetype i = 0; i < record.size(); ++i)
        bytes += record.view(i).size() + 1;
    return bytes;
}

} // namespace

// ---------------------------------------------------------------------------------------------

FieldDefinitions FieldDefinitions::of(const Database &database)
{
    FieldDefinitions definitions;
    for (int field = 1; field <= MaxFields; ++field) {
        definitions.types[field - 1] = database.fieldType(field);
        definitions.popupLists[field - 1] = database.popupList(field);
    }
    return definitions;
}

void FieldDefinitions::restore(Database &database) const
{
    for (int field = 1; field <= MaxFields; ++field) {
        database.setFieldType(field, types[field - 1]);
        database.popupList(field) = popupLists[field - 1];
    }
}

qsizetype FieldDefinitions::bytes() const
{
    qsizetype bytes = sizeof(*this);
    for (const QList<QByteArray> &list : popupLists) {
        for (const QByteArray &item : list)
            bytes += textBytes(item);
    }
    return bytes;
}

// ---------------------------------------------------------------------------------------------

CellsStep::CellsStep(QVector<Change> changes)
    : mChanges(std::move(changes))
{
    if (!mChanges.isEmpty())
        place = {mChanges.front().firstField, mChanges.front().record};
}

qsizetype CellsStep::bytes() const
{
    // The changed texts counted in full on both sides, and the place tables of both records,
    // which the step keeps alive once the database's record has moved on.
    qsizetype bytes = sizeof(*this) + mChanges.capacity() * qsizetype(sizeof(Change));
    for (const Change &change : mChanges) {
        bytes += (change.before.size() + change.after.size()) * qsizetype(sizeof(TextSpan));
        for (int field = change.firstField; field <= change.lastField; ++field)
            bytes += change.before.view(field - 1).size() + change.after.view(field - 1).size();
    }
    return bytes;
}

void CellsStep::extend(const CellsStep &later)
{
    for (const Change &change : later.mChanges) {
        const auto same = std::find_if(mChanges.begin(), mChanges.end(), [&](const Change &mine) {
            return mine.record == change.record;
        });
        if (same == mChanges.end()) {
            mChanges.append(change);
            continue;
        }
        same->after = change.after;
        same->firstField = std::min(same->firstField, change.firstField);
        same->lastField = std::max(same->lastField, change.lastField);
    }
}

bool CellsStep::mergeWith(const UndoStep &later)
{
    const auto *cells = dynamic_cast<const CellsStep *>(&later);
    if (!cells || !cells->mFollowUp)
        return false;
    extend(*cells);
    return true;
}

void CellsStep::write(DatabaseDocument &document, bool after)
{
    if (mChanges.isEmpty())
        return;
    int firstField = mChanges.front().firstField, lastField = mChanges.front().lastField;
    int firstRecord = mChanges.front().record, lastRecord = firstRecord;
    for (const Change &change : mChanges) {
        firstField = std::min(firstField, change.firstField);
        lastField = std::max(lastField, change.lastField);
        firstRecord = std::min(firstRecord, change.record);
        lastRecord = std::max(lastRecord, change.record);
    }
    DocumentDoor(document).changeCells(
        firstField, firstRecord, lastField, lastRecord, [&](Database &database) {
            // The database holds exactly the other side of each record here (the record-after
            // contract): the whole record is that side's, byte for byte.
            for (const Change &change : mChanges)
                database.recordAt(change.record) = after ? change.after : change.before;
        });
}

// ---------------------------------------------------------------------------------------------

RecordsStep::RecordsStep(bool inserted, int first, QVector<Database::Record> records,
                         QVector<char> hidden)
    : mInserted(inserted)
    , mFirst(first)
    , mRecords(std::move(records))
    , mHidden(std::move(hidden))
{
    place = {0, first};
}

void RecordsStep::apply(DatabaseDocument &document)
{
    mInserted ? insert(document) : remove(document);
}

void RecordsStep::revert(DatabaseDocument &document)
{
    mInserted ? remove(document) : insert(document);
}

void RecordsStep::insert(DatabaseDocument &document)
{
    DocumentDoor(document).insertRecords(mFirst, int(mRecords.size()), [this](Database &database) {
        for (int i = 0; i < mRecords.size(); ++i) {
            database.insertRecord(mFirst + i, mRecords[i]);
            database.setHidden(mFirst + i, mHidden.value(i) != 0);
        }
    });
}

void RecordsStep::remove(DatabaseDocument &document)
{
    DocumentDoor(document).removeRecords(mFirst, int(mRecords.size()), [this](Database &database) {
        for (int i = 0; i < mRecords.size(); ++i)
            database.takeRecord(mFirst);
    });
}

qsizetype RecordsStep::bytes() const
{
    qsizetype bytes = sizeof(*this) + mHidden.capacity();
    for (const Database::Record &record : mRecords)
        bytes += textsBytes(record);
    return bytes;
}

// ---------------------------------------------------------------------------------------------

FieldStep::FieldStep(bool inserted, int field, Column column, FieldDefinitions before,
                     FieldDefinitions after)
    : mInserted(inserted)
    , mField(field)
    , mColumn(std::move(column))
    , mBefore(std::move(before))
    , mAfter(std::move(after))
{
    place = {field, 0};
}

FieldStep::Column FieldStep::columnOf(const Database &database, int field)
{
    Column column;
    column.name = database.fieldName(field);
    column.width = database.columnWidth(field);
    column.texts.reserve(database.recordCount());
    for (int record = 1; record <= database.recordCount(); ++record)
        column.texts.append(database.cell(field, record));
    return column;
}

void FieldStep::keepUnusedSlot(const AppInfo &image, int position)
{
    if (position < 1 || position > MaxFields)
        return;
    mSlotPosition = position;
    mNameSlot = image.fieldNameSlot(position);
    mWidthSlot = image.widthSlot(position);
}

void FieldStep::apply(DatabaseDocument &document)
{
    mInserted ? insert(document, mAfter) : remove(document, mAfter);
}

void FieldStep::revert(DatabaseDocument &document)
{
    mInserted ? remove(document, mBefore) : insert(document, mBefore);
    if (mInserted && mSlotPosition > 0) {
        DocumentDoor(document).changeUnseen([this](Database &database) {
            AppInfo &image = database.appInfoImage();
            image.setFieldNameSlot(mSlotPosition, mNameSlot);
            image.setWidthSlot(mSlotPosition, mWidthSlot);
        });
    }
}

void FieldStep::insert(DatabaseDocument &document, const FieldDefinitions &definitions)
{
    DocumentDoor(document).insertFields(mField, 1, [&](Database &database) {
        database.insertField(mField, mColumn.name, mColumn.width);
        for (int record = 1; record <= database.recordCount(); ++record)
            database.setCell(mField, record, mColumn.texts.value(record - 1));
        definitions.restore(database);
    });
    if (mFilter.isActive()) {
        ViewState state = document.viewState();
        FieldFilter filter = mFilter;
        filter.field = mField;
        state.columnFilters.set(filter);
        document.changeViewState(state);
    }
}

void FieldStep::remove(DatabaseDocument &document, const FieldDefinitions &definitions)
{
    DocumentDoor(document).removeFields(mField, 1, [&](Database &database) {
        database.removeField(mField);
        definitions.restore(database);
    });
}

qsizetype FieldStep::bytes() const
{
    return sizeof(*this) + textBytes(mColumn.name) + textsBytes(mColumn.texts) + mBefore.bytes()
           + mAfter.bytes() + mNameSlot.size();
}

// ---------------------------------------------------------------------------------------------

RecordOrderStep::RecordOrderStep(QVector<int> oldOfNew)
    : mOldOfNew(std::move(oldOfNew))
{
}

void RecordOrderStep::reorder(DatabaseDocument &document, const QVector<int> &oldOfNew)
{
    DocumentDoor(document).reorderRecords([&oldOfNew](Database &database) {
        // Whole records move; which places are hidden stays as it is.
        QVector<int> order(oldOfNew.size());
        for (int place = 0; place < oldOfNew.size(); ++place)
            order[place] = recordOfRow(oldOfNew[place]);
        placeRecords(database, order);
        return oldOfNew;
    });
}

void RecordOrderStep::revert(DatabaseDocument &document)
{
    QVector<int> newOfOld(mOldOfNew.size());
    for (int place = 0; place < mOldOfNew.size(); ++place)
        newOfOld[mOldOfNew[place]] = place;
    reorder(document, newOfOld);
}

qsizetype RecordOrderStep::bytes() const
{
    return sizeof(*this) + mOldOfNew.capacity() * qsizetype(sizeof(int));
}

// ---------------------------------------------------------------------------------------------

RecordMoveStep::RecordMoveStep(int from, int to)
    : mFrom(from)
    , mTo(to)
{
    place = {0, to};
}

void RecordMoveStep::apply(DatabaseDocument &document)
{
    DocumentDoor(document).moveRecord(mFrom, mTo);
    place.record = mTo;
}

void RecordMoveStep::revert(DatabaseDocument &document)
{
    DocumentDoor(document).moveRecord(mTo, mFrom);
    place.record = mFrom;
}

// ---------------------------------------------------------------------------------------------

FieldMoveStep::FieldMoveStep(int from, int to, FieldDefinitions before, FieldDefinitions after)
    : mFrom(from)
    , mTo(to)
    , mBefore(std::move(before))
    , mAfter(std::move(after))
{
    place = {to, 0};
}

void FieldMoveStep::apply(DatabaseDocument &document)
{
    DocumentDoor(document).moveField(mFrom, mTo);
    DocumentDoor(document).changeUnseen([this](Database &database) { mAfter.restore(database); });
    place.field = mTo;
}

void FieldMoveStep::revert(DatabaseDocument &document)
{
    DocumentDoor(document).moveField(mTo, mFrom);
    DocumentDoor(document).changeUnseen([this](Database &database) { mBefore.restore(database); });
    place.field = mFrom;
}

qsizetype FieldMoveStep::bytes() const
{
    return sizeof(*this) + mBefore.bytes() + mAfter.bytes();
}

// ---------------------------------------------------------------------------------------------

WidthsStep::WidthsStep(QVector<int> before, QVector<int> after, bool marksChanged)
    : mBefore(std::move(before))
    , mAfter(std::move(after))
    , mMarksChanged(marksChanged)
{
}

void WidthsStep::apply(DatabaseDocument &document)
{
    document.setColumnWidths(mAfter);
}

void WidthsStep::revert(DatabaseDocument &document)
{
    document.setColumnWidths(mBefore);
}

QVector<int> WidthsStep::widthsOf(const Database &database)
{
    QVector<int> widths;
    widths.reserve(database.fieldCount());
    for (int field = 1; field <= database.fieldCount(); ++field)
        widths.append(database.columnWidth(field));
    return widths;
}

qsizetype WidthsStep::bytes() const
{
    return sizeof(*this) + (mBefore.capacity() + mAfter.capacity()) * qsizetype(sizeof(int));
}

// ---------------------------------------------------------------------------------------------

SettingsSnapshot SettingsSnapshot::of(const Database &database)
{
    SettingsSnapshot snapshot;
    snapshot.settings = database.settings();
    for (int field = 1; field <= database.fieldCount(); ++field)
        snapshot.fieldNames.append(database.fieldName(field));
    snapshot.widths = WidthsStep::widthsOf(database);
    for (int record = 1; record <= database.recordCount(); ++record)
        snapshot.hidden.append(database.isHidden(record) ? 1 : 0);
    snapshot.definitions = FieldDefinitions::of(database);
    return snapshot;
}

void SettingsSnapshot::restore(Database &database) const
{
    database.setSettings(settings);
    for (int field = 1; field <= database.fieldCount() && field <= fieldNames.size(); ++field) {
        database.setFieldName(field, fieldNames[field - 1]);
        database.setColumnWidth(field, widths.value(field - 1, database.columnWidth(field)));
    }
    for (int record = 1; record <= database.recordCount() && record <= hidden.size(); ++record)
        database.setHidden(record, hidden[record - 1] != 0);
    definitions.restore(database);
}

qsizetype SettingsSnapshot::bytes() const
{
    return settings.bytes() + qsizetype(sizeof(*this) - sizeof(settings)) + textsBytes(fieldNames)
           + widths.capacity() * qsizetype(sizeof(int)) + hidden.capacity() + definitions.bytes();
}

bool SettingsSnapshot::operator==(const SettingsSnapshot &other) const
{
    return settings == other.settings && fieldNames == other.fieldNames && widths == other.widths
           && hidden == other.hidden && definitions == other.definitions;
}

SettingsStep::SettingsStep(SettingsSnapshot before, SettingsSnapshot after, bool marksChanged)
    : mBefore(std::move(before))
    , mAfter(std::move(after))
    , mMarksChanged(marksChanged)
{
}

void SettingsStep::keepColumnFilters(ColumnFilters before, ColumnFilters after)
{
    mFiltersBefore = std::move(before);
    mFiltersAfter = std::move(after);
}

void SettingsStep::write(DatabaseDocument &document, const SettingsSnapshot &settings,
                         const ColumnFilters &filters)
{
    DocumentDoor(document).changeSettings(
        [&settings](Database &database) { settings.restore(database); });
    if (mFiltersBefore == mFiltersAfter)
        return;
    ViewState state = document.viewState();
    state.columnFilters = filters;
    document.changeViewState(state);
}

qsizetype SettingsStep::bytes() const
{
    return sizeof(*this) + mBefore.bytes() + mAfter.bytes();
}

} // namespace kribed
