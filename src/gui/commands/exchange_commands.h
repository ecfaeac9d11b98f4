// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/encoding_detection.h"
#include "core/exchange/exchange_formats.h"
#include "gui/commands/command_group.h"

#include <QLocale>
#include <QObject>
#include <QString>

#include <optional>
#include <utility>

class QAction;

namespace kribed {

class Workspace;

// Text files in and out: Import (a new database from a text file or a SQLite table), Append (its
// records after the open database's) and Export (as text or a SQLite database).
class ExchangeCommands
    : public QObject
    , public CommandGroup
{
    Q_OBJECT

public:
    ExchangeCommands(Workspace &workspace, QObject *parent = nullptr);

    // Where the actions show: menus, tool bar, context menu, pictures.
    CommandPlacements placements() const override;

    void setDatabaseOpen(bool open) override;

    QAction *const actionImport;
    QAction *const actionAppend;
    QAction *const actionExport;

public Q_SLOTS:
    void importText();
    // Import with a dropped text file proposed in its dialog.
    void importProposedText(const QString &proposedFile);
    void appendText();
    void exportText();

private:
    // The file Import and Append read, and the format of the dialog entry chosen.
    struct ChosenFile
    {
        QString path;
        const ExchangeFormat *format = nullptr;
        std::optional<DetectedEncoding> encoding; // a text file's, as its bytes tell
    };
    std::optional<ChosenFile> chooseFile(const QString &title, ExchangeUse use,
                                         const QString &proposedFile = QString());
    // What the read step needs beyond the file: the encoding (a text file's, as its bytes tell,
    // which the preview shows; asked only where the file cannot be read for it) and the table,
    // asked. None when the user cancelled or the file's tables cannot be listed (the message
    // was shown).
    std::optional<ImportSource> sourceOf(ChosenFile &chosen);
    // The table of a file that holds several, chosen from the list (the only one is taken).
    std::optional<QString> chooseTable(const ExchangeFormat &format, const QString &path);
    // The import's read step; a table is read with a progress dialog whose Cancel stops it.
    ImportPlan readImport(const ExchangeFormat &format, ImportSource source);
    // The import preview over what was read (the file read as an import); the plan to carry out,
    // or none when the user cancelled. `target`: the append's database. `formats` gets the
    // regional formats chosen in the preview, if others than the preset ones.
    std::optional<ImportPlan> preview(ImportPlan::Kind kind, const ChosenFile &chosen,
                                      const ImportSource &source, ImportPlan &&read,
                                      const Database *target,
                                      std::optional<QLocale> *formats = nullptr);

    Workspace &mWorkspace;
    // The format each dialog last had chosen: the open dialog's is shared by Import and Append,
    // the save dialog's belongs to Export. Both start at comma text.
    const ExchangeFormat *mOpenFormat;
    const ExchangeFormat *mSaveFormat;
};

} // namespace kribed
