// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/properties_form.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/properties_edit.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/dialogs/digit_keys.h"

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
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

template<class Widget> Widget *Named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox *CheckBox(const char *name, const QString &caption)
{
    return Named(new QCheckBox(caption), name);
}

QComboBox *EditableBox(const char *name, const QStringList &items)
{
    auto *box = Named(new QComboBox, name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    return box;
}

QString text(const QByteArray &bytes)
{
    return currentRegional().toText(bytes);
}

QByteArray bytes(const QString &text)
{
    return currentRegional().toBytes(text);
}

} // namespace

TPropertiesForm::TPropertiesForm(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , mPrompter(prompter)
{
    setObjectName(QStringLiteral("PropertiesForm"));
    setWindowTitle(QStringLiteral("Properties"));

    mPages = Named(new QTabWidget, "PageControl1");
    mPages->addTab(BuildDatabaseTab(), QStringLiteral("Database"));
    mPages->addTab(mFieldTab = BuildFieldTab(), QStringLiteral("Field"));
    mPages->addTab(mPopupTab = BuildPopupTab(), QStringLiteral("Popup"));
    mPages->addTab(BuildFilterTab(), QStringLiteral("Filter"));
    mPages->addTab(BuildSortTab(), QStringLiteral("Sort"));
    mPages->addTab(BuildApplicationTab(), QStringLiteral("Application"));
    mPages->setCurrentWidget(mFieldTab);
    // Every tab stays in sight: the dialog grows to the tabs instead of scrolling them.
    mPages->setUsesScrollButtons(false);
    mPages->setElideMode(Qt::ElideNone);

    auto *ok = Named(new QPushButton(QStringLiteral("&OK")), "B_OK");
    auto *cancel = Named(new QPushButton(QStringLiteral("&Cancel")), "B_Cancel");
    // The width box swallows Enter, so no button answers it by default.
    ok->setAutoDefault(false);
    cancel->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &TPropertiesForm::B_OKClick);
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

QWidget *TPropertiesForm::BuildDatabaseTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("Name"), mName = Named(new QLineEdit, "E_Name"));
    form->addRow(mPrivate = CheckBox("CB_Privat", QStringLiteral("Private database")));
    form->addRow(mAutoLock = CheckBox("CB_AutoLock", QStringLiteral("Auto-Lock on Kribo exit")));
    form->addRow(mReadOnly =
                     CheckBox("CB_Readonly", QStringLiteral("Make this database read-only")));
    form->addRow(mKriboFilter = CheckBox("CB_KR_Filter", QStringLiteral("Enable Kribo filter")));
    return page;
}

QWidget *TPropertiesForm::BuildFieldTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("Name"), mFieldName = Named(new QLineEdit, "E_FieldName"));

    mFieldType = Named(new QComboBox, "C_FieldType");
    mFieldType->addItems(typeNames());
    form->addRow(QStringLiteral("Type"), mFieldType);

    mFieldWidth = EditableBox("C_FieldWidth",
                              {QStringLiteral("10"), QStringLiteral("16"), QStringLiteral("20"),
                               QStringLiteral("30"), QStringLiteral("40"), QStringLiteral("50"),
                               QStringLiteral("60"), QStringLiteral("80"), QStringLiteral("100"),
                               QStringLiteral("160"), QStringLiteral("300")});
    TakeDigitsOnly(mFieldWidth);
    form->addRow(QStringLiteral("Width"), mFieldWidth);

    mIncrementLabel = Named(new QLabel(QStringLiteral("Increment amount")), "L_Increment");
    mIncrement = EditableBox("C_Increment",
                             {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"),
                              QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("10"),
                              QStringLiteral("20"), QStringLiteral("50"), QStringLiteral("100")});
    mIncrement->setCurrentIndex(0);
    form->addRow(mIncrementLabel, mIncrement);

    connect(mFieldType, qOverload<int>(&QComboBox::activated), this,
            &TPropertiesForm::C_FieldTypeChange);
    return page;
}

