// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/workbook_export.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "core/platform/prompter.h"
#include "core/platform/safe_file.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryFile>

#include <xlsxwriter.h>

#include <cctype>
#include <cmath>
#include <memory>
#include <string>

namespace kribed {

namespace {

enum class CellKind { Text, Number, Boolean, Date, Time };

CellKind kindOf(int typeIndex)
{
    if (isNumberType(typeIndex))
        return CellKind::Number;
    if (typeIndex == BooleanType)
        return CellKind::Boolean;
    if (isDateType(typeIndex))
        return CellKind::Date;
    if (isTimeType(typeIndex))
        return CellKind::Time;
    return CellKind::Text;
}

// Excel counts days from 1899-12-30, except that it believes in a 29 February 1900: the dates of
// January and February 1900 are one day less. Dates before 1900 it cannot show.
std::optional<double> excelDay(const QDate &date)
{
    if (date < QDate(1900, 1, 1))
        return std::nullopt;
    const QDate epoch = date < QDate(1900, 3, 1) ? QDate(1899, 12, 31) : QDate(1899, 12, 30);
    return double(epoch.daysTo(date));
}

double excelTime(const QTime &time)
{
    return time.msecsSinceStartOfDay() / 86400000.0;
}

// A field's width units in Excel's characters: four digits are 56/3 units wide.
double excelColumnWidth(int units)
{
    return units * 3.0 / 14.0;
}

// Whether a cell's bytes go into the sheet as they are: ASCII the code page keeps, with nothing
// workbookText would escape (control characters, or an underscore that could start an escape).
bool isPlainAsciiText(QByteArrayView text)
{
    for (const char c : text) {
        const uchar byte = uchar(c);
        if (byte >= 0x80 || byte == '_' || (byte < 0x20 && byte != '\t' && byte != '\n'))
            return false;
    }
    return true;
}

struct WorkbookCloser
{
    void operator()(lxw_workbook *book) const { workbook_close(book); }
};

// One sheet being written, row by row as constant-memory mode wants it.
class SheetWriter
{
public:
    SheetWriter(const Database &database, const Regional &regional, WorkbookReport &report)
        : mDatabase(database)
        , mRegional(regional)
        , mReport(report)
        , mAsciiIsUtf8(keepsAscii(regional.codePage()))
    {
    }

    bool open(const QString &fileName);
    bool writeAll();
    // Closes the workbook: false when the file could not be completed.
    bool close() { return workbook_close(mBook.release()) == LXW_NO_ERROR; }

private:
    bool writeHeader();
    bool writeRecord(int record, lxw_row_t row);
    lxw_error writeCell(int field, int record, lxw_row_t row);
    lxw_error writeText(lxw_row_t row, lxw_col_t column, QByteArrayView cell,
                        lxw_format *format = nullptr);
    std::optional<double> dayOf(QByteArrayView cell);
    std::optional<double> timeOf(QByteArrayView cell);

