// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/view_state.h"
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
// kept. It holds no filter of its own: it shows the match options it is prepared with, and tells
// the field and match options as it is left (`filterLeft`, OK and Cancel alike), which the
// filter then runs with.
class PropertiesDialog : public QDialog
{
    Q_OBJECT

public:
    // Warnings go through the prompter, which outlives the dialog.
    explicit PropertiesDialog(Prompter &prompter, QWidget *parent = nullptr);

    // The show steps for field `field` (1..m) of a copy of the database, which the dialog edits;
    // "Field must begin with string" and INCLUDE or EXCLUDE as `filter` has them (the field and
    // text shown are the database's).
    void prepare(const Database &database, int field, const PropertiesChoices &choices,
                 const FilterCondition &filter = {});
    // The copy as OK left it: its values taken and the record filter run with the match options
    // as left; marked changed. Until OK, the prepared database as it was.
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

    // Shows or hides the "Popup" tab; hiding it empties the list box and the new-entry box.
    void showPopupTab(bool show);

public Q_SLOTS:
    void okClicked();
    void appendClicked();
    void cutClicked();
    void pasteClicked();
    void sortClicked();
    void fieldTypeChanged(int index);
    void done(int result) override;

Q_SIGNALS:
    // The dialog closes (OK, Cancel or Escape): the field chosen and the match options as the
    // Filter tab shows them, which the record filter runs with from now on (the text is taken
    // only by OK, with the database's values).
    void filterLeft(const FilterCondition &filter);

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
    FilterCondition filterAsShown() const;
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
