// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/exchange_commands.h"

#include "core/exchange/csv_exchange.h"
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/workbook_export.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/commands/command_support.h"
#include "gui/commands/wait_cursor.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/grid/recorded_edits.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressDialog>

#include <algorithm>

namespace kribed {

namespace {

TextType typeOfIndex(int filterIndex, TextType fallback)
{
    return importTypeOfFilterIndex(filterIndex).value_or(fallback);
}

// The encoding of a standard CSV file, asked; the described types are never converted. None when
// the user cancelled.
std::optional<CsvEncoding> encodingFor(Workspace &workspace, TextType type, bool reading)
{
    if (type != TextType::Csv)
        return CsvEncoding::Utf8;
    return askCsvEncoding(workspace.prompter(), reading,
                          workspace.document().regional().codePage());
}

// The number of entries of a dialog's filter text: the index the entry after them gets.
int entryCount(const QString &filter)
{
    return int(filter.count(u'|')) / 2;
}

// The SQLite entries follow the text types in both dialogs.
int sqliteImportIndex()
{
    return entryCount(importFilterTextWithCsv()) + 1;
}
int sqliteExportIndex()
{
    return entryCount(exportFilterTextWithCsv()) + 1;
}
// The Excel workbook follows the SQLite entry in the Export dialog.
int workbookExportIndex()
{
    return sqliteExportIndex() + 1;
}

// The suffix the Export dialog opens with: the extension of the entry chosen last time.
QString exportSuffixOf(int filterIndex)
{
    if (filterIndex == sqliteExportIndex())
        return QStringLiteral("sqlite");
    if (filterIndex == workbookExportIndex())
        return workbookExtension();
    return defaultExtensionOf(exportTypeOfFilterIndex(filterIndex).value_or(TextType::Comma));
}

} // namespace

ExchangeCommands::ExchangeCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionImport(makeCommandAction(this, "actionImport", tr("I&mport..."), {}, tr("Import")))
    , actionAppend(makeCommandAction(this, "actionAppend", tr("Appen&d...")))
    , actionExport(makeCommandAction(this, "actionExport", tr("&Export..."), {}, tr("Export")))
    , mWorkspace(workspace)
    , mOpenIndex(int(TextType::Comma))
    , mSaveIndex(int(TextType::Comma))
{
    connect(actionImport, &QAction::triggered, this, &ExchangeCommands::importText);
    connect(actionAppend, &QAction::triggered, this, &ExchangeCommands::appendText);
    connect(actionExport, &QAction::triggered, this, &ExchangeCommands::exportText);
}

CommandPlacements ExchangeCommands::placements() const
{
    return {
        {actionImport, MenuId::File, 300, true, 60, "document-import"},
        {actionAppend, MenuId::File, 310},
        {actionExport, MenuId::File, 320, false, 70, "document-export"},
    };
}

void ExchangeCommands::setDatabaseOpen(bool open)
{
    actionAppend->setEnabled(open);
    actionExport->setEnabled(open);
}

std::optional<ExchangeCommands::ChosenFile> ExchangeCommands::chooseTextFile(
    const QString &title, const QString &proposedFile, bool offerSqlite)
{
    FileRequest request;
    request.title = title;
    request.filter = importFilterTextWithCsv();
    if (offerSqlite)
        request.filter += sqliteImportFilterEntry();
    request.filterIndex = mOpenIndex;
    // "*.*" names no extension: a dialog that appended it would look for "name.*.*".
    const QString suffix = defaultExtensionOf(typeOfIndex(mOpenIndex, TextType::Comma));
    request.defaultSuffix = suffix == QStringLiteral("*.*") ? QString() : suffix;
    if (!proposedFile.isEmpty()) {
        request.initialFolder = QFileInfo(proposedFile).path();
        request.proposedName = QFileInfo(proposedFile).fileName();
    }
    const std::optional<FileChoice> choice = mWorkspace.fileDialogs().openFile(request);
    if (!choice)
        return std::nullopt;
    if (importTypeOfFilterIndex(choice->filterIndex))
        mOpenIndex = choice->filterIndex;
    return ChosenFile{choice->path, typeOfIndex(choice->filterIndex, TextType::Comma),
                      offerSqlite && choice->filterIndex == sqliteImportIndex()};
}

ExchangeResult ExchangeCommands::importSqlite(const QString &path, Database &imported)
{
    Prompter &prompter = mWorkspace.prompter();
    const std::optional<SqliteTables> tables = readSqliteTables(path, prompter);
    if (!tables)
        return ExchangeResult::Failed;
    if (tables->names.isEmpty()) {
        prompter.ask(
            {tr("Error"), tr("The SQLite database holds no table."), Icon::Error, Buttons::Ok});
        return ExchangeResult::Failed;
    }
    QString table = tables->names.constFirst();
    if (tables->names.size() > 1) {
        const std::optional<QString> chosen = mWorkspace.fileDialogs().chooseItem(
            tr("Import"), tr("Table or view:"), tables->names,
            std::max(0, int(tables->names.indexOf(tables->exported))));
        if (!chosen)
            return ExchangeResult::Cancelled;
        table = *chosen;
    }
    // A slow view shows how far the reading got, and Cancel stops it.
    QProgressDialog progress(tr("Reading \"%1\"...").arg(table), tr("Cancel"), 0, MaxRecords,
                             mWorkspace.mainWindow());
    progress.setWindowTitle(tr("Import"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QElapsedTimer sinceShown;
    sinceShown.start();
    const SqliteProgress reading = [&](int records) {
        // SQLite asks often; the window is kept up to date a few times a second.
        if (sinceShown.elapsed() >= 100) {
            progress.setValue(std::min(records, MaxRecords));
            // setValue leaves the events alone while the count stands still (a view sorting
            // before its first row): Cancel must still be seen.
            QCoreApplication::processEvents();
            sinceShown.restart();
        }
        return !progress.wasCanceled();
    };
    WaitCursor wait;
    return importSqliteFile(path, table, imported, prompter, mWorkspace.document().regional(),
                            reading);
}

void ExchangeCommands::importText()
{
    importProposedText(QString());
}

void ExchangeCommands::importProposedText(const QString &proposedFile)
{
    // The preparations stay even when the command is then abandoned.
    leaveModes(mWorkspace, true);
    if (confirmDiscardChanges(mWorkspace))
        return;
    const auto chosen = chooseTextFile(tr("Import"), proposedFile, true);
    if (!chosen)
        return;
    const std::optional<CsvEncoding> encoding =
        chosen->sqlite ? CsvEncoding::Utf8 : encodingFor(mWorkspace, chosen->type, true);
    if (!encoding)
        return;

    // The import reads into a copy (the rows are shared, not copied), so the grid never shows a
    // half-read file and a refused file leaves the open database as it was.
    DatabaseDocument &document = mWorkspace.document();
    Database imported = document.database();
    ExchangeResult result;
    if (chosen->sqlite) {
        result = importSqlite(chosen->path, imported);
    } else {
        WaitCursor wait;
        result = importTextFile(chosen->path, chosen->type, imported, mWorkspace.prompter(),
                                mWorkspace.document().regional(), *encoding);
    }
    if (result != ExchangeResult::Done)
        return;
    document.replaceUnsaved(std::move(imported));
    mWorkspace.setCurrentCell(1, 1);
    mWorkspace.modes().applyFilter(false);
    mWorkspace.setDatabaseOpen(true);
}

void ExchangeCommands::exportText()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    const Database &database = mWorkspace.document().database();
    FileRequest request;
    request.title = tr("Export");
    request.filter = exportFilterTextWithCsv() + sqliteExportFilterEntry() + workbookFilterEntry();
    request.filterIndex = mSaveIndex;
    request.defaultSuffix = exportSuffixOf(mSaveIndex);
    request.proposedName = QFileInfo(database.filePath()).completeBaseName();
    request.askBeforeOverwrite = true;
    request.suffixFromFilter = true;
    std::optional<FileChoice> choice = mWorkspace.fileDialogs().saveFile(request);
    if (!choice)
        return;
    // The type chosen decides the extension, whatever the entry the dialog opened with.
    choice->path = fileNameForFilter(choice->path, request.filter, choice->filterIndex);
    // Failures and the cells kept as text are told through the prompter.
    if (choice->filterIndex == sqliteExportIndex()) {
        mSaveIndex = choice->filterIndex;
        WaitCursor wait;
        exportSqliteFile(choice->path, database, mWorkspace.prompter(),
                         mWorkspace.document().regional());
        return;
    }
    if (choice->filterIndex == workbookExportIndex()) {
        mSaveIndex = choice->filterIndex;
        WaitCursor wait;
        exportWorkbookFile(choice->path, database, mWorkspace.prompter(),
                           mWorkspace.document().regional());
        return;
    }
    const TextType type = exportTypeOfFilterIndex(choice->filterIndex).value_or(TextType::Comma);
    mSaveIndex = exportFilterIndexOf(type);
    const std::optional<CsvEncoding> encoding = encodingFor(mWorkspace, type, false);
    if (!encoding)
        return;
    WaitCursor wait;
    exportTextFile(choice->path, type, database, mWorkspace.prompter(),
                   mWorkspace.document().regional(), *encoding);
}

void ExchangeCommands::appendText()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace, true);
    const auto chosen = chooseTextFile(tr("Append"));
    if (!chosen)
        return;
    const std::optional<CsvEncoding> encoding = encodingFor(mWorkspace, chosen->type, true);
    if (!encoding)
        return;

    // The records are read into a copy (rows shared) and then enter the grid as one insertion.
    DatabaseDocument &document = mWorkspace.document();
    Database appended = document.database();
    const int before = appended.recordCount();
    ExchangeResult result;
    {
        WaitCursor wait;
        result = appendTextFile(chosen->path, chosen->type, appended, mWorkspace.prompter(),
                                mWorkspace.document().regional(), *encoding);
    }
    if (result == ExchangeResult::Cancelled)
        return;
    const int added = appended.recordCount() - before;
    if (added > 0) {
        recordInsertedRecords(document, tr("Append"), before + 1, added,
                              [&appended](Database &database) { database = std::move(appended); });
    } else if (appended.isModified()) {
        document.markChanged();
    }
    if (result == ExchangeResult::Done || added > 0)
        mWorkspace.setCurrentCell(mWorkspace.currentField(), document.database().recordCount());
}

} // namespace kribed
