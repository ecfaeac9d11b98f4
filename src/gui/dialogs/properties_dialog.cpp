// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/properties_dialog.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/properties_edit.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/dialogs/digit_keys.h"
#include "gui/dialogs/display_font.h"
#include "gui/dialogs/named_widget.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kribed {

namespace {

QCheckBox *checkBox(const char *name, const QString &caption)
{
    return named(new QCheckBox(caption), name);
}

QComboBox *editableBox(const char *name, const QStringList &items)
{
    auto *box = named(new QComboBox, name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

// Enter in a line edit with text presses `press` instead of the dialog's default button, so
// what was typed is taken rather than dropped with the dialog; an empty edit passes Enter on.
class EnterPresses : public QObject
{
public:
    EnterPresses(QLineEdit *edit, QPushButton *press)
        : QObject(edit)
        , mEdit(edit)
        , mPress(press)
    {
        edit->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && !mEdit->text().isEmpty()) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                mPress->click();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QLineEdit *mEdit;
    QPushButton *mPress;
};

} // namespace

PropertiesDialog::PropertiesDialog(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , mPrompter(prompter)
{
    setObjectName(QStringLiteral("propertiesDialog"));
    setWindowTitle(tr("Properties"));

    mPages = named(new QTabWidget, "pages");
    mPages->addTab(buildDatabaseTab(), tr("Database"));
    mPages->addTab(mFieldTab = buildFieldTab(), tr("Field"));
    mPages->addTab(mPopupTab = buildPopupTab(), tr("Popup"));
    mPages->addTab(buildFilterTab(), tr("Filter"));
    mPages->addTab(buildSortTab(), tr("Sort"));
    mPages->addTab(buildApplicationTab(), tr("Application"));
    mPages->setCurrentWidget(mFieldTab);
    // Every tab stays in sight: the dialog grows to the tabs instead of scrolling them.
    mPages->setUsesScrollButtons(false);
    mPages->setElideMode(Qt::ElideNone);

    auto *ok = named(new QPushButton(tr("&OK")), "okButton");
    auto *cancel = named(new QPushButton(tr("&Cancel")), "cancelButton");
    // Enter and keypad Enter press OK, as in the other dialogs; the width box swallows them, an
    // open drop-down list takes them for its choice, and a focused button answers them itself.
    ok->setDefault(true);
    cancel->setAutoDefault(true);
    connect(ok, &QPushButton::clicked, this, &PropertiesDialog::okClicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mPages);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    mPages->setMinimumSize(320, 150);
}

QWidget *PropertiesDialog::buildDatabaseTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(tr("Name"), mName = named(new QLineEdit, "nameEdit"));
    form->addRow(mPrivate = checkBox("privateCheckBox", tr("Private database")));
    form->addRow(mAutoLock = checkBox("autoLockCheckBox", tr("Auto-Lock on Kribo exit")));
    form->addRow(mReadOnly = checkBox("readOnlyCheckBox", tr("Make this database read-only")));
    form->addRow(mKriboFilter = checkBox("kriboFilterCheckBox", tr("Enable Kribo filter")));
    return page;
}

QWidget *PropertiesDialog::buildFieldTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(tr("Name"), mFieldName = named(new QLineEdit, "fieldNameEdit"));

    mFieldType = named(new QComboBox, "fieldTypeCombo");
    mFieldType->addItems(typeNames());
    form->addRow(tr("Type"), mFieldType);

    mFieldWidth = editableBox("fieldWidthCombo",
                              {QStringLiteral("10"), QStringLiteral("16"), QStringLiteral("20"),
                               QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("50"),
                               QStringLiteral("60"), QStringLiteral("80"), QStringLiteral("100"),
                               QStringLiteral("160"), QStringLiteral("300")});
    takeDigitsOnly(mFieldWidth);
    form->addRow(tr("Width"), mFieldWidth);

    mIncrementLabel = named(new QLabel(tr("Increment amount")), "incrementLabel");
    mIncrement = editableBox("incrementCombo",
                             {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                              QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("10"),
                              QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("100")});
    mIncrement->setCurrentIndex(0);
    form->addRow(mIncrementLabel, mIncrement);

    connect(mFieldType, qOverload<int>(&QComboBox::activated), this,
            &PropertiesDialog::fieldTypeChanged);
    return page;
}

QWidget *PropertiesDialog::buildPopupTab()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    auto *newEntryLabel = new QLabel(tr("New Entry"));
    layout->addWidget(newEntryLabel, 0, 0);
    layout->addWidget(mNewEntry = named(new QLineEdit, "newEntryEdit"), 1, 0);
    newEntryLabel->setBuddy(mNewEntry);
    auto *popupLabel = new QLabel(tr("Popup List"));
    layout->addWidget(popupLabel, 2, 0);
    layout->addWidget(mPopup = named(new QListWidget, "popupList"), 3, 0, 4, 1);
    popupLabel->setBuddy(mPopup);
    // A list takes its name from nothing but its own accessible name.
    mPopup->setAccessibleName(popupLabel->text());

