// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/recovery_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kribed {

namespace {

QString fileStateText(const RecoveryEntry &entry)
{
    if (!entry.damage.isEmpty())
        return RecoveryDialog::tr("Damaged: %1 It can only be discarded.").arg(entry.damage);
    switch (entry.fileState) {
    case OriginState::NoFile: return RecoveryDialog::tr("Never saved");
    case OriginState::Unchanged: return RecoveryDialog::tr("Unchanged since");
    case OriginState::Changed: return RecoveryDialog::tr("Changed since");
    case OriginState::Gone: return RecoveryDialog::tr("No longer there");
    }
    return QString();
}

QString changesText(const RecoveryEntry &entry)
{
    if (!entry.damage.isEmpty() || entry.changedRecords < 0)
        return QString();
    if (entry.fileState == OriginState::NoFile || entry.fileState == OriginState::Gone)
        return RecoveryDialog::tr("Records: %1").arg(entry.changedRecords);
    return RecoveryDialog::tr("Records changed: %1").arg(entry.changedRecords);
}

// Two sets of one file may be minutes apart: the time goes to the second.
QString changeTimeText(const QDateTime &time)
{
    const QLocale locale;
    QString timeFormat = locale.timeFormat(QLocale::ShortFormat);
    if (!timeFormat.contains(u's'))
        timeFormat.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
    const QDateTime local = time.toLocalTime();
    return locale.toString(local.date(), QLocale::ShortFormat) + u' '
           + locale.toString(local.time(), timeFormat);
}

QPushButton *makeButton(const QString &text, const char *name, QWidget *parent)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

} // namespace

RecoveryDialog::RecoveryDialog(QWidget *parent)
    : QDialog(parent)
    , list(new QTreeWidget(this))
    , recoverButton(makeButton(tr("Recover"), "recoverButton", this))
    , saveAsButton(makeButton(tr("Save as..."), "saveAsButton", this))
    , discardButton(makeButton(tr("Discard"), "discardButton", this))
    , laterButton(makeButton(tr("Later"), "laterButton", this))
{
    setObjectName(QStringLiteral("recoveryDialog"));
    setWindowTitle(tr("Recovery"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *text = new QLabel(
        tr("Kribed PRO ended before these changes were saved. Recover opens the selected "
           "database with its changes, as a changed database of its own file; Save as... writes "
           "it to a file you choose; Discard throws the changes away; Later keeps them for the "
           "next start.\n\nThe undo history is not recovered: a recovered database starts a new "
           "one."),
        this);
    text->setObjectName(QStringLiteral("explanationLabel"));
    text->setWordWrap(true);
    layout->addWidget(text);

    list->setObjectName(QStringLiteral("recoveryList"));
    list->setAccessibleName(tr("Changes left behind"));
    list->setHeaderLabels(
        {tr("File"), tr("Folder"), tr("Last change"), tr("File on disk"), tr("Changes")});
    list->setRootIsDecorated(false);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setAllColumnsShowFocus(true);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->setMinimumWidth(560);
    text->setBuddy(list);
    layout->addWidget(list, 1);

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(recoverButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(saveAsButton, QDialogButtonBox::ActionRole);
    buttons->addButton(discardButton, QDialogButtonBox::DestructiveRole);
    buttons->addButton(laterButton, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    recoverButton->setDefault(true);

    // The item view passes Return on after it; the default button takes it from there.
    connect(recoverButton, &QPushButton::clicked, this,
            [this] { ask(&RecoveryDialog::recoverAsked); });
    connect(saveAsButton, &QPushButton::clicked, this,
            [this] { ask(&RecoveryDialog::saveAsAsked); });
    connect(discardButton, &QPushButton::clicked, this,
            [this] { ask(&RecoveryDialog::discardAsked); });
    connect(laterButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(list, &QTreeWidget::itemDoubleClicked, this,
            [this] { ask(&RecoveryDialog::recoverAsked); });
    connect(list, &QTreeWidget::currentItemChanged, this, &RecoveryDialog::updateButtons);
    updateButtons();
}

void RecoveryDialog::setEntries(const QList<RecoveryEntry> &entries)
{
    mEntries = entries;
    list->clear();
    for (const RecoveryEntry &entry : entries) {
        const QFileInfo file(entry.path);
        const QString name = entry.path.isEmpty() ? tr("(no file)") : file.fileName();
        const QString folder =
            entry.path.isEmpty() ? QString() : QDir::toNativeSeparators(file.absolutePath());
        auto *item = new QTreeWidgetItem(list, {name, folder, changeTimeText(entry.written),
                                                fileStateText(entry), changesText(entry)});
        item->setToolTip(3, item->text(3));
    }
    selectEntry(0);
}

void RecoveryDialog::removeEntry(int row)
{
    if (row < 0 || row >= mEntries.size())
        return;
    mEntries.removeAt(row);
    delete list->takeTopLevelItem(row);
    selectEntry(qMin(row, int(mEntries.size()) - 1));
}

int RecoveryDialog::entryCount() const
{
    return int(mEntries.size());
}

int RecoveryDialog::selectedEntry() const
{
    return list->currentItem() ? list->indexOfTopLevelItem(list->currentItem()) : -1;
}

void RecoveryDialog::selectEntry(int row)
{
    QTreeWidgetItem *item = row >= 0 ? list->topLevelItem(row) : nullptr;
    list->setCurrentItem(item);
    if (item)
        item->setSelected(true);
    list->setFocus();
    updateButtons();
}

QStringList RecoveryDialog::rowTexts(int row) const
{
    QStringList texts;
    if (const QTreeWidgetItem *item = list->topLevelItem(row)) {
        for (int column = 0; column < list->columnCount(); ++column)
            texts << item->text(column);
    }
    return texts;
}

void RecoveryDialog::updateButtons()
{
    const int row = selectedEntry();
    const bool whole = row >= 0 && mEntries[row].damage.isEmpty();
    recoverButton->setEnabled(whole);
    saveAsButton->setEnabled(whole);
    discardButton->setEnabled(row >= 0);
}

void RecoveryDialog::ask(void (RecoveryDialog::*signal)(int))
{
    const int row = selectedEntry();
    if (row < 0)
        return;
    // A damaged row can only be discarded, whatever key reached the buttons.
    if (signal != &RecoveryDialog::discardAsked && !mEntries[row].damage.isEmpty())
        return;
    Q_EMIT(this->*signal)(row);
}

} // namespace kribed
