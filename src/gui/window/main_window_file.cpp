// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's own file commands: Open, Close, Save, Save as, Exit, and the help windows.
#include "gui/window/main_window.h"

#include "core/model/database.h"
#include "core/platform/prompter.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>

namespace kribed {

namespace {

QString databaseFilter()
{
    return QStringLiteral("Kribo database (*.pdb)|*.pdb|All Files (*.*)|*.*");
}

// Shows the hourglass for the life of the object.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace

bool MainWindow::confirmDiscardChanges()
{
    if (!mDocument->database().isModified())
        return false;
    const Answer answer = mPrompter.ask(
        {QStringLiteral("Information"),
         QStringLiteral("You have not saved the changes to this file and you will lose the "
                        "changes if you close this file. Are sure that you want to close this "
                        "file?"),
         Icon::Warning, Buttons::YesNo});
    return answer != Answer::Yes;
}

void MainWindow::setDatabaseDialogFolder(const QString &folder)
{
    mOpenFolder = folder;
    mSaveFolder = folder;
}

void MainWindow::openDatabase()
{
    openDatabaseFile(QString());
}

void MainWindow::openDatabaseFile(const QString &givenPath)
{
    if (confirmDiscardChanges())
        return;
    QString path = givenPath;
    if (path.isEmpty()) {
        FileRequest request;
        request.title = QStringLiteral("Open Kribo database");
        request.filter = databaseFilter();
        request.defaultSuffix = QStringLiteral("pdb");
        request.initialFolder = mOpenFolder;
        const std::optional<FileChoice> choice = mDialogs.openFile(request);
        if (!choice)
            return;
        mOpenFolder.clear();
        path = choice->path;
        addRecentFile(path);
    }
    WaitCursor wait;
    const LoadResult result = mDocument->load(path, mPrompter, [this] { setDatabaseOpen(false); });
    if (result != LoadResult::Loaded)
        return;
    setCurrentCell(1, 1);
    applyFilter(false);
    setDatabaseOpen(true);
}

void MainWindow::closeDatabase()
{
    if (!confirmDiscardChanges())
        setDatabaseOpen(false);
}

void MainWindow::save()
{
    runSave(false);
}

void MainWindow::saveAs()
{
    runSave(true);
}

void MainWindow::runSave(bool chooseName)
{
    const bool wasAutoSizing = mAutoSizing;
    if (wasAutoSizing && !mSettings.expertMode) {
        const QString display = chooseName ? QStringLiteral("for the handheld display")
                                           : QStringLiteral("for your handheld display");
        const Answer answer = mPrompter.ask(
            {QStringLiteral("Information"),
             QStringLiteral("The column width is changed by auto-width and could be unsuitable "
                            "%1.\rDo you prefer to save the file with the prevouis width "
                            "settings?")
                 .arg(display),
             Icon::Warning, Buttons::YesNoCancel});
        if (answer == Answer::Cancel)
            return;
        if (answer == Answer::Yes)
            autoSizeColumns(false);
    }

    if (!chooseName) {
        mDocument->save(SaveMode::OwnFile, QString(), currentField(), mPrompter);
    } else {
        const QFileInfo current(mDocument->database().filePath());
        FileRequest request;
        request.title = QStringLiteral("Save Kribo database");
        request.filter = QStringLiteral("Kribo database (*.pdb)|*.pdb");
        request.defaultSuffix = QStringLiteral("pdb");
        if (!mDocument->database().filePath().isEmpty()) {
            mSaveFolder = current.absolutePath();
            request.proposedName = current.completeBaseName();
        }
        request.initialFolder = mSaveFolder;
        if (const std::optional<FileChoice> choice = mDialogs.saveFile(request)) {
            mDocument->save(SaveMode::ChosenName, pdbFileName(choice->path), currentField(),
                            mPrompter);
        }
    }

    if (wasAutoSizing)
        autoSizeColumns(true);
}

void MainWindow::exit()
{
    close();
}

void MainWindow::showReadme()
{
    if (!mReadmeWindow)
        return;
    mReadmeWindow->show();
    mReadmeWindow->raise();
    mReadmeWindow->activateWindow();
}

void MainWindow::showAbout()
{
    if (auto *about = qobject_cast<AboutDialog *>(mAboutDialog))
        about->setPrompter(&mPrompter);
    if (auto *about = qobject_cast<QDialog *>(mAboutDialog))
        about->exec();
}

} // namespace kribed