    auto *append = named(new QPushButton(tr("&Append")), "appendButton");
    auto *cut = named(new QPushButton(tr("C&ut")), "cutButton");
    mPaste = named(new QPushButton(tr("&Paste")), "pasteButton");
    auto *sort = named(new QPushButton(tr("&Sort")), "sortButton");
    mPaste->setEnabled(false);
    int row = 1;
    for (QPushButton *button : {append, cut, mPaste, sort}) {
        button->setAutoDefault(true);
        layout->addWidget(button, row++, 1);
    }
    connect(append, &QPushButton::clicked, this, &PropertiesDialog::appendClicked);
    new EnterPresses(mNewEntry, append);
    connect(cut, &QPushButton::clicked, this, &PropertiesDialog::cutClicked);
    connect(mPaste, &QPushButton::clicked, this, &PropertiesDialog::pasteClicked);
    connect(sort, &QPushButton::clicked, this, &PropertiesDialog::sortClicked);
    return page;
}

QWidget *PropertiesDialog::buildFilterTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    mFilterFields = named(new QComboBox, "filterFieldCombo");
    mFilterFields->setPlaceholderText(tr("Select Field"));
    form->addRow(tr("Field to search"), mFilterFields);
    form->addRow(tr("Filter what string"), mFilter = named(new QLineEdit, "filterEdit"));
    form->addRow(mFilterMB =
                     checkBox("filterMustBeginCheckBox", tr("Field must begin with string")));
    mInclude = named(new QRadioButton(tr("INCLUDE Filter")), "includeFilterRadio");
    mExclude = named(new QRadioButton(tr("EXCLUDE Filter")), "excludeFilterRadio");
    mInclude->setChecked(true);
    auto *radios = new QHBoxLayout;
    radios->addWidget(mInclude);
    radios->addWidget(mExclude);
    form->addRow(radios);
    form->addRow(mFilterOn = checkBox("filterOnCheckBox", tr("Filter enabled")));
    return page;
}

QWidget *PropertiesDialog::buildSortTab()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    layout->addWidget(new QLabel(tr("Primary sort field")), 0, 0);
    layout->addWidget(mPrimarySort = named(new QLabel, "primarySortLabel"), 0, 1);
    layout->addWidget(new QLabel(tr("Reverse to")), 1, 2);
    layout->addWidget(new QLabel(tr("primary sort")), 2, 2);
    auto *secondaryLabel = new QLabel(tr("Secondary "));
    layout->addWidget(secondaryLabel, 3, 0);
    layout->addWidget(mSecondarySort = named(new QComboBox, "secondarySortCombo"), 3, 1);
    layout->addWidget(mReverse2 = checkBox("secondaryReverseCheckBox", QString()), 3, 2);
    auto *tertiaryLabel = new QLabel(tr("Tertiary "));
    layout->addWidget(tertiaryLabel, 4, 0);
    layout->addWidget(mTertiarySort = named(new QComboBox, "tertiarySortCombo"), 4, 1);
    layout->addWidget(mReverse3 = checkBox("tertiaryReverseCheckBox", QString()), 4, 2);
    secondaryLabel->setBuddy(mSecondarySort);
    tertiaryLabel->setBuddy(mTertiarySort);
    // The reverse boxes have no caption of their own: the column above them says what they do.
    mReverse2->setAccessibleName(tr("Secondary: reverse to primary sort"));
    mReverse3->setAccessibleName(tr("Tertiary: reverse to primary sort"));
    mPrimarySort->setAccessibleDescription(tr("Primary sort field"));
    return page;
}

QWidget *PropertiesDialog::buildApplicationTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(tr("User"), mUser = named(new QComboBox, "userCombo"));
    form->addRow(mInitialDir = checkBox("initialDirCheckBox",
                                        tr("Initial directory is Handheld's backup directory.")));
    form->addRow(mSaveAtInstall = checkBox("saveAtInstallCheckBox", tr("Save at Install")));
    form->addRow(mExpertMode = checkBox("expertModeCheckBox",
                                        tr("Expert mode (no delete and auto-save confirmation)")));
    return page;
}

// Showing -------------------------------------------------------------------------------------