QWidget *TPropertiesForm::BuildPopupTab()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("New Entry")), 0, 0);
    layout->addWidget(mNewEntry = Named(new QLineEdit, "E_NewEntry"), 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("Popup List")), 2, 0);
    layout->addWidget(mPopup = Named(new QListWidget, "LB_Popup"), 3, 0, 4, 1);

    auto *append = Named(new QPushButton(QStringLiteral("&Append")), "B_Append");
    auto *cut = Named(new QPushButton(QStringLiteral("C&ut")), "B_Cut");
    mPaste = Named(new QPushButton(QStringLiteral("&Paste")), "B_Paste");
    auto *sort = Named(new QPushButton(QStringLiteral("&Sort")), "B_Sort");
    mPaste->setEnabled(false);
    int row = 1;
    for (QPushButton *button : {append, cut, mPaste, sort}) {
        button->setAutoDefault(false);
        layout->addWidget(button, row++, 1);
    }
    connect(append, &QPushButton::clicked, this, &TPropertiesForm::B_AppendClick);
    connect(cut, &QPushButton::clicked, this, &TPropertiesForm::B_CutClick);
    connect(mPaste, &QPushButton::clicked, this, &TPropertiesForm::B_PasteClick);
    connect(sort, &QPushButton::clicked, this, &TPropertiesForm::B_SortClick);
    return page;
}

QWidget *TPropertiesForm::BuildFilterTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    mFilterFields = Named(new QComboBox, "C_FilterFields");
    mFilterFields->setPlaceholderText(QStringLiteral("Select Field"));
    form->addRow(QStringLiteral("Field to search"), mFilterFields);
    form->addRow(QStringLiteral("Filter what string"), mFilter = Named(new QLineEdit, "E_Filter"));
    form->addRow(mFilterMB =
                     CheckBox("CB_FilterMB", QStringLiteral("Field must begin with string")));
    mInclude = Named(new QRadioButton(QStringLiteral("INCLUDE Filter")), "RB_IncludeFilter");
    mExclude = Named(new QRadioButton(QStringLiteral("EXCLUDE Filter")), "RB_ExcludeFilter");
    mInclude->setChecked(true);
    auto *radios = new QHBoxLayout;
    radios->addWidget(mInclude);
    radios->addWidget(mExclude);
    form->addRow(radios);
    form->addRow(mFilterOn = CheckBox("CB_FilterOn", QStringLiteral("Filter enabled")));
    return page;
}

QWidget *TPropertiesForm::BuildSortTab()
{
    auto *page = new QWidget;
    auto *layout = new QGridLayout(page);
    layout->addWidget(new QLabel(QStringLiteral("Primary sort field")), 0, 0);
    layout->addWidget(mPrimarySort = Named(new QLabel, "L_PriSortField"), 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("Reverse to")), 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("primary sort")), 2, 2);
    layout->addWidget(new QLabel(QStringLiteral("Secondary ")), 3, 0);
    layout->addWidget(mSecondarySort = Named(new QComboBox, "C_SecSortFields"), 3, 1);
    layout->addWidget(mReverse2 = CheckBox("CB_Reverse2", QString()), 3, 2);
    layout->addWidget(new QLabel(QStringLiteral("Tertiary ")), 4, 0);
    layout->addWidget(mTertiarySort = Named(new QComboBox, "C_TriSortFields"), 4, 1);
    layout->addWidget(mReverse3 = CheckBox("CB_Reverse3", QString()), 4, 2);
    return page;
}

