// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/record_filter.h"
#include "core/model/database.h"
#include "core/model/regional.h"

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace kribed {

class Prompter;
struct PropertiesEdit;

// What the dialog shows beside the database, and what OK gives back: the handheld user, three
// program settings and the reverse flags of the secondary and tertiary sort fields.
struct PropertiesChoices
{
    QStringList userNames; // shown only
    int selectedUser = 0;
    bool initialDir = true;
    bool saveAtInstall = true;
    bool expertMode = false;
    bool secondaryReverse = false;
    bool tertiaryReverse = false;
};

// The properties dialog: database name and flags, one field's definition and popup list, the
// record filter, the secondary and tertiary sort fields and four program settings. Made once and
// kept: its controls hold their state between showings, and the filter's match options are read
// from them as the user last left them.
class PropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    // Warnings go through the prompter, which outlives the dialog.
    explicit PropertiesDialog(Prompter &prompter, QWidget *parent = nullptr);

    // The show steps for field `field` (1..m) of a copy of the database, which the dialog edits.
    void prepare(const Database &database, int field, const PropertiesChoices &choices);
    // The copy as OK left it: its values taken and the record filter run with this dialog's
    // match options; marked changed. Until OK, the prepared database as it was.
    const Database &edited() const { return mEdited; }
    // Lets go of the copy (and the records it shares) once its result is taken.
    void releaseResult();
    // The regional rules the names, the filter text and the popup entries are read and written
    // with; set before prepare.
    void setRegional(const Regional &regional) { mRegional = regional; }
    // The font of the controls that show names, values and popup entries.
    void setDisplayFont(const QFont &font);
    // The choices as OK left them.
    const PropertiesChoices &choices() const { return mChoices; }

    // The filter's match options and field position, as the controls were last left.
    FilterOptions filterChoices() const;
    int filterFieldChoice() const;
    // The same choices set from the filter bar, which shows them too; the field list is filled
    // again with "All Fields" and `fieldNames`, as the next showing fills it.
    void setFilterChoices(const FilterOptions &options, const QStringList &fieldNames);
    // The record filter with those choices: the field last chosen here is the one searched,
    // whatever field the loaded file named. Returns how many records are hidden.
    int runFilter(Database &database, bool on) const;

    // Shows or hides the "Popup" tab; hiding it empties the list box and the new-entry box.
    void showPopupTab(bool show);

public Q_SLOTS:
    void okClicked();
    void appendClicked();
    void cutClicked();
    void pasteClicked();
    void sortClicked();
    void fieldTypeChanged(int index);

protected:
    // The first control of the page in sight takes the keyboard, not the tab bar.
    void showEvent(QShowEvent *event) override;

private:
    QWidget *buildDatabaseTab();
    QWidget *buildFieldTab();
    QWidget *buildPopupTab();
    QWidget *buildFilterTab();
    QWidget *buildSortTab();
    QWidget *buildApplicationTab();
    void showSortFields(QComboBox *box, int stored, int fields);
    void showUsers(const PropertiesChoices &choices);
    PropertiesEdit gatherEdit() const;
    void updateIncrementEnabled(int typeIndex);
    // Shows the warning and returns true for an entry the popup list cannot hold.
    bool refusePopupEntry(const QString &entry);

    Prompter &mPrompter;
    Regional mRegional;
    Database mEdited;
    bool mPrepared = false;
    int mField = 1;
    PropertiesChoices mChoices;
    // One text for the whole run: filled by Cut, read by Paste.
    QString mPopupClipboard;

    QTabWidget *mPages = nullptr;
    QWidget *mFieldTab = nullptr;
    QWidget *mPopupTab = nullptr;
    QLineEdit *mName = nullptr;
    QCheckBox *mPrivate = nullptr;
    QCheckBox *mAutoLock = nullptr;
    QCheckBox *mReadOnly = nullptr;
    QCheckBox *mKriboFilter = nullptr;
    QLineEdit *mFieldName = nullptr;
    QComboBox *mFieldType = nullptr;
    QComboBox *mFieldWidth = nullptr;
    QLabel *mIncrementLabel = nullptr;
    QComboBox *mIncrement = nullptr;
    QLineEdit *mNewEntry = nullptr;
    QListWidget *mPopup = nullptr;
    QPushButton *mPaste = nullptr;
    QComboBox *mFilterFields = nullptr;
    QLineEdit *mFilter = nullptr;
    QCheckBox *mFilterMB = nullptr;
    QRadioButton *mInclude = nullptr;
    QRadioButton *mExclude = nullptr;
    QCheckBox *mFilterOn = nullptr;
    QLabel *mPrimarySort = nullptr;
    QComboBox *mSecondarySort = nullptr;
    QComboBox *mTertiarySort = nullptr;
    QCheckBox *mReverse2 = nullptr;
    QCheckBox *mReverse3 = nullptr;
    QComboBox *mUser = nullptr;
    QCheckBox *mInitialDir = nullptr;
    QCheckBox *mSaveAtInstall = nullptr;
    QCheckBox *mExpertMode = nullptr;
};

} // namespace kribed