void PropertiesDialog::prepare(const Database &database, int field,
                               const PropertiesChoices &choices, const FilterCondition &filter)
{
    mEdited = database;
    mPrepared = true;
    mField = field;
    mChoices = choices;
    const int typeIndex = database.fieldType(field);
    const bool popupType = isPopupType(typeIndex);
    const int fields = database.fieldCount();

    if (mPages->currentWidget() == mPopupTab && !popupType)
        mPages->setCurrentWidget(mFieldTab);

    mName->setText(mRegional.toText(database.name()));
    mPrivate->setChecked(database.flags().isPrivate);
    mAutoLock->setChecked(database.flags().autoLock);
    mReadOnly->setChecked(database.flags().readOnly);
    mKriboFilter->setChecked(database.flags().kriboFilter);

    mFieldName->setText(mRegional.toText(database.fieldName(field)));
    mFieldType->setCurrentIndex(typeIndex);
    showPopupTab(popupType);
    mFieldWidth->setCurrentText(QString::number(database.widthUnits(field)));
    updateIncrementEnabled(typeIndex);
    mIncrement->setCurrentText(QString::number(database.incrementAmount()));

    mFilterFields->clear();
    mFilterFields->addItem(tr("All Fields"));
    for (int k = 1; k <= fields; ++k)
        mFilterFields->addItem(mRegional.toText(database.fieldName(k)));
    const int filterField = database.filterField();
    mFilterFields->setCurrentIndex(filterField >= 0 && filterField <= fields ? filterField : -1);
    mFilter->setText(mRegional.toText(database.filterText()));
    mFilterOn->setChecked(database.filterOn());
    mFilterMB->setChecked(filter.mustBeginWith);
    (filter.exclude ? mExclude : mInclude)->setChecked(true);

    // The list of a field that is no popup field stays out of the box: OK would keep it otherwise.
    mNewEntry->clear();
    mPopup->clear();
    if (popupType) {
        for (const QByteArray &item : database.popupList(field))
            mPopup->addItem(mRegional.toText(item));
    }

    mPrimarySort->setText(mRegional.toText(database.fieldName(field)));
    showSortFields(mSecondarySort, database.secondarySortField(), fields);
    showSortFields(mTertiarySort, database.tertiarySortField(), fields);
    mReverse2->setChecked(choices.secondaryReverse);
    mReverse3->setChecked(choices.tertiaryReverse);

    showUsers(choices);
}

void PropertiesDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The page's first control in the Tab order that takes the keyboard.
    QWidget *page = mPages->currentWidget();
    for (QWidget *control = page->nextInFocusChain(); control && control != page;
         control = control->nextInFocusChain()) {
        if (page->isAncestorOf(control) && control->isEnabled() && control->isVisibleTo(page)
            && (control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus) {
            control->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void PropertiesDialog::releaseResult()
{
    mEdited = Database();
    mPrepared = false;
}

void PropertiesDialog::showSortFields(QComboBox *box, int stored, int fields)
{
    box->clear();
    box->addItem(tr("None"));
    for (int k = 1; k <= fields; ++k)
        box->addItem(mRegional.toText(mEdited.fieldName(k)));
    box->setCurrentIndex(stored >= 1 && stored <= fields ? stored : 0);
}

void PropertiesDialog::showUsers(const PropertiesChoices &choices)
{
    const bool users = !choices.userNames.isEmpty();
    mUser->clear();
    mUser->addItems(choices.userNames);
    mUser->setCurrentIndex(users ? choices.selectedUser : -1);
    mUser->setEnabled(users);
    mInitialDir->setEnabled(users);
    mSaveAtInstall->setEnabled(mInitialDir->isEnabled());
    mInitialDir->setChecked(choices.initialDir);
    mSaveAtInstall->setChecked(choices.saveAtInstall);
    mExpertMode->setChecked(choices.expertMode);
}

void PropertiesDialog::showPopupTab(bool show)
{
    // A hidden tab is also a disabled one: Ctrl+Tab passes over disabled tabs only.
    const int tab = mPages->indexOf(mPopupTab);
    mPages->setTabVisible(tab, show);
    mPages->setTabEnabled(tab, show);
    if (!show) {
        mPopup->clear();
        mNewEntry->clear();
    }
}

void PropertiesDialog::updateIncrementEnabled(int typeIndex)
{
    const bool autoIncrement = typeIndex == AutoIncrementIntegerType;
    mIncrement->setEnabled(autoIncrement);
    mIncrementLabel->setEnabled(autoIncrement);
}

// While open ----------------------------------------------------------------------------------

void PropertiesDialog::fieldTypeChanged(int index)
{
    // Only the box is emptied here: the field keeps its list until OK takes the new type.
    showPopupTab(isPopupType(index));
    updateIncrementEnabled(index);
}

bool PropertiesDialog::refusePopupEntry(const QString &entry)
{
    if (!isRefusedPopupEntry(mRegional.toBytes(entry)))
        return false;
    mPrompter.ask({tr("Warning"), popupEntryWarning(entry), Icon::Warning, Buttons::Ok});
    return true;
}

void PropertiesDialog::appendClicked()
{
    const QString entry = mNewEntry->text();
    if (!entry.isEmpty() && !refusePopupEntry(entry))
        mPopup->addItem(entry);
}

void PropertiesDialog::cutClicked()
{
    const int row = mPopup->currentRow();
    if (row < 0 || !mPopup->item(row)->isSelected())
        return;
    mPopupClipboard = mPopup->item(row)->text();
    delete mPopup->takeItem(row);
    mPopup->setCurrentRow(-1);
    mPopup->clearSelection();
    mPaste->setEnabled(true);
}

void PropertiesDialog::pasteClicked()
{
    const int row = mPopup->currentRow();
    if (!mPaste->isEnabled() || row < 0 || !mPopup->item(row)->isSelected()
        || mPopupClipboard.isEmpty())
        return;
    if (refusePopupEntry(mPopupClipboard))
        return;
    mPopup->insertItem(row, mPopupClipboard);
    mPaste->setEnabled(false);
}

void PropertiesDialog::setDisplayFont(const QFont &font)
{
    giveDisplayFont(font, {mName, mFieldName, mNewEntry, mPopup, mFilterFields, mFilter,
                           mPrimarySort, mSecondarySort, mTertiarySort, mUser});
}

void PropertiesDialog::sortClicked()
{
    // The list box's alphabetical order: regional, letter case aside.
    QCollator collator(mRegional.locale());
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    QStringList items;
    for (int row = 0; row < mPopup->count(); ++row)
        items << mPopup->item(row)->text();
    std::stable_sort(items.begin(), items.end(), [&collator](const QString &a, const QString &b) {
        return collator.compare(a, b) < 0;
    });
    mPopup->clear();
    mPopup->addItems(items);
}

FilterCondition PropertiesDialog::filterAsShown() const
{
    FilterCondition filter;
    filter.field = std::max(0, mFilterFields->currentIndex());
    filter.text = mRegional.toBytes(mFilter->text());
    filter.mustBeginWith = mFilterMB->isChecked();
    filter.exclude = mExclude->isChecked();
    return filter;
}

void PropertiesDialog::done(int result)
{
    Q_EMIT filterLeft(filterAsShown());
    QDialog::done(result);
}

// OK ------------------------------------------------------------------------------------------

PropertiesEdit PropertiesDialog::gatherEdit() const
{
    PropertiesEdit edit;
    edit.settings.name = mRegional.toBytes(mName->text());
    edit.settings.flags.isPrivate = mPrivate->isChecked();
    edit.settings.flags.autoLock = mAutoLock->isChecked();
    edit.settings.flags.readOnly = mReadOnly->isChecked();
    edit.settings.flags.kriboFilter = mKriboFilter->isChecked();
    edit.fieldName = mRegional.toBytes(mFieldName->text());
    edit.typeIndex = mFieldType->currentIndex();
    edit.widthText = mFieldWidth->currentText();
    edit.settings.increment = incrementOf(mIncrement->currentText());
    for (int row = 0; row < mPopup->count(); ++row)
        edit.popupItems << mRegional.toBytes(mPopup->item(row)->text());
    const FilterCondition filter = filterAsShown();
    edit.settings.filterField = filter.field;
    edit.settings.filterText = filter.text;
    edit.settings.filterOn = mFilterOn->isChecked();
    edit.settings.secondarySort = mSecondarySort->currentIndex();
    edit.settings.tertiarySort = mTertiarySort->currentIndex();
    return edit;
}

void PropertiesDialog::okClicked()
{
    if (!mPrepared)
        return;
    const PropertiesEdit edit = gatherEdit();
    // Every value is checked before any is taken, so a refused one leaves the database untouched.
    const QString warning = propertiesWarning(edit);
    if (!warning.isEmpty()) {
        mPrompter.ask({tr("Warning"), warning, Icon::Warning, Buttons::Ok});
        return;
    }
    applyProperties(mEdited, mField, edit);
    // The field chosen here is the one searched, whatever field a file loaded later names.
    FilterSpec spec;
    spec.first() = filterAsShown();
    applyFilter(mEdited, edit.settings.filterOn, spec.options());

    mChoices.secondaryReverse = mReverse2->isChecked();
    mChoices.tertiaryReverse = mReverse3->isChecked();
    mChoices.selectedUser = mUser->isEnabled() ? mUser->currentIndex() : mChoices.selectedUser;
    mChoices.saveAtInstall = mSaveAtInstall->isChecked();
    mChoices.initialDir = mInitialDir->isChecked();
    mChoices.expertMode = mExpertMode->isChecked();
    mEdited.setModified();
    accept();
}

} // namespace kribed