QWidget *TPropertiesForm::BuildApplicationTab()
{
    auto *page = new QWidget;
    auto *form = new QFormLayout(page);
    form->addRow(QStringLiteral("User"), mUser = Named(new QComboBox, "CB_User"));
    form->addRow(mInitialDir =
                     CheckBox("CB_InitialDir",
                              QStringLiteral("Initial directory is Handheld's backup directory.")));
    form->addRow(mSaveAtInstall = CheckBox("CB_SaveAtInstall", QStringLiteral("Save at Install")));
    form->addRow(
        mExpertMode = CheckBox(
            "CB_ExpertMode", QStringLiteral("Expert mode (no delete and auto-save confirmation)")));
    return page;
}

// Showing -------------------------------------------------------------------------------------

void TPropertiesForm::Prepare(Database &database, int field, const PropertiesChoices &choices)
{
    mDatabase = &database;
    mField = field;
    mChoices = choices;
    const int typeIndex = database.fieldType(field);
    const bool popupType = isPopupType(typeIndex);
    const int fields = database.fieldCount();

    if (mPages->currentWidget() == mPopupTab && !popupType)
        mPages->setCurrentWidget(mFieldTab);

    mName->setText(text(database.name()));
    mPrivate->setChecked(database.flags().isPrivate);
    mAutoLock->setChecked(database.flags().autoLock);
    mReadOnly->setChecked(database.flags().readOnly);
    mKriboFilter->setChecked(database.flags().kriboFilter);

    mFieldName->setText(text(database.fieldName(field)));
    mFieldType->setCurrentIndex(typeIndex);
    ShowPopupTab(popupType);
    mFieldWidth->setCurrentText(QString::number(database.widthUnits(field)));
    UpdateIncrementEnabled(typeIndex);
    mIncrement->setCurrentText(QString::number(database.incrementAmount()));

    mFilterFields->clear();
    mFilterFields->addItem(QStringLiteral("All Fields"));
    for (int k = 1; k <= fields; ++k)
        mFilterFields->addItem(text(database.fieldName(k)));
    const int filterField = database.filterField();
    mFilterFields->setCurrentIndex(filterField >= 0 && filterField <= fields ? filterField : -1);
    mFilter->setText(text(database.filterText()));
    mFilterOn->setChecked(database.filterOn());

    // The list of a field that is no popup field stays out of the box: OK would keep it otherwise.
    mNewEntry->clear();
    mPopup->clear();
    if (popupType) {
        for (const QByteArray &item : database.popupList(field))
            mPopup->addItem(text(item));
    }

    mPrimarySort->setText(text(database.fieldName(field)));
    ShowSortFields(mSecondarySort, database.secondarySortField(), fields);
    ShowSortFields(mTertiarySort, database.tertiarySortField(), fields);
    mReverse2->setChecked(choices.secondaryReverse);
    mReverse3->setChecked(choices.tertiaryReverse);

    ShowUsers(choices);
}

void TPropertiesForm::ShowSortFields(QComboBox *box, int stored, int fields)
{
    box->clear();
    box->addItem(QStringLiteral("None"));
    for (int k = 1; k <= fields; ++k)
        box->addItem(text(mDatabase->fieldName(k)));
    box->setCurrentIndex(stored >= 1 && stored <= fields ? stored : 0);
}

void TPropertiesForm::ShowUsers(const PropertiesChoices &choices)
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

void TPropertiesForm::ShowPopupTab(bool show)
{
    mPages->setTabVisible(mPages->indexOf(mPopupTab), show);
    if (!show) {
        mPopup->clear();
        mNewEntry->clear();
    }
}

void TPropertiesForm::UpdateIncrementEnabled(int typeIndex)
{
    const bool autoIncrement = typeIndex == AutoIncrementIntegerType;
    mIncrement->setEnabled(autoIncrement);
    mIncrementLabel->setEnabled(autoIncrement);
}

// While open ----------------------------------------------------------------------------------

void TPropertiesForm::C_FieldTypeChange(int index)
{
    // Only the box is emptied here: the field keeps its list until OK takes the new type.
    ShowPopupTab(isPopupType(index));
    UpdateIncrementEnabled(index);
}

