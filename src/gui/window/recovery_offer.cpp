// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/window/recovery_offer.h"

#include "core/model/pdb_writer.h"
#include "core/model/recovery_snapshot.h"
#include "core/platform/prompter.h"
#include "gui/commands/command_support.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/window/recovery_writer.h"

#include <QFileInfo>
#include <QTableView>
#include <QTimer>

namespace kribed {

namespace {

// Reading recovered data must not ask anything: any message at all means it does not read as
// the database it was written from.
class NotingPrompter : public Prompter
{
public:
    Answer ask(const Message &message) override
    {
        if (mFirst.isEmpty())
            mFirst = message.text;
        return message.buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }
    QString mFirst;
};

// The column the recovered data was written with (the write keeps the current column in the
// primary sort word), so that Save as... writes it as the program would have.
int writtenColumn(const Database &database)
{
    const int word = database.appInfoImage().word(AppInfo::PrimarySortOffset);
    return qBound(1, word - 1, qMax(1, database.fieldCount()));
}

// How many records of the recovered database differ from the file as it is now (all of them
// where there is no file); -1 when the file cannot be read.
int changedRecordCount(const Database &recovered, const RecoveryEntry &shown,
                       const Database &tables)
{
    if (shown.fileState == OriginState::NoFile || shown.fileState == OriginState::Gone)
        return recovered.recordCount();
    Database onDisk = tables;
    NotingPrompter quiet;
    if (loadDatabaseFile(shown.path, onDisk, quiet, OpenAccess::ReadOnly) != LoadResult::Loaded)
        return -1;
    const QVector<Record> &now = onDisk.records();
    const QVector<Record> &then = recovered.records();
    int changed = int(qAbs(now.size() - then.size()));
    for (qsizetype r = 0; r < qMin(now.size(), then.size()); ++r)
        changed += now[r] == then[r] ? 0 : 1;
    return changed;
}

bool isSameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    const QFileInfo first(a);
    const QFileInfo second(b);
    const QString canonical = first.canonicalFilePath();
    if (!canonical.isEmpty() && canonical == second.canonicalFilePath())
        return true;
    return first.absoluteFilePath() == second.absoluteFilePath();
}

} // namespace

RecoveryOffer::RecoveryOffer(Workspace &workspace, RecoveryWriter &writer, const QString &root,
                             QObject *parent)
    : QObject(parent)
    , mWorkspace(workspace)
    , mWriter(writer)
    , mDialog(workspace.mainWindow())
{
    readEntries(root);
    connect(&mDialog, &RecoveryDialog::recoverAsked, this, &RecoveryOffer::recover);
    connect(&mDialog, &RecoveryDialog::saveAsAsked, this, &RecoveryOffer::saveAs);
    connect(&mDialog, &RecoveryDialog::discardAsked, this, &RecoveryOffer::discard);
    // What is left waits for the next start; another program may offer it from now on.
    connect(&mDialog, &QDialog::finished, this, [this] {
        mEntries.clear();
        Q_EMIT finished();
    });
}

RecoveryOffer::~RecoveryOffer() = default;

void RecoveryOffer::readEntries(const QString &root)
{
    QList<RecoveryEntry> shown;
    for (std::unique_ptr<RecoverySlot> &slot : orphanedRecoverySlots(root)) {
        Entry entry;
        const RecoveryReading reading = readRecoveryFile(slot->dataPath());
        entry.slot = std::move(slot);
        entry.data = reading.data;
        entry.shown = {reading.data.origin.path, reading.data.written,
                       originState(reading.data.origin), reading.problem};
        if (reading.problem.isEmpty()) {
            // The tables that live for the whole run start from the open database's, as a load
            // does.
            entry.database = mWorkspace.document().database();
            NotingPrompter noting;
            const LoadResult result = readRecoveredDatabase(
                reading.data.database, reading.data.origin.path, entry.database, noting);
            if (result != LoadResult::Loaded || !noting.mFirst.isEmpty()) {
                entry.shown.damage = tr("It does not read as a database.");
                if (!noting.mFirst.isEmpty())
                    entry.shown.damage += u' ' + noting.mFirst;
            } else {
                // The changes made after the snapshot, as far as they are whole.
                const JournalReplay replay =
                    replayJournals(entry.slot->folder(), entry.data, entry.database);
                if (replay.lastChange.isValid())
                    entry.shown.written = qMax(entry.shown.written, replay.lastChange);
                entry.shown.changedRecords = changedRecordCount(entry.database, entry.shown,
                                                                mWorkspace.document().database());
            }
        }
        if (!entry.shown.written.isValid())
            entry.shown.written = QFileInfo(entry.slot->dataPath()).lastModified();
        shown << entry.shown;
        mEntries.push_back(std::move(entry));
    }
    mDialog.setEntries(shown);
}