    const Database &mDatabase;
    const Regional &mRegional;
    WorkbookReport &mReport;
    const bool mAsciiIsUtf8;
    // Dates and times repeat (a day's records, a modification date column), and reading one in
    // the regional formats costs more than writing the cell, so each text is read once. NaN
    // stands for a text that is no date or time.
    QHash<QByteArray, double> mDays;
    QHash<QByteArray, double> mTimes;
    // The bytes of a text written as it is, with the NUL the library needs.
    std::string mPlainText;
    std::unique_ptr<lxw_workbook, WorkbookCloser> mBook;
    lxw_worksheet *mSheet = nullptr;
    lxw_format *mHeaderFormat = nullptr;
    lxw_format *mDateFormat = nullptr;
    lxw_format *mTimeFormat = nullptr;
};

bool SheetWriter::open(const QString &fileName)
{
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    mBook.reset(workbook_new_opt(QFile::encodeName(fileName).constData(), &options));
    if (!mBook)
        return false;
    const QByteArray sheetName =
        workbookSheetName(mRegional.toText(mDatabase.name())).toUtf8();
    mSheet = workbook_add_worksheet(mBook.get(), sheetName.constData());
    if (!mSheet)
        return false;
    mHeaderFormat = workbook_add_format(mBook.get());
    format_set_bold(mHeaderFormat);
    mDateFormat = workbook_add_format(mBook.get());
    format_set_num_format(mDateFormat,
                          excelFormatCode(mRegional.shortDateFormat()).constData());
    mTimeFormat = workbook_add_format(mBook.get());
    format_set_num_format(mTimeFormat,
                          excelFormatCode(mRegional.longTimeFormat()).constData());
    return true;
}

bool SheetWriter::writeAll()
{
    if (!writeHeader())
        return false;
    lxw_row_t row = 0;
    for (int record = 1; record <= mDatabase.recordCount(); ++record) {
        if (mDatabase.isHidden(record))
            continue; // left out as by the text export
        if (!writeRecord(record, ++row))
            return false;
    }
    const lxw_col_t lastColumn = lxw_col_t(mDatabase.fieldCount() - 1);
    return worksheet_autofilter(mSheet, 0, 0, row, lastColumn) == LXW_NO_ERROR;
}

bool SheetWriter::writeHeader()
{
    // Widths and panes belong before the first row in constant-memory mode.
    for (int field = 1; field <= mDatabase.fieldCount(); ++field) {
        const lxw_col_t column = lxw_col_t(field - 1);
        if (worksheet_set_column(mSheet, column, column,
                                 excelColumnWidth(mDatabase.widthUnits(field)), nullptr)
            != LXW_NO_ERROR)
            return false;
    }
    worksheet_freeze_panes(mSheet, 1, 0);
    for (int field = 1; field <= mDatabase.fieldCount(); ++field) {
        if (writeText(0, lxw_col_t(field - 1), mDatabase.fieldName(field), mHeaderFormat)
            != LXW_NO_ERROR)
            return false;
    }
    return true;
}

bool SheetWriter::writeRecord(int record, lxw_row_t row)
{
    for (int field = 1; field <= mDatabase.fieldCount(); ++field) {
        if (writeCell(field, record, row) != LXW_NO_ERROR)
            return false;
    }
    return true;
}

lxw_error SheetWriter::writeCell(int field, int record, lxw_row_t row)
{
    const QByteArrayView cell = mDatabase.cellView(field, record);
    if (cell.isEmpty())
        return LXW_NO_ERROR;
    const lxw_col_t column = lxw_col_t(field - 1);
    switch (kindOf(mDatabase.fieldType(field))) {
    case CellKind::Text:
        return writeText(row, column, cell);
    case CellKind::Number:
        if (const std::optional<double> number = mRegional.readDouble(cell))
            return worksheet_write_number(mSheet, row, column, *number, nullptr);
        break;
    case CellKind::Boolean:
        if (cell == "1" || cell == "0")
            return worksheet_write_boolean(mSheet, row, column, cell == "1", nullptr);
        break;
    case CellKind::Date:
        if (const auto day = dayOf(cell))
            return worksheet_write_number(mSheet, row, column, *day, mDateFormat);
        break;
    case CellKind::Time:
        if (const auto time = timeOf(cell))
            return worksheet_write_number(mSheet, row, column, *time, mTimeFormat);
        break;
    }
    ++mReport.keptAsText;
    if (mReport.firstKept.size() < KeptCellsNamed)
        mReport.firstKept.append({field, record, cell.toByteArray()});
    return writeText(row, column, cell);
}

lxw_error SheetWriter::writeText(lxw_row_t row, lxw_col_t column, QByteArrayView cell,
                                 lxw_format *format)
{
    if (mAsciiIsUtf8 && isPlainAsciiText(cell)) {
        mPlainText.assign(cell.data(), size_t(cell.size())); // keeps its capacity
        return worksheet_write_string(mSheet, row, column, mPlainText.c_str(), format);
    }
    const QByteArray text = workbookText(mRegional.toText(cell));
    return worksheet_write_string(mSheet, row, column, text.constData(), format);
}

std::optional<double> SheetWriter::dayOf(QByteArrayView cell)
{
    // Looked up without a copy; only a new text is copied into the table.
    auto found = mDays.constFind(QByteArray::fromRawData(cell.data(), cell.size()));
    if (found == mDays.constEnd()) {
        const std::optional<QDate> date = mRegional.readDate(cell);
        const std::optional<double> day = date ? excelDay(*date) : std::nullopt;
        found = mDays.insert(cell.toByteArray(), day.value_or(std::nan("")));
    }
    if (std::isnan(found.value()))
        return std::nullopt;
    return found.value();
}

std::optional<double> SheetWriter::timeOf(QByteArrayView cell)
{
    auto found = mTimes.constFind(QByteArray::fromRawData(cell.data(), cell.size()));
    if (found == mTimes.constEnd()) {
        const std::optional<QTime> time = mRegional.readTime(cell);
        found = mTimes.insert(cell.toByteArray(), time ? excelTime(*time) : std::nan(""));
    }
    if (std::isnan(found.value()))
        return std::nullopt;
    return found.value();
}

// What a killed export of the same target left: removed where possible. One that stays costs
// only its space, so a failure here does not stop the export.
void removeStaleScratchFiles(const QString &prefix)
{
    const QFileInfo info(prefix);
    const QString start = info.fileName();
    // Compared by hand: a name filter would build a regular expression for one prefix.
    QDirIterator names(info.absolutePath(), QDir::Files | QDir::Hidden | QDir::System);
    while (names.hasNext()) {
        const QString name = names.next();
        if (names.fileName().startsWith(start))
            QFile::remove(name);
    }
}

// Makes the workbook in a temporary file of the target's folder; its bytes are then copied into
// the safe write, which keeps the backup and puts the file in place in one rename.
bool writeWorkbook(const QString &path, const Database &database, const Regional &regional,
                   WorkbookReport &report)
{
    const QString prefix = workbookScratchPrefix(path);
    removeStaleScratchFiles(prefix);
    QTemporaryFile temporary(prefix + QStringLiteral("XXXXXX"));
    if (!temporary.open())
        return false;
    temporary.close();
    SheetWriter writer(database, regional, report);
    const bool complete = writer.open(temporary.fileName()) && writer.writeAll();
    if (!writer.close() || !complete)
        return false;
    const auto copy = [&](QIODevice &device) {
        QFile made(temporary.fileName());
        if (!made.open(QIODevice::ReadOnly))
            return false;
        while (!made.atEnd()) {
            const QByteArray chunk = made.read(1 << 20);
            if (chunk.isEmpty() || device.write(chunk) != chunk.size())
                return false;
        }
        return made.error() == QFileDevice::NoError;
    };
    return safeWriteFile(path, workbookBackupFileName(path), copy);
}

// "_x0041_" in a cell would be read back as "A": such an underscore is escaped itself.
bool startsEscape(QStringView text)
{
    if (text.size() < 7 || text.at(1) != u'x' || text.at(6) != u'_')
        return false;
    for (const QChar c : text.mid(2, 4)) {
        if (c.unicode() > 0x7F || !std::isxdigit(c.unicode()))
            return false;
    }
    return true;
}

} // namespace

WorkbookReport exportWorkbookFile(const QString &path, const Database &database,
                                  Prompter &prompter, const Regional &regional)
{
    WorkbookReport report;
    if (!writeWorkbook(path, database, regional, report)) {
        prompter.ask({QCoreApplication::translate("WorkbookExport", "Error"), saveErrorText(),
                      Icon::Error, Buttons::Ok});
        report.result = ExchangeResult::Failed;
        return report;
    }
    report.result = ExchangeResult::Done;
    if (report.keptAsText > 0)
        prompter.ask({QCoreApplication::translate("WorkbookExport", "Export"),
                      keptAsTextMessage(report, database, regional), Icon::Information,
                      Buttons::Ok});
    return report;
}

QString workbookFilterEntry()
{
    return QCoreApplication::translate("WorkbookExport", "Excel workbook (*.xlsx)")
           + QStringLiteral("|*.xlsx|");
}

QString workbookExtension()
{
    return QStringLiteral("xlsx");
}

QString workbookBackupFileName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name : name.left(dot);
    return path.left(path.size() - name.size()) + stem + QStringLiteral(".xls_");
}