bool TPropertiesForm::RefusePopupEntry(const QString &entry)
{
    if (!isRefusedPopupEntry(bytes(entry)))
        return false;
    mPrompter.ask(
        {QStringLiteral("Warning"), popupEntryWarning(entry), Icon::Warning, Buttons::Ok});
    return true;
}

void TPropertiesForm::B_AppendClick()
{
    const QString entry = mNewEntry->text();
    if (!entry.isEmpty() && !RefusePopupEntry(entry))
        mPopup->addItem(entry);
}

void TPropertiesForm::B_CutClick()
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

void TPropertiesForm::B_PasteClick()
{
    const int row = mPopup->currentRow();
    if (!mPaste->isEnabled() || row < 0 || !mPopup->item(row)->isSelected()
        || mPopupClipboard.isEmpty())
        return;
    if (RefusePopupEntry(mPopupClipboard))
        return;
    mPopup->insertItem(row, mPopupClipboard);
    mPaste->setEnabled(false);
}

void TPropertiesForm::B_SortClick()
{
    // The list box's alphabetical order: regional, letter case aside.
    QCollator collator(currentRegional().locale());
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

FilterOptions TPropertiesForm::FilterChoices() const
{
    FilterOptions options;
    options.mustBeginWith = mFilterMB->isChecked();
    options.exclude = mExclude->isChecked();
    options.field = FilterFieldChoice();
    return options;
}

int TPropertiesForm::FilterFieldChoice() const
{
    return std::max(0, mFilterFields->currentIndex());
}

int TPropertiesForm::RunFilter(Database &database, bool on) const
{
    database.setFilterField(FilterFieldChoice());
    return applyFilter(database, on, FilterChoices());
}

// OK ------------------------------------------------------------------------------------------

PropertiesEdit TPropertiesForm::GatherEdit() const
{
    PropertiesEdit edit;
    edit.name = bytes(mName->text());
    edit.flags.isPrivate = mPrivate->isChecked();
    edit.flags.autoLock = mAutoLock->isChecked();
    edit.flags.readOnly = mReadOnly->isChecked();
    edit.flags.kriboFilter = mKriboFilter->isChecked();
    edit.fieldName = bytes(mFieldName->text());
    edit.typeIndex = mFieldType->currentIndex();
    edit.widthText = mFieldWidth->currentText();
    edit.incrementText = mIncrement->currentText();
    for (int row = 0; row < mPopup->count(); ++row)
        edit.popupItems << bytes(mPopup->item(row)->text());
    edit.filterField = FilterFieldChoice();
    edit.filterText = bytes(mFilter->text());
    edit.filterOn = mFilterOn->isChecked();
    edit.secondarySort = mSecondarySort->currentIndex();
    edit.tertiarySort = mTertiarySort->currentIndex();
    return edit;
}

void TPropertiesForm::B_OKClick()
{
    if (!mDatabase)
        return;
    const PropertiesEdit edit = GatherEdit();
    // Every value is checked before any is taken, so a refused one leaves the database untouched.
    const QString warning = propertiesWarning(edit);
    if (!warning.isEmpty()) {
        mPrompter.ask({QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok});
        return;
    }
    applyProperties(*mDatabase, mField, edit);
    if (mApplyFilter)
        mApplyFilter(edit.filterOn);
    else
        RunFilter(*mDatabase, edit.filterOn);

    mChoices.secondaryReverse = mReverse2->isChecked();
    mChoices.tertiaryReverse = mReverse3->isChecked();
    mChoices.selectedUser = mUser->isEnabled() ? mUser->currentIndex() : mChoices.selectedUser;
    mChoices.saveAtInstall = mSaveAtInstall->isChecked();
    mChoices.initialDir = mInitialDir->isChecked();
    mChoices.expertMode = mExpertMode->isChecked();
    mDatabase->setModified();
    accept();
}

} // namespace kribed
