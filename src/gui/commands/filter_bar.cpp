// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/filter_bar.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "gui/commands/navigation_commands.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/display_font.h"
#include "gui/grid/database_document.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace kribed {

FilterBar::FilterBar(NavigationCommands &commands, Workspace &workspace, QWidget *parent)
    : QWidget(parent)
    , mCommands(commands)
    , mWorkspace(workspace)
{
    setObjectName(QStringLiteral("filterBar"));
    mField = new QComboBox(this);
    mText = new QLineEdit(this);
    mText->setClearButtonEnabled(true);
    mMustBegin = new QCheckBox(tr("Field must begin with String"), this);
    mOn = new QCheckBox(tr("Filter enabled"), this);
    mCount = new QLabel(this);
    mTypingPause = new QTimer(this);
    const std::pair<QObject *, const char *> names[] = {
        {mField, "filterBarField"},         {mText, "filterBarText"},
        {mMustBegin, "filterBarMustBegin"}, {mOn, "filterBarOn"},
        {mCount, "filterBarCount"},         {mTypingPause, "filterBarTypingPause"}};
    for (const auto &[part, name] : names)
        part->setObjectName(QString::fromLatin1(name));
    mTypingPause->setSingleShot(true);
    mTypingPause->setInterval(TypingPause);

    // The captions of the Filter tab say what the two boxes hold without labels beside them,
    // which would leave the text too little room in a window of the usual width.
    mField->setToolTip(tr("Field to search"));
    mField->setAccessibleName(tr("Field to search"));
    mText->setPlaceholderText(tr("Filter what string"));
    mText->setAccessibleName(tr("Filter what string"));
    mText->setMinimumWidth(mText->fontMetrics().horizontalAdvance(mText->placeholderText()) + 30);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->addWidget(mField);
    layout->addWidget(mText, 1);
    layout->addWidget(mMustBegin);
    layout->addWidget(mOn);
    layout->addWidget(mCount);

    connect(mText, &QLineEdit::textEdited, this, [this] {
        mTyped = true;
        mTypingPause->start();
    });
    connect(mTypingPause, &QTimer::timeout, this, &FilterBar::applyTypedText);
    connect(mText, &QLineEdit::returnPressed, this, &FilterBar::applyTypedText);
    connect(mField, &QComboBox::activated, this, [this] { applyBarSettings(false); });
    connect(mMustBegin, &QCheckBox::clicked, this, [this] { applyBarSettings(false); });
    connect(mOn, &QCheckBox::clicked, this, [this](bool on) {
        applyTypedText();
        mCommands.switchFilter(on);
    });
    connect(&commands, &NavigationCommands::filterSettingsChanged, this, &FilterBar::showSettings);
    connect(&commands, &NavigationCommands::filterBarShownChanged, this, &FilterBar::showBar);
    setVisible(commands.isFilterBarShown());
}

void FilterBar::applyTypedText()
{
    if (!mTyped)
        return;
    // Typing a text is asking for the filter: it runs even when it was off.
    applyBarSettings(true);
}

void FilterBar::applyBarSettings(bool switchOn)
{
    const bool typed = mTyped;
    mTyped = false;
    mTypingPause->stop();
    FilterBarSettings wanted = mCommands.filterSettings();
    wanted.text = mWorkspace.document().regional().toBytes(mText->text());
    wanted.field = std::max(0, mField->currentIndex());
    wanted.mustBeginWith = mMustBegin->isChecked();
    wanted.on = wanted.on || switchOn || typed;
    mCommands.changeFilter(wanted);
    // Nothing may have changed, and then no signal came: the bar shows the settings again.
    showSettings();
}

void FilterBar::showSettings()
{
    // A hidden bar catches up when it shows.
    if (isHidden())
        return;
    const FilterBarSettings settings = mCommands.filterSettings();
    giveDisplayFont(mWorkspace.displayFont(), {mField, mText});
    showFieldNames();
    mField->setCurrentIndex(settings.field);
    if (!mTyped) {
        const QString text = mWorkspace.document().regional().toText(settings.text);
        if (mText->text() != text)
            mText->setText(text);
    }
    mMustBegin->setChecked(settings.mustBeginWith);
    mOn->setChecked(settings.on);
    showCount();
}

void FilterBar::showFieldNames()
{
    const QStringList names = QStringList{tr("All Fields")} + mCommands.fieldNames();
    QStringList shown;
    for (int index = 0; index < mField->count(); ++index)
        shown << mField->itemText(index);
    if (shown == names)
        return;
    const QSignalBlocker blocker(mField);
    mField->clear();
    mField->addItems(names);
}

void FilterBar::showCount()
{
    if (!mCommands.filterSettings().on
        && mWorkspace.document().viewState().columnFilters.isEmpty()) {
        mCount->clear();
        return;
    }
    mCount->setText(tr("%1 of %2 records shown")
                        .arg(mCommands.shownRecordCount())
                        .arg(mWorkspace.document().database().recordCount()));
}

void FilterBar::showBar(bool shown)
{
    if (shown == !isHidden())
        return;
    if (!shown) {
        const bool hadFocus = isAncestorOf(QApplication::focusWidget());
        applyTypedText();
        hide();
        if (hadFocus)
            mWorkspace.gridView().setFocus();
        return;
    }
    show();
    showSettings();
    mText->setFocus();
    mText->selectAll();
}

void FilterBar::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        applyTypedText();
        mWorkspace.gridView().setFocus();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace kribed
