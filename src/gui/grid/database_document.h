// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/auto_size.h"
#include "core/editing/edit_result.h"
#include "core/editing/view_state.h"
#include "core/model/database.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/model/regional.h"
#include "core/platform/formats_memory.h"
#include "core/platform/recovery_store.h"
#include "gui/grid/edit_history.h"
#include "gui/grid/grid_model.h"
#include "gui/grid/grid_places.h"

#include <QDateTime>
#include <QObject>

#include <functional>
#include <optional>
#include <type_traits>
#include <utility>

namespace kribed {

class Prompter;
class RowClipboard;
class UserList;
struct AutoSizing;
struct InstallOptions;

// Owns the one open database and the grid's model over it. Every change of the database enters
// here: each method calls the core operation and emits exactly the model signals for what changed,
// so the grid and the undo history see one door.
//
// Reading is free through database(), which is const: nothing outside this class changes the
// database but through its methods. Commands change it through the recorders of recorded_edits.h
// (each keeps its own undo step) or through the named methods below. The raw changes that hand a
// change the database itself are DocumentDoor's (document_door_p.h), private to gui/grid: the
// recorders and the history's steps use them.
//
// The modified mark is the history's alone (isModified()): a step that marks changes between the
// saved state and the present one, or a change no step holds (markChanged, Copy row, an import).
// The database's own flag, which the core operations set for kribed-cli, only shows that mark.
class DatabaseDocument
    : public QObject
    , public GridEditSink
{
    Q_OBJECT

public:
    explicit DatabaseDocument(const Regional &regional, QObject *parent = nullptr);

    const Database &database() const { return mDatabase; }
    GridModel &model() { return mModel; }
    // The undo history of the open database. A change of cells or shape that does not come
    // through it (recorded_edits.h) ends it, and so do loading, New, Import and Close.
    EditHistory &history() { return mHistory; }

    // The regional rules of the open database: date and time texts, the decimal separator, text
    // order, and the code page its cells are read and typed in. Every core operation on the
    // database that needs them takes them from here.
    const Regional &regional() const { return mRegional; }
    // The desktop's rules, which a loaded database with nothing chosen, a new database and an
    // import read by; they are in force at once, and any choice of formats is dropped.
    void setRegional(const Regional &regional);
    const Regional &desktopRegional() const { return mDesktop; }
    // The cells are read in another code page (the display font's character set changed).
    void setCodePage(const QByteArray &codePage);
    // The formats the user chose for the open database: another locale's dates, times, numbers
    // and text order in the same code page, or the desktop's. Not a change of the database: no
    // undo step, no modified mark, no cell touched. Loading, New, Import and Close go back to
    // the desktop's.
    void chooseFormats(const FormatsChoice &choice);
    const FormatsChoice &formatsChoice() const { return mChoice; }

    // The open database holds changes recovered after a program ended before saving them; they
    // belong to the file as `origin` describes it. Questions that could throw them away default
    // to keeping them, and Save asks before it replaces a file that changed since. Loading, New,
    // Import, Close and a save end it.
    void markRecovered(const RecoveryOrigin &origin) { mRecovered = origin; }
    const std::optional<RecoveryOrigin> &recoveredOrigin() const { return mRecovered; }

    // Reads the file into a copy of the database (so the tables that live for the whole run keep
    // their state). A file that cannot be opened changes nothing; otherwise `beforeReplace` runs
    // (the window leaves its database-open state), and a loaded file replaces the database with
    // the record filter off and the modified flag clear.
    LoadResult load(const QString &path, Prompter &prompter,
                    const std::function<void()> &beforeReplace = {});
    // saveDatabase on the open database; a saved database is unmodified.
    bool save(SaveMode mode, const QString &fileName, int currentColumn, Prompter &prompter);
    // Drops the open database: no records, no fields, no name or path, unmodified.
    void close();
    // A database made new takes the place of the open one: a new history, nothing changed.
    void replace(Database database);
    // A database that no file holds as it is (imported, or recovered after the program ended
    // before a save) takes the place of the open one: a new history that counts as changed.
    void replaceUnsaved(Database database);
    // installDatabase on the open database; when Save at Install saved it on the way, the
    // present state is the saved one.
    bool install(const UserList &users, int userIndex, const InstallOptions &options,
                 const AutoSizing &autoSizing, int currentColumn, Prompter &prompter);

    // A value typed into the grid: the record is stamped first and the text stored after, so a
    // text typed into a Modification Date or Time cell stays (storeEditedText). Returns whether
    // anything changed.
    bool storeTypedText(int field, int record, const QByteArray &value,
                        const QDateTime &now) override;
    // Whether the database holds changes that are not saved: the history's mark.
    bool isModified() const { return mHistory.isModified(); }
    // The database counts as changed though no step holds the change (an append that added no
    // record): the mark lasts until the next save, load or new database.
    void markChanged();
    // A column's width in pixels as the user dragged it, one step that marks the database
    // changed. While the same drag of the same border goes on (`continuesDrag`), its widths are
    // one undo step.
    void setColumnWidth(int field, int pixels, bool continuesDrag = false);

    // How the database is looked at (view_state.h). The filter text, the stored filter field and
    // whether the filter is on are the database's own values, read and written through it; the
    // rest lasts across loads, as the modes are left by the commands that leave them.
    ViewState viewState() const;
    // The one way the view state changes; the views follow `viewStateChanged`. The filter runs
    // when it goes on or off; a filter changed while on shows at its next run
    // (showFilteredRecords), as the user left its settings. With `text` the change is one undo step of that
    // name (none when nothing changes), which marks the database changed only for a new filter
    // text; without, no step: a toggle shows the database another way.
    void changeViewState(const ViewState &state, const QString &text = {});
    // Shows exactly the records the filter keeps (all of them while it is off), after a change
    // the filter does not follow by itself: a sort, a moved row, an undo. No change of the view
    // state.
    void showFilteredRecords();

    // Changes that keep no undo step and leave the history as it is: they show the database
    // another way (the record filter, the display font's scale, widths the grid shows) rather
    // than change what is saved, or they are taken into a recorded step by the caller.
    //
    // The pixels per width unit of the display font.
    void setWidthScale(double scale);
    // Column widths in pixels, field by field (a shorter list leaves the rest).
    void setColumnWidths(const QVector<int> &widths);
    // No column wider than `largest` pixels.
    void limitColumnWidths(int largest);
    // Every column keeps its width in units while the scale went from `oldScale` to the
    // present one.
    void keepColumnUnits(double oldScale);
    // autoSizeColumns on the open database.
    void sizeColumnsAutomatically(AutoWidths &autoWidths, bool on, const TextWidthMeasure &measure);
    // Every cell is shown again (field types steer how cells show).
    void refreshCells();
    // The record's texts go into the row clipboard. Copying counts as a change of the database
    // without changing a value: the mark lasts until the next save, load or new database.
    void copyRow(RowClipboard &clipboard, int record);

Q_SIGNALS:
    // The view takes column widths and hidden rows from the database on these.
    void columnWidthsChanged();
    void rowVisibilityChanged();
    void replaced();
    // A file was loaded into the document (after `replaced`).
    void loaded();
    // The database was written to its file (which Save as may have renamed).
    void saved();
    // The regional rules or their code page changed: every shown text may read differently.
    void regionalChanged();
    // The view state may have changed: by changeViewState, an undo or redo, a load, or the
    // properties taken.
    void viewStateChanged();

private:
    friend class DocumentDoor;
    friend class EditHistory;

    void notifyFieldNamesChanged();
    // The database's own flag shows the history's mark again.
    void showMark();
    // Whole-row and whole-column drags (DocumentDoor, for the recorders and steps).
    void moveRecord(int from, int to);
    void moveField(int from, int to);
    // Takes a width of a drag that goes on into the drag's step; false when there is none.
    bool extendColumnDrag(int field, int pixels);
    void remapPersistentRows(const QVector<int> &oldOfNew);
    void writeViewState(const ViewState &before, const ViewState &state);
    // Tells the views when the database's own filter values changed under them.
    void noteStoredFilter();
    // The column filters follow fields inserted, removed or moved (`remap` renumbers them); a
    // filter whose field went, goes with it, and the records run through the rest again.
    void followFields(const std::function<void(ColumnFilters &)> &remap);
    // The type of each field, and the column filters of fields whose type is no longer the one
    // given (their conditions read the old type).
    QVector<int> fieldTypes() const;
    void dropFiltersOfRetypedFields(const QVector<int> &typesBefore);

    Database mDatabase;
    GridModel mModel;
    EditHistory mHistory;
    Regional mDesktop;
    Regional mRegional;
    FormatsChoice mChoice;
    std::optional<RecoveryOrigin> mRecovered;
    // The view state but for the database's own values (see viewState()).
    ViewState mView;
    ViewState mViewShown;
};

} // namespace kribed
