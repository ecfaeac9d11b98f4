// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/csv_format.h"
#include "core/exchange/exchange_formats.h"

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

// chart's options as given; the command reads the fields by name once the file is read.
struct ChartOptions
{
    QString x, y, kind, groupBy, aggregate, valueField;
    QString table; // the CSV of the grouped figures; "-" for standard output
    int bins = 0;
    int width = 1200;
    int height = 800;
};

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
    // --type: the exchange format of import, export and append (exchange_formats.h: separated
    // text, sqlite, xlsx for export); the field type index (0..12, -1 when not given: String)
    // for new.
    const ExchangeFormat *format = &defaultExchangeFormat();
    int fieldType = -1;
    // --encoding: the encoding of a standard CSV file (--type csv); cells keep the --codepage.
    // The other separated text types read their bytes as they stand unless it is given: then
    // import and append read them in it.
    CsvEncoding encoding = CsvEncoding::Utf8;
    bool encodingGiven = false;
    // --table: the table or view import reads from a format of tables (empty: the one our export
    // wrote, or the file's only one).
    QString table;
    // import: --detect-types gives each field the type its values suggest; --types names types
    // ("Umsatz=Float,3=Normal Date"); --plan (import, append) prints what would be done as JSON
    // and writes nothing.
    bool detectTypes = false;
    bool planOnly = false;
    QString types;
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
    // --where, each given: info, dump, export and replace take only the records all of them
    // select (read against the database once it is loaded).
    QStringList where;
    // diff: the field records are matched by (empty: the auto-increment field, else content),
    // whether stamps count, and the report as CSV instead of the listing.
    QString key;
    bool ignoreStamps = true;
    bool csv = false;
    ChartOptions chart;
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
