// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/file_commands.h"

#include "core/exchange/new_database.h"
#include "core/handheld/install.h"
#include "core/model/database.h"
#include "core/platform/prompter.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/commands/command_support.h"
#include "gui/commands/exchange_commands.h"
#include "gui/commands/file_drop.h"
#include "gui/commands/wait_cursor.h"
#include "gui/commands/workspace.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/welcome_panel.h"
#include "gui/grid/database_document.h"
#include "gui/print/print_preview.h"
#include "gui/print/print_renderer.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QWidget>

namespace kribed {

namespace {

std::array<QAction *, RecentFileCount> makeRecentFileActions(QObject *owner)
{
    std::array<QAction *, RecentFileCount> actions{};
    for (int slot = 0; slot < RecentFileCount; ++slot) {
        const QByteArray name = "actionRecentFile" + QByteArray::number(slot + 1);
        actions[slot] = makeCommandAction(owner, name.constData(), QString());
    }
    return actions;
}

QAction *makeSeparator(QObject *owner, const char *name)
{
    auto *separator = new QAction(owner);
    separator->setSeparator(true);
    separator->setObjectName(QString::fromLatin1(name));
    return separator;
}

} // namespace

FileCommands::FileCommands(Workspace &workspace, ExchangeCommands &exchange, QObject *parent)
    : QObject(parent)
    , actionNew(makeCommandAction(this, "actionNew", tr("&New..."), {}, tr("New")))
    , actionOpen(makeCommandAction(this, "actionOpen", tr("&Open..."),
                                   QKeySequence(Qt::CTRL | Qt::Key_O), tr("Open")))
    , actionClose(makeCommandAction(this, "actionClose", tr("&Close")))
    , actionSave(makeCommandAction(this, "actionSave", tr("S&ave"),
                                   QKeySequence(Qt::CTRL | Qt::Key_S), tr("Save")))
    , actionSaveAs(makeCommandAction(this, "actionSaveAs", tr("Save as..."),
                                     QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)))
    , actionInstall(makeCommandAction(this, "actionInstall", tr("&Install"),
                                      QKeySequence(Qt::CTRL | Qt::Key_I),
                                      tr("Install database for hotsync")))
    , actionPrint(makeCommandAction(this, "actionPrint", tr("&Print..."),
                                    QKeySequence(Qt::CTRL | Qt::Key_P), tr("Print")))
    , actionPrintPreview(makeCommandAction(this, "actionPrintPreview", tr("Print preview...")))
    , separatorRecentFiles(makeSeparator(this, "separatorRecentFiles"))
    , actionRecentFiles(makeRecentFileActions(this))
    , separatorExit(makeSeparator(this, "separatorExit"))
    , actionExit(makeCommandAction(this, "actionExit", tr("E&xit")))
    , mWorkspace(workspace)
    , mNewDatabaseDialog(workspace.prompter(), workspace.mainWindow())
    , mWelcome(
          new WelcomePanel(actionOpen, actionNew, exchange.actionImport, workspace.mainWindow()))
{
    actionExit->setShortcuts(
        {QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_Q)});
    connect(actionNew, &QAction::triggered, this, &FileCommands::newDatabase);
    connect(actionOpen, &QAction::triggered, this, &FileCommands::openDatabase);
    connect(actionClose, &QAction::triggered, this, &FileCommands::closeDatabase);
    connect(actionSave, &QAction::triggered, this, &FileCommands::save);
    connect(actionSaveAs, &QAction::triggered, this, &FileCommands::saveAs);
    connect(actionInstall, &QAction::triggered, this, &FileCommands::install);
    connect(actionPrint, &QAction::triggered, this, &FileCommands::print);
    connect(actionPrintPreview, &QAction::triggered, this, &FileCommands::printPreview);
    for (int slot = 0; slot < RecentFileCount; ++slot)
        connect(actionRecentFiles[slot], &QAction::triggered, this,
                [this, slot] { openRecentFile(slot); });
    connect(actionExit, &QAction::triggered, this, &FileCommands::exit);
    // Modal over the main window; OK's database reaches the window through `accepted`.
    connect(&mNewDatabaseDialog, &QDialog::accepted, this, &FileCommands::createNewDatabase);

    connect(mWelcome, &WelcomePanel::recentFileChosen, this, &FileCommands::openRecentFile);
    connect(this, &FileCommands::recentFilesChanged, mWelcome,
            [this] { mWelcome->setRecentFiles(mRecent); });
    auto *drops = new FileDropFilter(workspace.mainWindow());
    connect(drops, &FileDropFilter::databaseDropped, this, &FileCommands::openNamedDatabase);
    connect(drops, &FileDropFilter::textFileDropped, &exchange,
            &ExchangeCommands::importProposedText);
    // The first database dialog of a run starts in the selected user's backup folder.
    const Settings &settings = workspace.settings();
    start(startingFolder(settings.initialDir, workspace.users(), workspace.selectedUser()),
          settings.recentFiles);
}

