// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QAbstractTableModel>

#include <functional>

namespace kribed {

class Database;
class DatabaseDocument;

// The grid's view of the open database: model column c is field c + 1, model row r is record
// r + 1; the horizontal header holds the field names, the vertical header the record numbers.
// Cells are shown and edited through the display code page of the current regional rules; a
// character the code page cannot hold is stored as '?'. The shown text of a cell (DisplayRole) is
// at most the start a file stores (4000 bytes there); editing (EditRole) gets the whole text. Screen readers get the
// field name with each cell's text, "Record n" as its description and as the row header.
class GridModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit GridModel(DatabaseDocument &document, QObject *parent = nullptr);

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

    const Database &database() const;
    // What a screen reader says for a field's header cell and for a cell.
    QString spokenFieldName(int field) const;
    QString spokenCell(const QModelIndex &index) const;

    DatabaseDocument &mDocument;
    HintSource mHintSource;
    std::function<void(const QString &)> mTypedTextCheck;
};

} // namespace kribed
