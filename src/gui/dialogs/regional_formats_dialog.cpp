// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/regional_formats_dialog.h"

#include "core/editing/formats_check.h"
#include "core/model/database.h"
#include "core/model/regional.h"
#include "core/platform/translations.h"
#include "gui/dialogs/display_font.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <optional>

namespace kribed {

namespace {

constexpr int LocaleRole = Qt::UserRole;
// A number with a fraction and four whole digits shows both separators a locale might use.
constexpr long double SampleNumber = 1234.5L;

// The column title of a cell the lines read: the field's name and the cell's text.
QString cellTitle(const Database &database, const FormatCell &cell, const Regional &regional)
{
    return QStringLiteral("%1 \"%2\"")
        .arg(regional.toText(database.fieldName(cell.field)),
             regional.toText(database.cell(cell.field, cell.record)).trimmed());
}

QStringList sampleLine(const QString &caption, const Regional &regional, const Database &database,
                       const QList<FormatCell> &cells)
{
    // The samples are shown, never stored: in the locale's own characters, whether the code page
    // holds them or not ("9時07分26秒").
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale &locale = regional.locale();
    QStringList line = {caption, QString::fromLatin1(regional.numberText(SampleNumber)),
                        locale.toString(now.date(), regional.shortDateFormat()),
                        locale.toString(now.time(), regional.longTimeFormat())};
    const QLocale language(interfaceLanguage());
    for (const FormatCell &cell : cells) {
        const std::optional<QString> reading = cellReading(database, cell, regional, language);
        line << (reading                           ? *reading
                 : cell.kind == FormatKind::Number ? RegionalFormatsDialog::tr("not a number")
                                                   : RegionalFormatsDialog::tr("not a date"));
    }
    return line;
}

} // namespace

RegionalFormatsDialog::RegionalFormatsDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("regionalFormatsDialog"));
    setWindowTitle(tr("Regional formats"));
    auto *layout = new QVBoxLayout(this);
    auto *label = new QLabel(tr("&Read the numbers, dates and times of this database as:"), this);
    layout->addWidget(label);
    mList = new QTreeWidget(this);
    mList->setObjectName(QStringLiteral("formatsList"));
    mList->setRootIsDecorated(false);
    mList->setAllColumnsShowFocus(true);
    mList->setUniformRowHeights(true);
    label->setBuddy(mList);
    // A list takes no name from its buddy label: screen readers need one of its own.
    mList->setAccessibleName(tr("Read the numbers, dates and times of this database as"));
    layout->addWidget(mList);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mList, &QTreeWidget::itemActivated, this, &QDialog::accept);
    resize(760, 440);
}

void RegionalFormatsDialog::prepare(const Database &database, const Regional &desktop,
                                    const FormatsChoice &current)
{
    QList<FormatCell> cells;
    QStringList titles = {tr("Formats"), tr("Number"), tr("Date"), tr("Time")};
    for (const FormatKind kind : {FormatKind::Number, FormatKind::Date}) {
        if (const std::optional<FormatCell> cell = firstCellOfKind(database, kind)) {
            cells << *cell;
            titles << cellTitle(database, *cell, desktop);
        }
    }
    mList->clear();
    mList->setColumnCount(int(titles.size()));
    mList->setHeaderLabels(titles);

    auto *desktopLine = new QTreeWidgetItem(
        mList, sampleLine(tr("The desktop's formats (%1)").arg(desktop.locale().name()), desktop,
                          database, cells));
    desktopLine->setData(0, LocaleRole, QString());
    for (const QLocale &locale : offeredFormatLocales()) {
        const Regional regional(locale, desktop.codePage());
        auto *line = new QTreeWidgetItem(
            mList,
            sampleLine(QStringLiteral("%1 \u2013 %2").arg(formatsName(locale), locale.name()),
                       regional, database, cells));
        line->setData(0, LocaleRole, locale.name());
    }
    for (int column = 0; column < mList->columnCount(); ++column)
        mList->resizeColumnToContents(column);
    select(current);
    mList->setFocus();
}

void RegionalFormatsDialog::setDisplayFont(const QFont &font)
{
    giveDisplayFont(font, {mList->header()});
}

FormatsChoice RegionalFormatsDialog::choice() const
{
    const QTreeWidgetItem *line = mList->currentItem();
    return {line ? line->data(0, LocaleRole).toString() : QString()};
}

void RegionalFormatsDialog::select(const FormatsChoice &choice)
{
    QTreeWidgetItem *chosen = mList->topLevelItem(0);
    for (int index = 0; index < mList->topLevelItemCount(); ++index) {
        QTreeWidgetItem *line = mList->topLevelItem(index);
        if (line->data(0, LocaleRole).toString() == choice.localeName)
            chosen = line;
    }
    mList->setCurrentItem(chosen);
}

} // namespace kribed