CommandPlacements FileCommands::placements() const
{
    CommandPlacements table = {
        {actionNew, MenuId::File, 100, false, 10, "document-new"},
        {actionOpen, MenuId::File, 110, false, 20, "document-open"},
        {actionClose, MenuId::File, 120},
        {actionSave, MenuId::File, 200, true, 30, "document-save"},
        {actionSaveAs, MenuId::File, 210},
        {actionInstall, MenuId::File, 220, false, 40, "kribed-install-handheld"},
        {actionPrint, MenuId::File, 400, true, 50, "document-print"},
        {actionPrintPreview, MenuId::File, 410},
        {separatorRecentFiles, MenuId::File, 500},
    };
    for (int slot = 0; slot < RecentFileCount; ++slot)
        table.append({actionRecentFiles[slot], MenuId::File, 501 + slot});
    table.append({separatorExit, MenuId::File, 600});
    table.append({actionExit, MenuId::File, 610});
    return table;
}

CommandPanels FileCommands::panels() const
{
    return {{mWelcome, PanelPlace::AboveGrid, 100}};
}

void FileCommands::start(const QString &folder, const RecentFiles::Slots &recentFiles)
{
    mOpenFolder = folder;
    mSaveFolder = folder;
    mNewDatabaseDialog.preselectString(!folder.isEmpty());
    mRecent = RecentFiles(recentFiles);
    refreshRecentMenu();
}

void FileCommands::setDatabaseOpen(bool open)
{
    for (QAction *action : {actionClose, actionSave, actionSaveAs, actionPrint, actionPrintPreview})
        action->setEnabled(open);
    actionInstall->setEnabled(open && mWorkspace.users().count() > 0);
    mWelcome->setVisible(!open);
}

void FileCommands::windowClosing()
{
    mWorkspace.settings().recentFiles = mRecent.all();
}

void FileCommands::newDatabase()
{
    if (confirmDiscardChanges(mWorkspace))
        return;
    mNewDatabaseDialog.setRegional(mWorkspace.document().regional());
    mNewDatabaseDialog.setDisplayFont(mWorkspace.displayFont());
    mNewDatabaseDialog.open();
}

void FileCommands::createNewDatabase()
{
    if (!mNewDatabaseDialog.shape())
        return;
    const NewDatabaseShape shape = *mNewDatabaseDialog.shape();
    mWorkspace.setDatabaseOpen(false);
    Database fresh = mWorkspace.document().database();
    buildNewDatabase(shape, fresh);
    mWorkspace.document().replace(std::move(fresh));
    mWorkspace.setCurrentCell(1, 1);
    mWorkspace.setDatabaseOpen(true);
}

void FileCommands::openDatabase()
{
    openDatabaseFile(QString());
}

void FileCommands::openRecentFile(int slot)
{
    // Only the newest entry first leaves the row sum and filter modes.
    if (slot == 0)
        leaveModes(mWorkspace);
    openDatabaseFile(mRecent.path(slot));
}

void FileCommands::openDatabaseFile(const QString &givenPath)
{
    if (confirmDiscardChanges(mWorkspace))
        return;
    QString path = givenPath;
    if (path.isEmpty()) {
        FileRequest request;
        request.title = tr("Open Kribo database");
        request.filter = tr("Kribo database (*.pdb)|*.pdb|All Files (*.*)|*.*");
        request.defaultSuffix = QStringLiteral("pdb");
        request.initialFolder = mOpenFolder;
        const std::optional<FileChoice> choice = mWorkspace.fileDialogs().openFile(request);
        if (!choice)
            return;
        mOpenFolder.clear();
        path = choice->path;
        addRecentFile(path);
    }
    loadDatabase(path);
}

void FileCommands::openNamedDatabase(const QString &path)
{
    if (confirmDiscardChanges(mWorkspace))
        return;
    // The open dialog lets only an existing file be chosen: a missing one gets the open error
    // and no place in the list.
    if (QFileInfo(path).isFile())
        addRecentFile(path);
    loadDatabase(path);
}

void FileCommands::loadDatabase(const QString &path)
{
    WaitCursor wait;
    const LoadResult result = mWorkspace.document().load(
        path, mWorkspace.prompter(), [this] { mWorkspace.setDatabaseOpen(false); });
    if (result != LoadResult::Loaded)
        return;
    mWorkspace.setCurrentCell(1, 1);
    switchRecordFilter(mWorkspace, false);
    mWorkspace.setDatabaseOpen(true);
}

void FileCommands::closeDatabase()
{
    if (!confirmDiscardChanges(mWorkspace))
        mWorkspace.setDatabaseOpen(false);
}

void FileCommands::save()
{
    runSave(false);
}

void FileCommands::saveAs()
{
    runSave(true);
}

