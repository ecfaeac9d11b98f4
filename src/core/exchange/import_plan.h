// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Every import and append runs in two steps: a read step that reads the whole file, asks nothing
// and shows nothing, and returns an ImportPlan; then carryOutImport, which asks the plan's
// questions in order and, when all were answered OK, applies it to the database and tells its
// notices. A plan is a plain value, so that a preview can show what an import would do before any
// question is asked.

#include "core/exchange/encoding_detection.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/platform/code_page_converter.h"
#include "core/platform/prompter.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace kribed {

// A cell of a plan's table: its row (0 the field names of an import) and field (from 1).
struct PlanCell
{
    int row = 0;
    int field = 0;
    bool operator==(const PlanCell &other) const
    {
        return row == other.row && field == other.field;
    }
};

// How many cut values a plan names by their place.
constexpr int NamedCutPlaces = 100;
// Adds the place while fewer than NamedCutPlaces are named.
void noteCutPlace(QList<PlanCell> &places, int row, int field);

// What a field gets beyond its name (the table's row 0) when a file says more than separated
// text can: our SQLite export's types, widths and popup lists.
struct PlannedField
{
    int type = 0;       // field type index: String
    int widthUnits = 0; // 0: the imported width of 90 pixels
    QList<QByteArray> popupItems;
};

// The database's own values our SQLite export kept beside the records.
struct PlannedSettings
{
    int secondarySortField = 0;
    int tertiarySortField = 0;
    int filterField = 0;
    QByteArray filterText;
    DatabaseFlags flags;
    int incrementAmount = 0; // 0: left as it is
};

// Where an imported database comes from: its name, the .pdb path beside the file, the file's
// last write.
struct PlannedOrigin
{
    QByteArray name;
    QString filePath;
    QDateTime modificationTime;
};

// The size of what was read against what a database (or, for an append, the open database's
// fields and free rows) can take.
struct ImportShape
{
    qint64 rows = 0;         // lines of a text, rows of a table (names row included for import)
    bool rowsCounted = true; // false: a view has more rows than were read, how many is unknown
    int columns = 0;         // the most fields a line holds, the columns of a table
    bool doubtful = false;   // the format check's suspicion: the type chosen may be the wrong one
    qint64 rowLimit = 0;     // the most rows taken
    int columnLimit = 0;     // the most fields taken
    // Separated text: the longest line (its bytes and number from 1), the bytes of the lines
    // longer than a record can hold against all, and the line feeds inside lines.
    qint64 longestLine = 0;
    qint64 longestLineNumber = 0;
    qint64 overlongBytes = 0;
    qint64 bytes = 0;
    qint64 lineFeeds = 0;
    bool fitsLimits() const { return rowsCounted && rows <= rowLimit && columns <= columnLimit; }
};

// Why a read step ended early.
enum class PlanFailure {
    None,
    Unreadable,  // nothing can be taken: `error` is shown, no question asked, nothing changes
    BrokenAfter, // the shape was read but not every record: the questions come first, then an
                 // append takes the records read before the error; `error` is shown last
    Cancelled,   // the user stopped the reading: nothing is said, nothing changes
};

struct ImportPlan
{
    enum class Kind { Import, Append };
    Kind kind = Kind::Import;

    // Import: row 0 the field names, then the records. Append: only records, each as wide as
    // the open database.
    ImportedTable table;
    QList<PlannedField> fields;              // import only; empty: every field a String of 90 px
    std::optional<PlannedSettings> settings; // import only
    std::optional<PlannedOrigin> origin;     // import from a file only

    ImportShape shape;
    int cutValues = 0;         // values cut to what a record stores
    QList<PlanCell> cutPlaces; // the first cells among them
    LossReport losses;         // characters the code page cannot hold, bytes that are no UTF-8
    // Separated text read byte by byte: the encoding its bytes tell (a UTF-8 file read so gives
    // two or three wrong characters for each one beyond ASCII).
    std::optional<DetectedEncoding> bytesEncoding;

    QList<Message> questions; // asked in this order before anything changes; OK goes on
    QList<Message> notices;   // told in this order once the database holds the result

    PlanFailure failure = PlanFailure::None;
    Message error;

    void fail(PlanFailure how, const Message &message)
    {
        failure = how;
        error = message;
    }
};

// The open error ("There was an error opening the file. ...") as a message.
Message openErrorMessage();
// An "Information" question with OK and Cancel.
Message goOnQuestion(const QString &text);
// The note about values cut to 4000 characters; none when `count` is 0.
std::optional<Message> cutValuesNotice(int count);

// Asks the plan's questions in order; false at the first not answered OK.
bool askImportQuestions(const ImportPlan &plan, Prompter &prompter);

// Asks, applies and tells, as described at the top. An import replaces the database with the
// table only when everything was read and answered OK; an append adds the records at the end,
// and after an error keeps those read before it. The database counts as changed once it changed.
ExchangeResult carryOutImport(ImportPlan &&plan, Database &database, Prompter &prompter);

// The apply steps alone: the database takes the plan, nothing is asked or told.
void applyImportPlan(ImportPlan &&plan, Database &database);
void applyAppendPlan(ImportPlan &&plan, Database &database);

} // namespace kribed
