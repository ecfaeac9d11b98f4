// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's own file commands: Open, Close, Save, Save as, Exit, and the help windows.
#include "gui/window/main_form.h"

#include "core/model/database.h"
#include "core/platform/prompter.h"
#include "gui/dialogs/about_form.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>

namespace kribed {

namespace {

QString DatabaseFilter()
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

bool TMainForm::ConfirmDiscardChanges()
{
    if (!mDocument->Data().isModified())
        return false;
    const Answer answer = mPrompter.ask(
        {QStringLiteral("Information"),
         QStringLiteral("You have not saved the changes to this file and you will lose the "
                        "changes if you close this file. Are sure that you want to close this "
                        "file?"),
         Icon::Warning, Buttons::YesNo});
    return answer != Answer::Yes;
}

void TMainForm::SetDatabaseDialogFolder(const QString &folder)
{
    mOpenFolder = folder;
    mSaveFolder = folder;
}

void TMainForm::Open1Click()
{
    OpenDatabase(QString());
}

void TMainForm::OpenDatabase(const QString &givenPath)
{
    if (ConfirmDiscardChanges())
        return;
    QString path = givenPath;
    if (path.isEmpty()) {
        FileRequest request;
        request.title = QStringLiteral("Open Kribo database");
        request.filter = DatabaseFilter();
        request.defaultSuffix = QStringLiteral("pdb");
        request.initialFolder = mOpenFolder;
        const std::optional<FileChoice> choice = mDialogs.OpenFile(request);
        if (!choice)
            return;
        mOpenFolder.clear();
        path = choice->path;
        AddRecentFile(path);
    }
    WaitCursor wait;
    const LoadResult result = mDocument->load(path, mPrompter, [this] { SetDatabaseOpen(false); });
    if (result != LoadResult::Loaded)
        return;
    SetCurrentCell(1, 1);
    applyFilter(false);
    SetDatabaseOpen(true);
}

void TMainForm::Close1Click()
{
    if (!ConfirmDiscardChanges())
        SetDatabaseOpen(false);
}

void TMainForm::Save1Click()
{
    SaveCommand(false);
}

void TMainForm::Saveas1Click()
{
    SaveCommand(true);
}

void TMainForm::SaveCommand(bool chooseName)
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
        mDocument->Save(SaveMode::OwnFile, QString(), CurrentField(), mPrompter);
    } else {
        const QFileInfo current(mDocument->Data().filePath());
        FileRequest request;
        request.title = QStringLiteral("Save Kribo database");
        request.filter = QStringLiteral("Kribo database (*.pdb)|*.pdb");
        request.defaultSuffix = QStringLiteral("pdb");
        if (!mDocument->Data().filePath().isEmpty()) {
            mSaveFolder = current.absolutePath();
            request.proposedName = current.completeBaseName();
        }
        request.initialFolder = mSaveFolder;
        if (const std::optional<FileChoice> choice = mDialogs.SaveFile(request)) {
            mDocument->Save(SaveMode::ChosenName, pdbFileName(choice->path), CurrentField(),
                            mPrompter);
        }
    }

    if (wasAutoSizing)
        autoSizeColumns(true);
}

void TMainForm::Exit1Click()
{
    close();
}

void TMainForm::Readme1Click()
{
    if (!mHelpForm)
        return;
    mHelpForm->show();
    mHelpForm->raise();
    mHelpForm->activateWindow();
}

void TMainForm::About1Click()
{
    if (auto *about = qobject_cast<TAboutForm *>(mAboutForm))
        about->SetPrompter(&mPrompter);
    if (auto *about = qobject_cast<QDialog *>(mAboutForm))
        about->exec();
}

} // namespace kribed
