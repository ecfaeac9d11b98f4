// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>

namespace kribed {

class Database;
class Regional;

// The locales a user is likely to hold archives from, in the order they are offered and
// preferred when several read a file equally well.
const QList<QLocale> &offeredFormatLocales();

// The name a locale's formats go by in the program's texts: the language alone for the
// language's main country ("German"), else with the country ("German (Switzerland)").
QString formatsName(const QLocale &locale);

// The cells whose reading depends on the regional formats.
enum class FormatKind { Number, Date, Time };

// A place of a non-blank cell of an Integer, Float, date or time field.
struct FormatCell
{
    FormatKind kind;
    int field;
    int record;
};

// A bounded sample of the cells that read by the regional formats: at most `perKind` non-blank
// cells of each kind, taken record by record from the first `recordLimit` records, so a check
// over it costs the same for the largest database as for a small one.
QList<FormatCell> sampleFormatCells(const Database &database, int perKind = 32,
                                    int recordLimit = 1000);

// Whether a cell's text reads as its kind says under the given rules.
bool cellReads(const Database &database, const FormatCell &cell, const Regional &regional);

// A quick test that passes every text that may read as a date or time under the rules and refuses
// most that cannot: one of a number-only format holding a character that is no digit, blank or
// separator of the format. Numbers, and formats with names or AM/PM, always pass.
bool mayReadAs(FormatKind kind, QByteArrayView text, const Regional &regional);

// How many cells of a sample read under some rules.
int readableCells(const Database &database, const QList<FormatCell> &sample,
                  const Regional &regional);

// Formats under which a database's cells read clearly better than under the desktop's.
struct FormatsSuggestion
{
    QLocale locale;
    int sampled = 0;
    int readUnderDesktop = 0;
    int readUnderSuggested = 0;
    // The first cell of each kind that reads there and not under the desktop's formats, as text.
    QStringList examples;
};

// None when the desktop's formats read the sample as well as any offered locale, or when the
// better locale reads fewer than a quarter of the sampled cells (and fewer than two) more.
std::optional<FormatsSuggestion> suggestFormats(const Database &database, const Regional &desktop);

// The first non-blank cell of a kind, for showing what it reads as: of a Float field when there
// is one, since whole numbers read alike under every locale.
std::optional<FormatCell> firstCellOfKind(const Database &database, FormatKind kind);

// What a cell reads as under the rules: a number in their own form, a date as "12 March 2019" in
// the words and order of `language` (the interface's, the same for every line of a comparison,
// so they read alike), or none.
std::optional<QString> cellReading(const Database &database, const FormatCell &cell,
                                   const Regional &regional, const QLocale &language);

} // namespace kribed
