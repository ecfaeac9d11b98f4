// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QAbstractTableModel>

#include <functional>

class QDateTime;

namespace kribed {

class Database;
class DatabaseDocument;
class Regional;

// Where a grid's typed texts go (the document of the open database): without one, the grid only
// shows its database.
class GridEditSink
{
public:
    // A value typed into a cell, in the database's code page. Returns whether anything changed.
    virtual bool storeTypedText(int field, int record, const QByteArray &value,
                                const QDateTime &now) = 0;

protected:
    ~GridEditSink() = default;
};

// A grid's view of a database: model column c is field c + 1, model row r is record r + 1; the
// horizontal header holds the field names, the vertical header the record numbers. Any database
// can be shown (the open one, a backup, another file) with the regional rules it is read by.
// Cells are shown and edited through the display code page of those rules; a
// character the code page cannot hold is stored as '?'. The shown text of a cell (DisplayRole) is
// at most the start a file stores (4000 bytes there); editing (EditRole) gets the whole text. Screen readers get the
// field name with each cell's text, "Record n" as its description and as the row header.
//
// Numbers, dates and times are aligned right. A Boolean cell holding "1" or "0" is a check box
// (said as checked or not checked). A cell whose text does not read as its field's type in the
// regional rules is marked: the reason is its tool tip and part of its description.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Role {
        // The field's type index (field_type.h).
        FieldTypeRole = Qt::UserRole + 1,
        // Whether the text does not read as a value of the field's type.
        UnreadableRole,
    };

    // Shows `database` read by `regional`, both kept by reference and followed as they change
    // (the owner signals the changes); typed texts go to `edits`, and without it no cell can be
    // edited.
    GridModel(const Database &database, const Regional &regional, GridEditSink *edits = nullptr,
              QObject *parent = nullptr);

    // Called with each text typed into a cell before it is stored (the window warns there of
    // characters the code page cannot hold).
    void setTypedTextCheck(std::function<void(const QString &)> check)
    {
        mTypedTextCheck = std::move(check);
    }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override { return Qt::IgnoreAction; }

    // Tool tips of the field-name headers; without a source headers have none.
    using HintSource = std::function<QString(int field)>;
    void setHeaderHintSource(HintSource source) { mHintSource = std::move(source); }

Q_SIGNALS:
    // A cell was changed by typing into it in the grid (not by a command); its record has been
    // stamped before the text was stored.
    void cellEdited(int field, int record);

private:
    friend class DatabaseDocument;
    friend class DocumentDoor;

    const Database &database() const { return mDatabase; }
    // What a screen reader says for a field's header cell and for a cell.
    QString spokenFieldName(int field) const;
    QString spokenCell(const QModelIndex &index) const;
    // Why the cell's text does not read as its field's type; empty when it does.
    QString unreadableReason(int field, int record) const;

    const Database &mDatabase;
    const Regional &mRegional;
    GridEditSink *mEdits;
    HintSource mHintSource;
    std::function<void(const QString &)> mTypedTextCheck;
};

} // namespace kribed
