// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/exchange_commands.h"

#include "core/exchange/csv_exchange.h"
#include "core/exchange/exchange_formats.h"
#include "core/exchange/import_plan.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"
#include "gui/commands/command_support.h"
#include "gui/commands/wait_cursor.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/import_preview_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/grid/recorded_edits.h"

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressDialog>

#include <algorithm>

namespace kribed {

namespace {

// The encoding of a standard CSV file, asked; the described types are never converted. None when
// the user cancelled.
std::optional<CsvEncoding> encodingFor(Workspace &workspace, const ExchangeFormat &format,
                                       bool reading)
{
    if (!format.asksEncoding)
        return CsvEncoding::Utf8;
    return askCsvEncoding(workspace.prompter(), reading,
                          workspace.document().regional().codePage());
}

// The first bytes of a text file, where a binary file shows; none for a file of tables.
QByteArray fileStart(const ExchangeFormat &format, const QString &path)
{
    constexpr qint64 Looked = 1 << 16;
    QFile file(path);
    if (format.listTables || !file.open(QIODevice::ReadOnly))
        return {};
    return file.read(Looked);
}

} // namespace

ExchangeCommands::ExchangeCommands(Workspace &workspace, QObject *parent)
    : QObject(parent)
    , actionImport(makeCommandAction(this, "actionImport", tr("I&mport..."), {}, tr("Import")))
    , actionAppend(makeCommandAction(this, "actionAppend", tr("Appen&d...")))
    , actionExport(makeCommandAction(this, "actionExport", tr("&Export..."), {}, tr("Export")))
    , mWorkspace(workspace)
    , mOpenFormat(&defaultExchangeFormat())
    , mSaveFormat(&defaultExchangeFormat())
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

std::optional<ExchangeCommands::ChosenFile> ExchangeCommands::chooseFile(
    const QString &title, ExchangeUse use, const QString &proposedFile)
{
    FileRequest request;
    request.title = title;
    request.filter = exchangeFilterText(use);
    request.filterIndex = exchangeFilterIndex(use, *mOpenFormat);
    request.defaultSuffix = mOpenFormat->defaultSuffix;
    if (!proposedFile.isEmpty()) {
        request.initialFolder = QFileInfo(proposedFile).path();
        request.proposedName = QFileInfo(proposedFile).fileName();
    }
    const std::optional<FileChoice> choice = mWorkspace.fileDialogs().openFile(request);
    if (!choice)
        return std::nullopt;
    const ExchangeFormat *format = exchangeFormatAt(use, choice->filterIndex);
    if (!format)
        return ChosenFile{choice->path, &defaultExchangeFormat(), std::nullopt};
    // Only an entry both Import and Append offer is the one their dialog opens with next time.
    if (format->offeredFor(ExchangeUse::Import) && format->offeredFor(ExchangeUse::Append))
        mOpenFormat = format;
    return ChosenFile{choice->path, format, std::nullopt};
}

std::optional<ImportSource> ExchangeCommands::sourceOf(ChosenFile &chosen)
{
    ImportSource source;
    source.path = chosen.path;
    if (chosen.format->textType) {
        WaitCursor wait;
        chosen.encoding = detectFileEncoding(chosen.path);
    }
    if (chosen.encoding) {
        // The preview's encoding box starts with it, and answers standard CSV's question.
        setTextEncoding(source, chosen.encoding->encoding);
    } else {
        const std::optional<CsvEncoding> encoding = encodingFor(mWorkspace, *chosen.format, true);
        if (!encoding)
            return std::nullopt;
        source.encoding = *encoding;
    }
    if (!chosen.format->listTables)
        return source;
    const std::optional<QString> table = chooseTable(*chosen.format, chosen.path);
    if (!table)
        return std::nullopt;
    source.table = *table;
    return source;
}

std::optional<QString> ExchangeCommands::chooseTable(const ExchangeFormat &format,
                                                     const QString &path)
{
    Prompter &prompter = mWorkspace.prompter();
    const std::optional<SqliteTables> tables = format.listTables(path, prompter);
    if (!tables)
        return std::nullopt;
    if (tables->names.isEmpty()) {
        prompter.ask(
            {tr("Error"), tr("The SQLite database holds no table."), Icon::Error, Buttons::Ok});
        return std::nullopt;
    }
    if (tables->names.size() == 1)
        return tables->names.constFirst();
    return mWorkspace.fileDialogs().chooseItem(
        tr("Import"), tr("Table or view:"), tables->names,
        std::max(0, int(tables->names.indexOf(tables->exported))));
}

ImportPlan ExchangeCommands::readImport(const ExchangeFormat &format, ImportSource source)
{
    if (source.table.isEmpty()) {
        WaitCursor wait;
        return format.readImport(source, mWorkspace.document().regional());
    }
    // A slow view shows how far the reading got, and Cancel stops it.
    QProgressDialog progress(tr("Reading \"%1\"...").arg(source.table), tr("Cancel"), 0, MaxRecords,
                             mWorkspace.mainWindow());
    progress.setWindowTitle(tr("Import"));
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(500);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    QElapsedTimer sinceShown;
    sinceShown.start();
    source.progress = [&](int records) {
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
    return format.readImport(source, mWorkspace.document().regional());
}

std::optional<ImportPlan> ExchangeCommands::preview(ImportPlan::Kind kind, const ChosenFile &chosen,
                                                    const ImportSource &source, ImportPlan &&read,
                                                    const Database *target,
                                                    std::optional<QLocale> *formats)
{
    const ExchangeFormat &format = *chosen.format;
    if (read.failure == PlanFailure::Cancelled)
        return std::nullopt;
    const bool text = !format.listTables;
    // A file that cannot be opened says so as it always did.
    if (text && read.failure == PlanFailure::Unreadable) {
        if (kind == ImportPlan::Kind::Import)
            return std::move(read);
        return format.readAppend(source, *target, mWorkspace.document().regional());
    }
    const Regional regional = mWorkspace.document().regional();
    ImportPreviewSetup setup;
    setup.kind = kind;
    setup.format = &format;
    setup.source = source;
    setup.detectedEncoding = chosen.encoding;
    // An imported database reads by the desktop's formats, appended records by the open one's.
    setup.regional =
        kind == ImportPlan::Kind::Import ? mWorkspace.document().desktopRegional() : regional;
    setup.target = target;
    setup.readFile = [&format, regional](const ImportSource &changed) {
        WaitCursor wait;
        return format.readImport(changed, regional);
    };
    if (kind == ImportPlan::Kind::Append)
        setup.readAppend = [&format, regional, target](const ImportSource &changed) {
            WaitCursor wait;
            return format.readAppend(changed, *target, regional);
        };
    setup.firstRead = std::move(read);
    setup.fileStart = fileStart(format, source.path);
    ImportPreviewDialog dialog(std::move(setup), mWorkspace.mainWindow());
    if (!mWorkspace.fileDialogs().confirmDialog(dialog))
        return std::nullopt;
    if (formats)
        *formats = dialog.chosenFormats();
    return dialog.plan();
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
    auto chosen = chooseFile(tr("Import"), ExchangeUse::Import, proposedFile);
    if (!chosen)
        return;
    const std::optional<ImportSource> source = sourceOf(*chosen);
    if (!source)
        return;

    // The import reads into a copy (the rows are shared, not copied), so the grid never shows a
    // half-read file and a refused file leaves the open database as it was.
    DatabaseDocument &document = mWorkspace.document();
    Database imported = document.database();
    std::optional<QLocale> formats;
    std::optional<ImportPlan> plan =
        preview(ImportPlan::Kind::Import, *chosen, *source, readImport(*chosen->format, *source),
                nullptr, &formats);
    if (!plan)
        return;
    const ExchangeResult result = carryOutImport(std::move(*plan), imported, mWorkspace.prompter());
    if (result != ExchangeResult::Done)
        return;
    document.replaceUnsaved(std::move(imported));
    // The formats the preview read the file in are the new database's, as if chosen for it.
    if (formats)
        document.chooseFormats({formats->name()});
    mWorkspace.setCurrentCell(1, 1);
    switchRecordFilter(mWorkspace, false);
    mWorkspace.setDatabaseOpen(true);
}

void ExchangeCommands::exportText()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    const Database &database = mWorkspace.document().database();
    FileRequest request;
    request.title = tr("Export");
    request.filter = exchangeFilterText(ExchangeUse::Export);
    request.filterIndex = exchangeFilterIndex(ExchangeUse::Export, *mSaveFormat);
    request.defaultSuffix = mSaveFormat->defaultSuffix;
    request.proposedName = QFileInfo(database.filePath()).completeBaseName();
    request.askBeforeOverwrite = true;
    request.suffixFromFilter = true;
    std::optional<FileChoice> choice = mWorkspace.fileDialogs().saveFile(request);
    if (!choice)
        return;
    // The type chosen decides the extension, whatever the entry the dialog opened with.
    choice->path = fileNameForFilter(choice->path, request.filter, choice->filterIndex);
    const ExchangeFormat *format = exchangeFormatAt(ExchangeUse::Export, choice->filterIndex);
    mSaveFormat = format ? format : &defaultExchangeFormat();
    const std::optional<CsvEncoding> encoding = encodingFor(mWorkspace, *mSaveFormat, false);
    if (!encoding)
        return;
    // Failures and the cells kept as text are told through the prompter.
    WaitCursor wait;
    mSaveFormat->write(choice->path, database, mWorkspace.prompter(),
                       mWorkspace.document().regional(), *encoding);
}

void ExchangeCommands::appendText()
{
    if (!mWorkspace.isDatabaseOpen())
        return;
    leaveModes(mWorkspace, true);
    auto chosen = chooseFile(tr("Append"), ExchangeUse::Append);
    if (!chosen)
        return;
    const std::optional<ImportSource> source = sourceOf(*chosen);
    if (!source)
        return;

    // The records are read into a copy (rows shared) and then enter the grid as one insertion.
    DatabaseDocument &document = mWorkspace.document();
    Database appended = document.database();
    const int before = appended.recordCount();
    ImportPlan file;
    {
        WaitCursor wait;
        file = chosen->format->readImport(*source, mWorkspace.document().regional());
    }
    std::optional<ImportPlan> plan =
        preview(ImportPlan::Kind::Append, *chosen, *source, std::move(file), &appended);
    if (!plan)
        return;
    const ExchangeResult result = carryOutImport(std::move(*plan), appended, mWorkspace.prompter());
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
