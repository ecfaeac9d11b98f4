// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// How the SQLite import turns the values of a file into cell texts: numbers in their shortest
// exact form, BLOBs as SQLite's shell shows them, texts into the code page with what they lose
// gathered for one question, and no value read further than a cell can hold.

#include "core/model/record.h"
#include "core/platform/code_page_converter.h"
#include "core/platform/prompter.h"

#include <QByteArray>
#include <QString>

#include <optional>

#include <sqlite3.h>

namespace kribed {

class Regional;

// The shortest text that reads back as the same double, laid out as the program writes numbers
// (exponent form from 1E15 and below 1E-5) with the given decimal separator: 3.141592653589793
// keeps its 16 digits, 0.1 stays 0.1, -0 stays -0.
QByteArray shortestNumberText(double value, char decimalSeparator);

// "X'0A1B'": the bytes in hexadecimal as SQLite's quote() and its shell write a BLOB.
QByteArray blobText(QByteArrayView bytes);

// Turns a file's values into cell texts for one import and keeps count of what a message must
// tell: values cut to what a record stores, BLOBs written as hexadecimal, characters the code
// page cannot hold and bytes that are no UTF-8.
class SqliteCellMaker
{
public:
    explicit SqliteCellMaker(const Regional &regional);

    // The value of the statement's column as a cell text of a field of the type (dates and times
    // of our export in the regional formats). `record` counts as the grid does: 0 for names.
    QByteArray cell(sqlite3_stmt *row, int column, int typeIndex, int record);
    // The same cell appended to the record's cells; a plain ASCII text that needs no cut is
    // copied once, from SQLite's own bytes into the record's buffer.
    void appendCell(Record &cells, sqlite3_stmt *row, int column, int typeIndex, int record);
    // A text of the file (a column name, a popup item, a name) in the code page, cut to
    // `maxBytes` without splitting a character.
    QByteArray text(const QByteArray &utf8, int record, int maxBytes);

    const LossReport &losses() const { return mLosses; }
    int cutCount() const { return mCut; }
    int blobCount() const { return mBlobs; }         // written as X'...'
    int longBlobCount() const { return mLongBlobs; } // left empty

private:
    QByteArray fromUtf8(QByteArrayView utf8, int record);

    const Regional &mRegional;
    CodePageConverter &mConverter;
    LossReport mLosses;
    int mCut = 0;
    int mBlobs = 0;
    int mLongBlobs = 0;
};

// The loss question, as the CSV import asks it; none when nothing is lost.
std::optional<Message> lossQuestion(const LossReport &losses, const QByteArray &codePage);
// How many values were cut to the bytes a record stores; none when none was.
std::optional<Message> cutBytesNotice(int count);
// How many BLOB values became hexadecimal text and how many were too long for a cell and left
// empty; none when there were none.
std::optional<Message> blobsNotice(int shown, int leftEmpty);

} // namespace kribed