void RecoveryOffer::open()
{
    mDialog.open();
    mDialog.selectEntry(0);
}

void RecoveryOffer::recover(int row)
{
    Entry &entry = mEntries[size_t(row)];
    if (!entry.shown.damage.isEmpty() || mWorkspace.document().isModified())
        return;
    Database database = entry.database;
    database.showAllRecords();
    database.setFilterOn(false);
    mWorkspace.setDatabaseOpen(false);
    mWorkspace.document().replaceUnsaved(std::move(database));
    mWorkspace.document().markRecovered(entry.data.origin);
    mWorkspace.document().chooseFormats({entry.data.formats});
    mRecovered = true;
    mRecoveredPath = entry.data.origin.path;
    mWorkspace.setCurrentCell(1, 1);
    switchRecordFilter(mWorkspace, false);
    mWorkspace.setDatabaseOpen(true);
    mWriter.takeOver(std::move(entry.slot), entry.data.origin);
    mEntries.erase(mEntries.begin() + row);
    mDialog.removeEntry(row);
    // One database is open at a time: the others wait for the next start.
    mDialog.accept();
    // The grid takes the keyboard, as after Open: without a window manager nothing hands the
    // window its activation back once the dialog is gone.
    mWorkspace.mainWindow()->activateWindow();
    mWorkspace.gridView().setFocus();
}

void RecoveryOffer::saveAs(int row)
{
    Entry &entry = mEntries[size_t(row)];
    if (!entry.shown.damage.isEmpty())
        return;
    const QFileInfo origin(entry.data.origin.path);
    FileRequest request;
    request.title = tr("Save Kribo database");
    request.filter = tr("Kribo database (*.pdb)|*.pdb");
    request.defaultSuffix = QStringLiteral("pdb");
    if (!entry.data.origin.path.isEmpty()) {
        request.initialFolder = origin.absolutePath();
        request.proposedName = origin.completeBaseName();
    }
    const std::optional<FileChoice> choice = mWorkspace.fileDialogs().saveFile(request);
    if (!choice)
        return;
    Database copy = entry.database;
    if (!saveDatabase(copy, SaveMode::ChosenName, pdbFileName(choice->path), writtenColumn(copy),
                      mWorkspace.prompter()))
        return; // told by the save; the recovery data stays
    dropEntry(row);
}

void RecoveryOffer::discard(int row)
{
    const Entry &entry = mEntries[size_t(row)];
    QString name = QFileInfo(entry.data.origin.path).fileName();
    if (entry.data.origin.path.isEmpty()) {
        name = entry.shown.damage.isEmpty() ? tr("a database without a file")
                                            : tr("a database that cannot be read");
    }
    const Answer answer = mWorkspace.prompter().ask(
        {tr("Recovery"),
         tr("Discard the unsaved changes to %1? They cannot be brought back.").arg(name),
         Icon::Warning, Buttons::YesNo});
    if (answer == Answer::Yes)
        dropEntry(row);
}

void RecoveryOffer::dropEntry(int row)
{
    if (!mEntries[size_t(row)].slot->remove()) {
        mWorkspace.prompter().ask({tr("Recovery"),
                                   tr("The recovery data could not be removed: %1")
                                       .arg(mEntries[size_t(row)].slot->dataPath()),
                                   Icon::Error, Buttons::Ok});
        return;
    }
    mEntries.erase(mEntries.begin() + row);
    mDialog.removeEntry(row);
    if (mEntries.empty())
        mDialog.accept();
}

void offerThenOpen(RecoveryOffer &offer, FileCommands &files, const QString &file)
{
    const auto openNamedFile = [&offer, &files, file] {
        if (file.isEmpty())
            return;
        // Already open, with the recovered changes: opening it again would put the file's older
        // state in their place.
        if (offer.hasRecovered() && isSameFile(file, offer.recoveredPath()))
            return;
        files.openNamedDatabase(file);
    };
    if (offer.isEmpty()) {
        QTimer::singleShot(0, &files, openNamedFile);
        return;
    }
    QObject::connect(&offer, &RecoveryOffer::finished, &files, openNamedFile, Qt::QueuedConnection);
    QTimer::singleShot(0, &offer, [&offer] { offer.open(); });
}

} // namespace kribed
