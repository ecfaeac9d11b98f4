// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/profile_panel.h"

#include "core/editing/chart_data.h"
#include "core/model/regional.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace kribed {

namespace {

QString numberText(long double value, const Regional &regional)
{
    return regional.toText(regional.numberText(value));
}

// The figures of the field's kind, one per line.
QStringList kindLines(const FieldProfile &profile, const Regional &regional)
{
    const FieldStatistics &statistics = profile.statistics;
    QStringList lines;
    switch (statistics.kind) {
    case FieldKind::Text: break;
    case FieldKind::Boolean:
        lines << ProfilePanel::tr("Checked: %1, unchecked: %2")
                     .arg(statistics.checked)
                     .arg(statistics.unchecked);
        break;
    case FieldKind::Number:
        if (profile.minimum && profile.maximum) {
            lines << ProfilePanel::tr("Minimum: %1, maximum: %2")
                         .arg(numberText(*profile.minimum, regional),
                              numberText(*profile.maximum, regional));
            lines << ProfilePanel::tr("Total: %1, average: %2")
                         .arg(numberText(statistics.numberTotals.total, regional),
                              numberText(statistics.numberTotals.average(), regional));
        }
        break;
    case FieldKind::Date:
        if (statistics.readable > 0)
            lines << ProfilePanel::tr("Earliest: %1, latest: %2")
                         .arg(regional.toText(regional.dateText(statistics.earliestDate)),
                              regional.toText(regional.dateText(statistics.latestDate)));
        break;
    case FieldKind::Time:
        if (statistics.readable > 0)
            lines << ProfilePanel::tr("Earliest: %1, latest: %2")
                         .arg(regional.toText(regional.timeText(statistics.earliestTime)),
                              regional.toText(regional.timeText(statistics.latestTime)));
        break;
    }
    return lines;
}

} // namespace

ProfilePanel::ProfilePanel(QWidget *parent)
    : QWidget(parent)
    , mFigures(new QLabel(this))
    , mSearch(new QLineEdit(this))
    , mValues(new QTableWidget(0, 2, this))
{
    setObjectName(QStringLiteral("profilePanel"));
    setWindowTitle(tr("Field profile"));
    mFigures->setObjectName(QStringLiteral("profileFigures"));
    mFigures->setWordWrap(true);
    mFigures->setTextInteractionFlags(Qt::TextSelectableByMouse);
    mSearch->setObjectName(QStringLiteral("profileSearch"));
    mSearch->setPlaceholderText(tr("Search values"));
    mSearch->setClearButtonEnabled(true);
    mValues->setObjectName(QStringLiteral("profileValues"));
    mValues->setHorizontalHeaderLabels({tr("Value"), tr("Count")});
    mValues->setEditTriggers(QAbstractItemView::NoEditTriggers);
    mValues->setSelectionBehavior(QAbstractItemView::SelectRows);
    mValues->verticalHeader()->hide();
    mValues->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    mValues->setToolTip(tr("Double-click a value to filter the records by it."));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mFigures);
    layout->addWidget(mSearch);
    layout->addWidget(mValues, 1);
    connect(mSearch, &QLineEdit::textChanged, this, &ProfilePanel::showValues);
    // A double-click or Return on a row.
    connect(mValues, &QTableWidget::itemActivated, this, [this](QTableWidgetItem *activated) {
        if (const QTableWidgetItem *item = mValues->item(activated->row(), 0))
            Q_EMIT valueChosen(mCounts.value(item->data(Qt::UserRole).toInt()).text);
    });
}

void ProfilePanel::showProfile(const QString &fieldName, const FieldProfile &profile,
                               const Regional &regional)
{
    QStringList lines{QStringLiteral("<b>%1</b>").arg(fieldName.toHtmlEscaped())};
    lines << tr("Filled: %1, empty: %2, distinct values: %3")
                 .arg(profile.statistics.filled)
                 .arg(profile.empty)
                 .arg(profile.distinct);
    lines << kindLines(profile, regional);
    if (profile.unreadable > 0) {
        QStringList examples;
        for (const ValueCount &value : profile.unreadableValues.mid(0, 5))
            examples << shortLabel(regional.toText(value.text), 20);
        lines << tr("Not of the field's type: %1 (%2)")
                     .arg(profile.unreadable)
                     .arg(examples.join(QStringLiteral(", ")).toHtmlEscaped());
    }
    mFigures->setText(lines.join(QStringLiteral("<br>")));
    mCounts = profile.mostFrequent;
    mTexts.clear();
    for (const ValueCount &value : std::as_const(mCounts))
        mTexts << (value.text.isEmpty() ? tr("(empty)") : regional.toText(value.text));
    showValues();
}

void ProfilePanel::clear()
{
    mFigures->clear();
    mCounts.clear();
    mTexts.clear();
    showValues();
}

QString ProfilePanel::figuresText() const
{
    return mFigures->text();
}

void ProfilePanel::showValues()
{
    const QString search = mSearch->text();
    mValues->setRowCount(0);
    for (int i = 0; i < mCounts.size(); ++i) {
        if (!search.isEmpty() && !mTexts[i].contains(search, Qt::CaseInsensitive))
            continue;
        const int row = mValues->rowCount();
        mValues->insertRow(row);
        auto *text = new QTableWidgetItem(shortLabel(mTexts[i], 80));
        text->setData(Qt::UserRole, i);
        text->setToolTip(mTexts[i].left(4000));
        mValues->setItem(row, 0, text);
        mValues->setItem(row, 1, new QTableWidgetItem(QString::number(mCounts[i].count)));
    }
}

} // namespace kribed
