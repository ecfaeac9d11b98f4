// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The main window's exchange commands: new database, text import, export and append.
#include "gui/window/main_window.h"

#include "core/exchange/text_exchange.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/dialogs/new_database_dialog.h"
#include "gui/grid/database_document.h"

#include <QApplication>
#include <QFileInfo>

namespace kribed {

namespace {

// The filter entry each text dialog last had chosen: the open dialog's is shared by Import and
// Append, the save dialog's belongs to Export. Both start at the comma type.
class TextDialogMemory : public QObject
{
public:
    explicit TextDialogMemory(QObject *parent)
        : QObject(parent)
    {
        setObjectName(QStringLiteral("TextDialogMemory"));
    }
    int openIndex = int(TextType::Comma);
    int saveIndex = int(TextType::Comma);
};

TextDialogMemory &memoryOf(MainWindow &window)
{
    if (auto *memory = window.findChild<TextDialogMemory *>(QStringLiteral("TextDialogMemory")))
        return *memory;
    return *new TextDialogMemory(&window);
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

TextType typeOfIndex(int filterIndex, TextType fallback)
{
    return textTypeFromIndex(filterIndex).value_or(fallback);
}

// OpenDialogInEx: the text file for Import and Append, with its type.
std::optional<std::pair<QString, TextType>> openDialogInEx(MainWindow &window, const QString &title)
{
    TextDialogMemory &memory = memoryOf(window);
    FileRequest request;
    request.title = title;
    request.filter = importFilterText();
    request.filterIndex = memory.openIndex;
    // "*.*" names no extension: a dialog that appended it would look for "name.*.*".
    const QString suffix = defaultExtensionOf(typeOfIndex(memory.openIndex, TextType::Comma));
    request.defaultSuffix = suffix == QStringLiteral("*.*") ? QString() : suffix;
    const std::optional<FileChoice> choice = window.fileDialogs().openFile(request);
    if (!choice)
        return std::nullopt;
    if (textTypeFromIndex(choice->filterIndex))
        memory.openIndex = choice->filterIndex;
    return std::make_pair(choice->path, typeOfIndex(choice->filterIndex, TextType::Comma));
}

// The preparations of Import and Append; they stay even when the command is then abandoned.
void prepareTextRead(MainWindow &window)
{
    window.rowSumOff();
    window.applyFilter(false);
    window.autoSizeColumns(false);
}

} // namespace

NewDatabaseDialog *newDatabaseDialogOf(MainWindow &window)
{
    if (auto *form = window.findChild<NewDatabaseDialog *>())
        return form;
    auto *form = new NewDatabaseDialog(window.ask(), &window);
    // "String" is preselected exactly when the database dialogs start in a backup folder.
    form->preselectString(
        !startingFolder(window.settings().initialDir, window.users(), window.selectedUser())
             .isEmpty());
    QObject::connect(form, &QDialog::accepted, &window, [&window, form] {
        if (!form->shape())
            return;
        const NewDatabaseShape shape = *form->shape();
        window.setDatabaseOpen(false);
        window.document().resetWith(
            [&shape](Database &database) { buildNewDatabase(shape, database); });
        window.setCurrentCell(1, 1);
        window.setDatabaseOpen(true);
    });
    return form;
}

void MainWindow::newDatabase()
{
    if (confirmDiscardChanges())
        return;
    // Modal over the main window; OK's database reaches the window through `accepted`.
    newDatabaseDialogOf(*this)->open();
}

void MainWindow::importText()
{
    prepareTextRead(*this);
    if (confirmDiscardChanges())
        return;
    const auto chosen = openDialogInEx(*this, QStringLiteral("Import"));
    if (!chosen)
        return;

    // The import reads into a copy (the rows are shared, not copied), so the grid never shows a
    // half-read file and a refused file leaves the open database as it was.
    Database imported = mDocument->database();
    ExchangeResult result;
    {
        WaitCursor wait;
        result = importTextFile(chosen->first, chosen->second, imported, mPrompter);
    }
    if (result != ExchangeResult::Done)
        return;
    mDocument->resetWith([&imported](Database &database) { database = std::move(imported); });
    setCurrentCell(1, 1);
    applyFilter(false);
    setDatabaseOpen(true);
}

void MainWindow::exportText()
{
    if (!isDatabaseOpen())
        return;
    TextDialogMemory &memory = memoryOf(*this);
    FileRequest request;
    request.title = QStringLiteral("Export");
    request.filter = exportFilterText();
    request.filterIndex = memory.saveIndex;
    request.defaultSuffix = defaultExtensionOf(typeOfIndex(memory.saveIndex, TextType::Comma));
    request.proposedName = QFileInfo(mDocument->database().filePath()).completeBaseName();
    request.askBeforeOverwrite = true;
    const std::optional<FileChoice> choice = mDialogs.saveFile(request);
    if (!choice)
        return;
    TextType type = typeOfIndex(choice->filterIndex, TextType::Comma);
    if (!isExportType(type))
        type = TextType::Comma;
    memory.saveIndex = int(type);
    WaitCursor wait;
    exportTextFile(choice->path, type, mDocument->database(), mPrompter);
}

void MainWindow::appendText()
{
    if (!isDatabaseOpen())
        return;
    prepareTextRead(*this);
    const auto chosen = openDialogInEx(*this, QStringLiteral("Append"));
    if (!chosen)
        return;

    // The records are read into a copy (rows shared) and then enter the grid as one insertion.
    Database appended = mDocument->database();
    const int before = appended.recordCount();
    ExchangeResult result;
    {
        WaitCursor wait;
        result = appendTextFile(chosen->first, chosen->second, appended, mPrompter);
    }
    if (result == ExchangeResult::Cancelled)
        return;
    const int added = appended.recordCount() - before;
    if (added > 0) {
        mDocument->insertRecords(
            before + 1, added, [&appended](Database &database) { database = std::move(appended); });
    } else if (appended.isModified()) {
        mDocument->setModified();
    }
    if (result == ExchangeResult::Done || added > 0)
        setCurrentCell(currentField(), mDocument->database().recordCount());
}

} // namespace kribed