QString workbookScratchPrefix(const QString &path)
{
    const QFileInfo info(path);
    quint32 hash = 2166136261u; // FNV-1a
    for (const char byte : QFile::encodeName(info.fileName())) {
        hash ^= uchar(byte);
        hash *= 16777619u;
    }
    return info.absolutePath() + u'/' + safeWriteLeftoverPrefix() + QStringLiteral("xlsx-%1-")
        .arg(hash, 8, 16, QLatin1Char('0'));
}

QString keptAsTextMessage(const WorkbookReport &report, const Database &database,
                          const Regional &regional)
{
    if (report.keptAsText == 0)
        return QString();
    QString text = QCoreApplication::translate(
                       "WorkbookExport",
                       "%n cell(s) did not read as their field's type and were kept as text:",
                       nullptr, report.keptAsText);
    for (const TextKeptCell &cell : report.firstKept) {
        text += QCoreApplication::translate("WorkbookExport", "\n%1, record %2: \"%3\"")
                    .arg(regional.toText(database.fieldName(cell.field)),
                         recordNumberText(cell.record), regional.toText(cell.text));
    }
    const int more = report.keptAsText - int(report.firstKept.size());
    if (more > 0)
        text += QCoreApplication::translate("WorkbookExport", "\nand %n more.", nullptr, more);
    return text;
}

