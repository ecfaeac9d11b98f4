// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/grid_model.h"
#include "gui/grid/grid_places.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/model/stored_value.h"
#include "core/model/typed_reading.h"
#include "core/platform/code_page.h"

#include <QDateTime>

#include <algorithm>

namespace kribed {

GridModel::GridModel(const Database &database, const Regional &regional, GridEditSink *edits,
                     QObject *parent)
    : QAbstractTableModel(parent)
    , mDatabase(database)
    , mRegional(regional)
    , mEdits(edits)
{
}

int GridModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : database().recordCount();
}

int GridModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : database().fieldCount();
}

QVariant GridModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid))
        return {};
    const int field = fieldOf(index);
    const int record = recordOf(index);
    switch (role) {
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(Qt::Alignment(
            (isRightAlignedType(database().fieldType(field)) ? Qt::AlignRight : Qt::AlignLeft)
            | Qt::AlignTop));
    case FieldTypeRole: return database().fieldType(field);
    case UnreadableRole:
        return !readsAsFieldType(database().cellView(field, record), database().fieldType(field),
                                 mRegional);
    case Qt::ToolTipRole: {
        const QString reason = unreadableReason(field, record);
        return reason.isEmpty() ? QVariant() : QVariant(reason);
    }
    case Qt::AccessibleTextRole: return spokenCell(index);
    case Qt::AccessibleDescriptionRole: {
        const QString reason = unreadableReason(field, record);
        const QString place = tr("Record %1").arg(record);
        return reason.isEmpty() ? place : tr("%1. %2").arg(place, reason);
    }
    default: break;
    }
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QByteArray &cell = database().cell(field, record);
    if (role == Qt::EditRole)
        return mRegional.toText(cell);
    // Drawn from its start: no cell shows more than the longest value a file holds (as the file
    // stores it), so a longer one never makes painting slow.
    QString text = mRegional.toText(QByteArrayView(cell).first(storedPrefixLength(cell)));
    // Shown on several lines where the text breaks its lines (CR LF in cells).
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

bool GridModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!mEdits || role != Qt::EditRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
        return false;
    const int field = fieldOf(index);
    const int record = recordOf(index);
    // An edit that leaves the shown text as it was keeps the cell's bytes, even those the code
    // page cannot show faithfully.
    const QString text = value.toString();
    if (text == mRegional.toText(database().cell(field, record)))
        return true;
    if (mTypedTextCheck)
        mTypedTextCheck(text);
    const QByteArray bytes = encodeOrQuestionMark(text, mRegional.codePage());
    if (mEdits->storeTypedText(field, record, bytes, QDateTime::currentDateTime()))
        Q_EMIT cellEdited(field, record);
    return true;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical) {
        if (section < 0 || section >= database().recordCount())
            return {};
        if (role == Qt::DisplayRole)
            return recordNumberText(recordOfRow(section));
        if (role == Qt::AccessibleTextRole)
            return tr("Record %1").arg(recordOfRow(section));
        return {};
    }
    if (section < 0 || section >= database().fieldCount())
        return {};
    if (role == Qt::DisplayRole)
        return mRegional.toText(database().fieldName(fieldOfColumn(section)));
    if (role == Qt::AccessibleTextRole)
        return spokenFieldName(fieldOfColumn(section));
    if (role == Qt::ToolTipRole && mHintSource) {
        // Hint texts break their lines with '\r'.
        QString hint = mHintSource(fieldOfColumn(section));
        hint.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        hint.replace(u'\r', u'\n');
        return hint;
    }
    return {};
}

QString GridModel::spokenFieldName(int field) const
{
    const QString name = mRegional.toText(database().fieldName(field));
    // A field without a name is still told from its neighbours.
    return name.trimmed().isEmpty() ? tr("Column %1").arg(field) : name;
}

QString GridModel::spokenCell(const QModelIndex &index) const
{
    // A screen reader says the field with the text, so the user knows which column the cell is
    // in without going up to the header; an empty cell is said to be empty, not skipped.
    const QString text = data(index, Qt::DisplayRole).toString();
    const QString field = spokenFieldName(fieldOf(index));
    // A Boolean drawn as a check box is said as one.
    if (database().fieldType(fieldOf(index)) == BooleanType && (text == u"1" || text == u"0"))
        return tr("%1: %2").arg(field, text == u"1" ? tr("checked") : tr("not checked"));
    return text.isEmpty() ? tr("%1: empty").arg(field) : tr("%1: %2").arg(field, text);
}

QString GridModel::unreadableReason(int field, int record) const
{
    const int type = database().fieldType(field);
    if (readsAsFieldType(database().cellView(field, record), type, mRegional))
        return {};
    if (type == BooleanType)
        return tr("Not a Boolean value: a Boolean field holds 1 (checked) or 0 (not checked).");
    if (isDateType(type))
        return tr("Does not read as a date in the regional formats of this database (%1).")
            .arg(mRegional.shortDateFormat());
    if (isTimeType(type))
        return tr("Does not read as a time in the regional formats of this database (%1).")
            .arg(mRegional.longTimeFormat());
    return tr("Does not read as a number in the regional formats of this database (decimal "
              "separator %1).")
        .arg(QChar::fromLatin1(mRegional.decimalSeparator()));
}

Qt::ItemFlags GridModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    // A record the filter hides can be neither typed into nor reached by typing its first
    // letters.
    if (index.row() < database().recordCount() && database().isHidden(recordOf(index)))
        return Qt::NoItemFlags;
    const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    return mEdits ? shown | Qt::ItemIsEditable : shown;
}

} // namespace kribed