void FileCommands::runSave(bool chooseName)
{
    if (!chooseName && !confirmReplacingChangedFile())
        return;
    DatabaseDocument &document = mWorkspace.document();
    const bool wasAutoSizing = document.viewState().autoSizing;
    // The widths the columns show now, which the undo history's steps left them at.
    const QVector<int> shownWidths = WidthsStep::widthsOf(document.database());
    if (wasAutoSizing && !mWorkspace.settings().expertMode) {
        const QString display =
            chooseName ? tr("for the handheld display") : tr("for your handheld display");
        const Answer answer = mWorkspace.prompter().ask(
            {tr("Information"),
             tr("The column width is changed by auto-width and could be unsuitable %1.\rDo you "
                "prefer to save the file with the prevouis width settings?")
                 .arg(display),
             Icon::Warning, Buttons::YesNoCancel});
        if (answer == Answer::Cancel)
            return;
        if (answer == Answer::Yes)
            switchAutoSizing(mWorkspace, false);
    }

    if (!chooseName) {
        document.save(SaveMode::OwnFile, QString(), mWorkspace.currentField(),
                      mWorkspace.prompter());
    } else {
        const QFileInfo current(document.database().filePath());
        FileRequest request;
        request.title = tr("Save Kribo database");
        request.filter = tr("Kribo database (*.pdb)|*.pdb");
        request.defaultSuffix = QStringLiteral("pdb");
        if (!document.database().filePath().isEmpty()) {
            mSaveFolder = current.absolutePath();
            request.proposedName = current.completeBaseName();
        }
        request.initialFolder = mSaveFolder;
        if (const std::optional<FileChoice> choice = mWorkspace.fileDialogs().saveFile(request)) {
            document.save(SaveMode::ChosenName, pdbFileName(choice->path),
                          mWorkspace.currentField(), mWorkspace.prompter());
        }
    }

    if (wasAutoSizing) {
        switchAutoSizing(mWorkspace, true);
        // Switching on again keeps the widths to restore; the columns go back to the widths they
        // showed, so that a save changes nothing undo or redo give back.
        showWidths(shownWidths);
    }
}

bool FileCommands::confirmReplacingChangedFile()
{
    const std::optional<RecoveryOrigin> &origin = mWorkspace.document().recoveredOrigin();
    if (!origin || originState(*origin) != OriginState::Changed)
        return true;
    Message question{tr("Confirm"),
                     tr("%1 was changed on disk after the recovered changes were made. Save "
                        "replaces it with the recovered database (the file as it is now is kept "
                        "as its backup). Replace it?")
                         .arg(QDir::toNativeSeparators(origin->path)),
                     Icon::Warning, Buttons::YesNo};
    question.cautiousDefault = true;
    return mWorkspace.prompter().ask(question) == Answer::Yes;
}

void FileCommands::showWidths(const QVector<int> &widths)
{
    DatabaseDocument &document = mWorkspace.document();
    if (WidthsStep::widthsOf(document.database()) == widths)
        return;
    document.setColumnWidths(widths);
}

void FileCommands::install()
{
    UserList &users = mWorkspace.users();
    if (!mWorkspace.isDatabaseOpen() || users.count() < 1)
        return;
    // The widths kept before auto sizing may be put back for the copy; auto sizing resumes after.
    const AutoSizing sizing{mWorkspace.document().viewState().autoSizing,
                            [this](bool on) { switchAutoSizing(mWorkspace, on); }};
    const Settings &settings = mWorkspace.settings();
    const InstallOptions options{settings.saveAtInstall, settings.expertMode};
    mWorkspace.document().install(users, mWorkspace.selectedUser(), options, sizing,
                                  mWorkspace.currentField(), mWorkspace.prompter());
}

void FileCommands::print()
{
    QPrinter printer(QPrinter::HighResolution);
    if (!mWorkspace.fileDialogs().choosePrinter(printer, 0))
        return;
    const WaitCursor wait;
    PrintRenderer renderer(mWorkspace.displayFont(), mWorkspace.document().regional());
    const Settings &settings = mWorkspace.settings();
    renderer.setFitToPageWidth(settings.printFitToPageWidth);
    renderer.setRepeatFieldNames(settings.printRepeatFieldNames);
    renderer.print(mWorkspace.document().database(), printer);
}

void FileCommands::printPreview()
{
    // The preview's choices are the print's from then on, and the next run's.
    Settings &settings = mWorkspace.settings();
    PrintChoices choices{settings.printFitToPageWidth, settings.printRepeatFieldNames};
    showPrintPreview(mWorkspace.document().database(), mWorkspace.document().regional(),
                     mWorkspace.displayFont(), mWorkspace.mainWindow(), choices);
    settings.printFitToPageWidth = choices.fitToPageWidth;
    settings.printRepeatFieldNames = choices.repeatFieldNames;
}

void FileCommands::exit()
{
    mWorkspace.mainWindow()->close();
}

void FileCommands::addRecentFile(const QString &path)
{
    if (mRecent.add(path))
        refreshRecentMenu();
}

void FileCommands::refreshRecentMenu()
{
    for (int slot = 0; slot < RecentFileCount; ++slot) {
        QAction *entry = actionRecentFiles[slot];
        entry->setVisible(mRecent.isFilled(slot));
        entry->setText(mRecent.isFilled(slot) ? mRecent.menuCaption(slot) : QString());
    }
    separatorRecentFiles->setVisible(mRecent.isFilled(0));
    Q_EMIT recentFilesChanged();
}

} // namespace kribed