QByteArray excelFormatCode(const QString &qtFormat)
{
    QByteArray code;
    const qsizetype size = qtFormat.size();
    for (qsizetype i = 0; i < size;) {
        const QChar c = qtFormat.at(i);
        if (c == u'\'') {
            // A quoted literal, or two apostrophes for one.
            QString literal;
            qsizetype j = i + 1;
            if (j < size && qtFormat.at(j) == u'\'') {
                literal = QStringLiteral("'");
            } else {
                for (; j < size; ++j) {
                    if (qtFormat.at(j) != u'\'')
                        literal += qtFormat.at(j);
                    else if (j + 1 < size && qtFormat.at(j + 1) == u'\'')
                        literal += qtFormat.at(j++);
                    else
                        break;
                }
            }
            literal.remove(u'"'); // Excel's literals cannot hold their own quote
            if (!literal.isEmpty())
                code += '"' + literal.toUtf8() + '"';
            i = j + 1;
            continue;
        }
        qsizetype run = 1;
        while (i + run < size && qtFormat.at(i + run) == c)
            ++run;
        switch (c.unicode()) {
        case 'd': code += QByteArray(int(qMin<qsizetype>(run, 4)), 'd'); break;
        case 'M': code += QByteArray(int(qMin<qsizetype>(run, 4)), 'm'); break;
        case 'y': code += run >= 3 ? "yyyy" : "yy"; break;
        case 'h':
        case 'H': code += run >= 2 ? "hh" : "h"; break;
        case 'm': code += run >= 2 ? "mm" : "m"; break;
        case 's': code += run >= 2 ? "ss" : "s"; break;
        case 'z': code += QByteArray(int(qMin<qsizetype>(run, 3)), '0'); break;
        case 't': break; // the time zone has no code
        case 'A':
        case 'a':
            code += "AM/PM";
            if (i + 1 < size && (qtFormat.at(i + 1) == u'P' || qtFormat.at(i + 1) == u'p'))
                run = 2;
            else
                run = 1;
            break;
        default:
            for (qsizetype k = 0; k < run; ++k) {
                if (QStringLiteral(" .:/-,").contains(c))
                    code += char(c.unicode());
                else
                    code += '\\' + QString(c).toUtf8();
            }
            break;
        }
        i += run;
    }
    return code;
}

QString workbookSheetName(const QString &databaseName)
{
    QString name = databaseName;
    for (QChar &c : name) {
        if (QStringLiteral("[]:*?/\\").contains(c) || c.unicode() < 0x20)
            c = u'_';
    }
    name.truncate(31);
    while (name.startsWith(u'\''))
        name.remove(0, 1);
    while (name.endsWith(u'\''))
        name.chop(1);
    if (name.trimmed().isEmpty())
        return QStringLiteral("Sheet1");
    return name;
}

QByteArray workbookText(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        // A cell's line break is CR LF; a workbook's is LF alone (a CR would show as "_x000D_").
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
            continue;
        const bool control = c.unicode() < 0x20 && c != u'\t' && c != u'\n';
        if (control || (c == u'_' && startsEscape(QStringView(text).mid(i))))
            escaped += QStringLiteral("_x%1_").arg(
                QString::number(c.unicode(), 16).toUpper(), 4, QLatin1Char('0'));
        else
            escaped += c;
    }
    return escaped.toUtf8();
}

} // namespace kribed
