// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/value_counts.h"
#include "core/model/regional.h"

#include <QAbstractListModel>
#include <QSet>

namespace kribed {

// The values of a field's list with their counts, each ticked or not. A search narrows the rows
// shown; a value hidden by it keeps its tick. Texts are made only for the rows a view asks for,
// so a list of thousands of values is ready at once.
class ValueCheckModel : public QAbstractListModel
{
    Q_OBJECT

public:
    static constexpr int BytesRole = Qt::UserRole;

    explicit ValueCheckModel(QObject *parent = nullptr);

    // The values in their order; those in `ticked` are ticked, or every one when `allTicked`.
    // A Boolean field's "1" and "0" read as the words its check box means.
    void reset(const QVector<ValueCount> &counts, const Regional &regional, bool allTicked,
               const QSet<QByteArray> &ticked, bool booleanField = false);
    // Shows only the rows whose text holds `text` (any case); an empty text shows every row.
    void narrow(const QString &text);
    // Ticks or clears every shown row.
    void tickShown(bool on);
    bool allShownTicked() const;
    bool allTicked() const;
    // The ticked values, hidden or not, in the list's order.
    QVector<QByteArray> tickedValues() const;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    QString textOf(int value) const;

    QVector<ValueCount> mCounts;
    QVector<char> mTicked;
    // The values shown, as places in mCounts.
    QVector<int> mShown;
    Regional mRegional;
    QString mEmpty;
    QString mWithCount;
    QString mChecked;   // "1" of a Boolean field; empty for other fields
    QString mUnchecked; // "0" of a Boolean field
};

} // namespace kribed
