// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/value_check_model.h"

#include <QCoreApplication>

#include <algorithm>
#include <numeric>

namespace kribed {

ValueCheckModel::ValueCheckModel(QObject *parent)
    : QAbstractListModel(parent)
{
}

void ValueCheckModel::reset(const QVector<ValueCount> &counts, const Regional &regional,
                            bool allTicked, const QSet<QByteArray> &ticked, bool booleanField)
{
    beginResetModel();
    mCounts = counts;
    mRegional = regional;
    // The words are those of the popup, which shows them.
    mEmpty = QCoreApplication::translate("kribed::ColumnFilterPopup", "(empty)");
    mWithCount = QCoreApplication::translate("kribed::ColumnFilterPopup", "%1 (%2)");
    mChecked = booleanField ? QCoreApplication::translate("kribed::ColumnFilterPopup", "Checked")
                            : QString();
    mUnchecked = booleanField
                     ? QCoreApplication::translate("kribed::ColumnFilterPopup", "Unchecked")
                     : QString();
    mTicked.resize(mCounts.size());
    for (qsizetype at = 0; at < mCounts.size(); ++at)
        mTicked[at] = allTicked || ticked.contains(mCounts[at].text) ? 1 : 0;
    mShown.resize(mCounts.size());
    std::iota(mShown.begin(), mShown.end(), 0);
    endResetModel();
}

QString ValueCheckModel::textOf(int value) const
{
    const ValueCount &count = mCounts[value];
    QString text;
    if (count.text.isEmpty())
        text = mEmpty;
    else if (!mChecked.isEmpty() && count.text == "1")
        text = mChecked;
    else if (!mUnchecked.isEmpty() && count.text == "0")
        text = mUnchecked;
    else
        text = mRegional.toText(count.text);
    return mWithCount.arg(text, QString::number(count.count));
}

void ValueCheckModel::narrow(const QString &text)
{
    beginResetModel();
    mShown.clear();
    for (int value = 0; value < mCounts.size(); ++value) {
        if (text.isEmpty() || textOf(value).contains(text, Qt::CaseInsensitive))
            mShown.append(value);
    }
    endResetModel();
}

void ValueCheckModel::tickShown(bool on)
{
    for (const int value : std::as_const(mShown))
        mTicked[value] = on ? 1 : 0;
    if (!mShown.isEmpty())
        Q_EMIT dataChanged(index(0), index(int(mShown.size()) - 1), {Qt::CheckStateRole});
}

bool ValueCheckModel::allShownTicked() const
{
    return std::all_of(mShown.cbegin(), mShown.cend(),
                       [this](int value) { return mTicked[value] != 0; });
}

bool ValueCheckModel::allTicked() const
{
    return !mTicked.contains(0);
}

QVector<QByteArray> ValueCheckModel::tickedValues() const
{
    QVector<QByteArray> values;
    for (qsizetype at = 0; at < mCounts.size(); ++at) {
        if (mTicked[at])
            values << mCounts[at].text;
    }
    return values;
}

int ValueCheckModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mShown.size());
}

QVariant ValueCheckModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= mShown.size())
        return {};
    const int value = mShown[index.row()];
    switch (role) {
    case Qt::DisplayRole: return textOf(value);
    case Qt::CheckStateRole: return mTicked[value] ? Qt::Checked : Qt::Unchecked;
    case BytesRole: return mCounts[value].text;
    default: return {};
    }
}

bool ValueCheckModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= mShown.size())
        return false;
    mTicked[mShown[index.row()]] = value.toInt() == Qt::Checked ? 1 : 0;
    Q_EMIT dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

Qt::ItemFlags ValueCheckModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}

} // namespace kribed
