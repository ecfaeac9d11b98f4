// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/text_exchange.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace kribed {

class Database;
class Prompter;
class Regional;

// A cell that the workbook keeps as text although its field's type would make it a number, a
// Boolean, a date or a time.
struct TextKeptCell
{
    int field = 0;  // 1-based
    int record = 0; // 1-based, the database's record number
    QByteArray text;
};

struct WorkbookReport
{
    ExchangeResult result = ExchangeResult::Failed;
    int keptAsText = 0;           // all of them
    QList<TextKeptCell> firstKept; // the first few, for the message
};

// How many kept cells the message names.
constexpr int KeptCellsNamed = 5;

// Writes the shown records as an Excel workbook of one sheet named after the database: the field
// names as a bold, frozen header row with an autofilter, then one row per shown record. Cells are
// read with the database's regional formats: Integer and Float fields become numbers, Boolean
// "1"/"0" Booleans, the date and time types date-time cells shown in the regional short date and
// long time format; every other cell, and one that does not read as its type, is text (in UTF-8
// from the code page). Empty cells stay empty. Column widths follow the field widths.
//
// The workbook is made in libxlsxwriter's constant-memory mode in a temporary file beside the
// target (see workbookScratchPrefix), then put in place by safeWriteFile: the previous file
// becomes the backup (".xls_"), and a failure shows the save error and leaves the previous file
// and its backup as they were. After a written workbook with cells kept as text, the prompter is
// told how many and the first few.
WorkbookReport exportWorkbookFile(const QString &path, const Database &database,
                                  Prompter &prompter, const Regional &regional);

// "Excel workbook (*.xlsx)" in the dialogs' "text|pattern|" form; the default extension "xlsx".
QString workbookFilterEntry();
QString workbookExtension();
// The backup name: the extension replaced by ".xls_".
QString workbookBackupFileName(const QString &path);

// The start of the name the workbook is made under in the target's folder before the safe write
// puts it in place: the same for the same target, so that an export removes what a killed export
// of that file left ("<folder>/.kribed-xlsx-<8 hex digits>-").
QString workbookScratchPrefix(const QString &path);

// The message about the cells kept as text (empty when there are none).
QString keptAsTextMessage(const WorkbookReport &report, const Database &database,
                          const Regional &regional);

// Excel's display format codes for Qt's date and time formats ("dd.MM.yyyy" -> "dd.mm.yyyy",
// "h:mm:ss AP" -> "h:mm:ss AM/PM"); quoted literals stay literal.
QByteArray excelFormatCode(const QString &qtFormat);
// A sheet name Excel takes: at most 31 characters, none of []:*?/\, no apostrophe at either end;
// "Sheet1" when nothing is left.
QString workbookSheetName(const QString &databaseName);
// Text as Excel stores it: a line break (CR LF) as LF; control characters (other than tab and
// line feed, and a CR not before a LF) and an underscore that would start such an escape are
// written as "_xHHHH_".
QByteArray workbookText(const QString &text);

} // namespace kribed
