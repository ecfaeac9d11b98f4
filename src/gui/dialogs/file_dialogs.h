// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "gui/dialogs/font_script_dialog.h"

#include <QFont>
#include <QString>
#include <QStringList>

#include <optional>

class QDialog;

class QPrinter;
class QWidget;

namespace kribed {

// What a file dialog is asked to show. The filter is written as the program's texts give it,
// description and pattern pairs separated by '|' ("Kribo database (*.pdb)|*.pdb|..."); the filter
// index counts from 1.
struct FileRequest
{
    QString title;
    QString filter;
    QString defaultSuffix;
    QString initialFolder;
    QString proposedName;
    int filterIndex = 1;
    bool askBeforeOverwrite = false;
    // Save: the entry chosen in the dialog decides the file's extension (fileNameForFilter), not
    // the default suffix, which only names the extension of the entry the dialog opens with.
    bool suffixFromFilter = false;
};

struct FileChoice
{
    QString path;
    int filterIndex = 1;
};

// Every file, font and print dialog of the program goes through here, so tests answer them from a
// script and never open a modal dialog.
class FileDialogs
{
public:
    virtual ~FileDialogs() = default;
    // Open: only an existing file can be chosen. Nothing is returned on Cancel.
    virtual std::optional<FileChoice> openFile(const FileRequest &request) = 0;
    virtual std::optional<FileChoice> saveFile(const FileRequest &request) = 0;
    // The Font command's dialog: family, script (its character set number) and a size of at most
    // 10 points; no style choice.
    virtual std::optional<DisplayFontChoice> chooseFont(const DisplayFontChoice &initial) = 0;
    // Sets up the printer; false on Cancel.
    virtual bool choosePrinter(QPrinter &printer, int pageCount) = 0;
    // One of the items (a SQLite file's tables), `current` chosen at first; nothing on Cancel.
    virtual std::optional<QString> chooseItem(const QString &title, const QString &label,
                                              const QStringList &items, int current) = 0;
    // A dialog that shows what a command will do before it does it (the import preview); true
    // when it was accepted. Answered from a script, it is taken as it stands, unshown.
    virtual bool confirmDialog(QDialog &dialog);
};

// The real dialogs, modal over a parent window.
class QtFileDialogs : public FileDialogs
{
public:
    explicit QtFileDialogs(QWidget *parent = nullptr)
        : mParent(parent)
    {
    }
    void setParent(QWidget *parent) { mParent = parent; }

    std::optional<FileChoice> openFile(const FileRequest &request) override;
    std::optional<FileChoice> saveFile(const FileRequest &request) override;
    std::optional<DisplayFontChoice> chooseFont(const DisplayFontChoice &initial) override;
    bool choosePrinter(QPrinter &printer, int pageCount) override;
    std::optional<QString> chooseItem(const QString &title, const QString &label,
                                      const QStringList &items, int current) override;
    bool confirmDialog(QDialog &dialog) override;

private:
    QWidget *mParent;
};

// The Qt name filters ("Kribo database (*.pdb)", "All Files (*)") of a '|'-separated filter text.
QStringList nameFilters(const QString &filter);

// The extensions an entry of a '|'-separated filter text names ("*.sqlite;*.db": sqlite, db);
// none for an entry of every file ("*.*").
QStringList filterExtensions(const QString &filter, int filterIndex);

// The name a file chosen under the entry `filterIndex` is written to: kept when its extension is
// one of the entry's (in any letter case); the extension of another entry of the filter replaced
// by the entry's first; else the entry's first extension added ("Kunden" and "Kunden.CSV" under
// "*.xlsx": Kunden.xlsx; "Kunden.2026" under "*.xlsx": Kunden.2026.xlsx).
QString fileNameForFilter(const QString &path, const QString &filter, int filterIndex);

} // namespace kribed
