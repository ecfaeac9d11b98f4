// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <string>

class QIODevice;

namespace kribed {
class EncodingDetector;
}

namespace kribed {

// The kinds of separated text, numbered as the entries of the file dialogs' filter list (the
// dialogs' filter index, counted from 1). The file's own extension never decides the kind.
enum class TextType {
    Comma = 1,     // "Comma Separator (*.CSV)"
    Semicolon = 2, // "Semicolon Separator (*.csv)"
    Tab = 3,       // "Tab Separator (*.TXT)"
    CommaAny = 4,  // "Comma Separator (*.*)": read like Comma, never written
    // "Standard CSV (*.csv)": quoted values may hold separators, doubled quotes and line breaks,
    // records end at CR LF, LF or CR, and the text is UTF-8 or in the code page (csv_format.h).
    // It follows the other types in every dialog, so its filter index differs between them.
    Csv = 5,
};

// The type of a filter index of the import and append dialogs as they stand (1..4), or none.
std::optional<TextType> textTypeFromIndex(int filterIndex);
// The type named "comma", "semicolon", "tab", "comma-any" or "csv" (case-insensitive), or none.
std::optional<TextType> textTypeFromName(const QString &name);
QString textTypeName(TextType type);

char separatorOf(TextType type);
// The quote the export puts around every value: a double quote, nothing for tab text (standard
// CSV quotes only the values that need it).
QByteArray exportQuoteOf(TextType type);
// The default extension the file dialogs add: "CSV", "csv", "TXT", "*.*", "csv".
QString defaultExtensionOf(TextType type);
// The extension the export gives the previous file: ".CS_", ".cs_", ".TX_", ".cs_" for Csv
// (empty for CommaAny).
QString backupExtensionOf(TextType type);
bool isExportType(TextType type);
// The type's entry of the dialogs' filter text: "Comma Separator (*.CSV)|*.CSV|".
QString textFilterEntry(TextType type);

// The filter texts of the open dialog (import, append: four entries) and of the save dialog
// (export: three entries), in the dialogs' "text|pattern|" form.
QString importFilterText();
QString exportFilterText();
// The same with standard CSV ("Standard CSV (*.csv)") after the described types: five entries
// for import and append, four for export.
QString importFilterTextWithCsv();
QString exportFilterTextWithCsv();
// The type of a filter index of those dialogs (import and append 1..5, export 1..4), or none;
// and the export dialog's index of a type it offers.
std::optional<TextType> importTypeOfFilterIndex(int filterIndex);
std::optional<TextType> exportTypeOfFilterIndex(int filterIndex);
int exportFilterIndexOf(TextType type);

// Cuts bytes into lines: a carriage return ends a line and a line feed right after it belongs to
// that line end; a line feed anywhere else is an ordinary character. Ctrl+Z (26) ends the text.
// A line end after the last line makes no further empty line. Each line is handed over in the
// pieces it came in, so that a line of any length is never held whole: a line of a text whose
// line ends are line feeds alone can be the whole file.
class LinePieceReader
{
public:
    using PieceHandler = std::function<void(QByteArrayView piece)>;
    // Called at the end of each line; returning false stops the reading.
    using LineEndHandler = std::function<bool()>;

    LinePieceReader(PieceHandler piece, LineEndHandler lineEnd);
    // Takes the next piece of the text; a CR LF may be split across two pieces.
    void feed(QByteArrayView bytes);
    // Ends the last line when it had no line end.
    void finish();
    // True after Ctrl+Z or after the line end handler asked to stop: further bytes are ignored.
    bool stopped() const { return mStopped; }

private:
    void endLine();

