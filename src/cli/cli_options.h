// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/csv_format.h"
#include "core/exchange/text_format.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace kribed {

enum ExitStatus {
    ExitSuccess = 0, // the command did what was asked
    ExitFailure = 1, // a file was refused, a question declined or a write failed
    ExitUsage = 2,   // the command line itself is wrong
};

// The kind of file import and export exchange besides the separated texts of --type; a workbook
// is for export only.
enum class ExchangeFile { Text, Sqlite, Workbook };

// One command line, checked: the command is known, it has its file arguments, and every option
// it got belongs to it and holds a usable value.
struct CliRequest
{
    QString command;
    QStringList files;
    bool yes = false;
    QByteArray codePage = QByteArrayLiteral("windows-1252");
    // --locale: the regional formats numbers, dates and times are read and written in; none
    // when not given (the desktop's).
    std::optional<QLocale> locale;
    // --json: info as a JSON object.
    bool json = false;
    // --type: the kind of separated text for import, export and append; the field type index
    // (0..12, -1 when not given: String) for new.
    TextType textType = TextType::Comma;
    int fieldType = -1;
    // --encoding: the encoding of a standard CSV file (--type csv); cells keep the --codepage.
    CsvEncoding encoding = CsvEncoding::Utf8;
    // --type sqlite for import and export, --type xlsx for export; --table: the table or view import reads (empty: the
    // one our export wrote, or the file's only one).
    ExchangeFile exchangeFile = ExchangeFile::Text;
    QString table;
    // The shape of a new database; the defaults are those the new-database dialog shows.
    QString name = QStringLiteral("New");
    QString fields = QStringLiteral("5");
    QString records = QStringLiteral("10");
    QString width = QStringLiteral("60");
    // replace: what to find and what it becomes, as typed (cells are read in the code page).
    std::optional<QString> find;
    std::optional<QString> replacement;
    QString field; // a field's name; empty: all fields
    bool regularExpression = false;
    bool matchCase = false;
    bool wholeCell = false;
    QString output; // another file to write; empty: the database's own, with its backup
};

// What the command line asks for: a request to run, or an exit at once (help, version, a usage
// error) with the text to print.
struct ParsedCommandLine
{
    std::optional<CliRequest> request;
    ExitStatus exitStatus = ExitSuccess;
    QString output; // for standard output (help, version)
    QString error;  // for standard error (usage errors)
};

ParsedCommandLine parseCommandLine(const QStringList &arguments);

} // namespace kribed