    PieceHandler mPiece;
    LineEndHandler mLineEnd;
    bool mInLine = false;  // bytes of an unfinished line have been seen
    bool mAfterCr = false; // the previous byte ended a line with CR
    bool mStopped = false;
};

// Reads the device from its current position to its end (or Ctrl+Z, or until the line end
// handler stops), line by line in pieces. False when the device reported a read error.
bool readLinePieces(QIODevice &device, const LinePieceReader::PieceHandler &piece,
                    const LinePieceReader::LineEndHandler &lineEnd);

// The quote of separated text: the double quote unless a preview chose another; 0 for none
// (every character then stands for itself).
constexpr char DoubleQuote = '"';

// The fields of one line. A double quote switches the quoted state, in which a separator does not
// end a field; there is no escape. Each field loses its first two double quotes, wherever they
// stand. A remainder that opens a quote and never closes it is dropped. An empty line is one empty
// field.
// `quote` stands in for the double quote.
QList<QByteArray> splitLine(QByteArrayView line, char separator, char quote = DoubleQuote);

// splitLine without the list: hands each field, counted from 1, to the visitor in line order.
// Returns the number of fields.
using FieldVisitor = std::function<void(int field, QByteArray &&value)>;
int visitFields(QByteArrayView line, char separator, const FieldVisitor &visitor,
                char quote = DoubleQuote);

// splitLine fed piece by piece: each field is handed over at its end as a view that lasts for
// the call, holding at most `keep` of its bytes (the rest is skipped, `longer` says so), so that
// a line of any length costs no more than its fields as far as they are kept.
class FieldSplitter
{
public:
    using Visitor = std::function<void(int field, QByteArrayView value, bool longer)>;

    FieldSplitter(char separator, char quote, qsizetype keep, Visitor visitor);
    void feed(QByteArrayView piece);
    // Ends the line: hands over its last field unless it opened a quote that never closed.
    // Returns the number of fields.
    int endLine();

private:
    void keep(const char *data, qsizetype size);
    void endField();

    char mSeparator;
    int mQuote;
    qsizetype mKeep;
    Visitor mVisitor;
    std::string mField; // cheaper to grow byte by byte than a shared QByteArray
    bool mLonger = false;
    bool mQuoted = false;
    int mStripped = 0; // quotes taken out of the field so far (the first two are)
    int mFields = 0;
};

// The separators of a line outside the quoted state, with the quote rule of splitLine.
// `endsQuoted`, when given, tells whether the line ends inside a quote.
int countSeparators(QByteArrayView line, char separator, bool *endsQuoted = nullptr,
                    char quote = DoubleQuote);

// What the format check learns from a whole file.
struct FormatCheck
{
    qint64 lines = 0;
    int max = -1;                 // the largest separator count of all lines
    bool suspicious = false;      // a line ends quoted, or differs from the largest count before it
    qint64 bytes = 0;             // of all lines, without their line ends
    qint64 longestLine = 0;       // bytes of the longest line
    qint64 longestLineNumber = 0; // counted from 1
    qint64 overlongBytes = 0;     // bytes of the lines longer than a record can hold
    qint64 lineFeeds = 0;         // inside lines: a text whose lines end in line feeds alone
};

// The most bytes a line can give a record: every field's value up to a cell's limit, and the
// separators between them. A longer line loses what is beyond, whatever its fields are.
qint64 longestRecordLine();

// Collects the format check line by line, or a line in pieces (feed, then endLine).
class FormatChecker
{
public:
    explicit FormatChecker(char separator, char quote = DoubleQuote);
    void addLine(QByteArrayView line);
    void feed(QByteArrayView piece);
    void endLine();
    const FormatCheck &result() const { return mResult; }

private:
    char mSeparator;
    int mQuote;
    FormatCheck mResult;
    int mCount = 0; // separators of the line so far
    bool mQuoted = false;
    qint64 mLineBytes = 0;
};

// Runs the format check over the device from its current position; none on a read error.
// `encoding`, when given, sees the same bytes in the same pass (what their encoding is).
std::optional<FormatCheck> checkFormat(QIODevice &device, char separator, char quote = DoubleQuote,
                                       EncodingDetector *encoding = nullptr);

// Whether the import asks "If there is an incorrect import format ...". Besides a doubtful file it
// asks when a line holds more fields than a database can have, so that no field is dropped
// without a word.
bool importAsksFormatQuestion(const FormatCheck &check);
// Whether the append asks the same question (more fields than the database are the fit
// question's concern there).
bool appendAsksFormatQuestion(const FormatCheck &check);

// The texts every exchange command shares.
QString openErrorText();      // "There was an error opening the file. ..."
QString saveErrorText();      // "There was an error in saving the file. ..."
QString formatQuestionText(); // "If there is an incorrect import format ...\nContinue?"

} // namespace kribed
