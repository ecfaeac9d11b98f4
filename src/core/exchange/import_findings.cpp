// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/import_findings.h"

#include "core/model/limits.h"

#include "core/platform/code_page_converter.h"

#include <QCoreApplication>
#include <QHash>
#include <QStringDecoder>

namespace kribed {

namespace {

QStringList limitLines(const ImportPlan &plan)
{
    QStringList lines;
    const ImportShape &shape = plan.shape;
    const bool import = plan.kind == ImportPlan::Kind::Import;
    if (!shape.rowsCounted) {
        lines << QCoreApplication::translate(
                     "ImportFindings",
                     "The table holds more records than a database takes: those after the first "
                     "%1 are left out.")
                     .arg(shape.rowLimit - (import ? 1 : 0));
    } else if (shape.rows > shape.rowLimit) {
        const qint64 over = shape.rows - shape.rowLimit;
        lines << (import ? QCoreApplication::translate(
                      "ImportFindings", "%n record(s) after the 9999th are left out.", nullptr,
                      int(over))
                         : QCoreApplication::translate(
                             "ImportFindings",
                             "%n line(s) do not fit: the database takes no more records.", nullptr,
                             int(over)));
    }
    if (shape.columns > shape.columnLimit) {
        lines << (import ? QCoreApplication::translate(
                      "ImportFindings",
                      "Lines hold up to %1 fields, a database at most %2: the last field "
                      "takes each line's last value.")
                         : QCoreApplication::translate(
                             "ImportFindings",
                             "Lines hold up to %1 fields, the database %2: the others are "
                             "dropped."))
                     .arg(shape.columns)
                     .arg(shape.columnLimit);
    }
    if (plan.cutValues > 0)
        lines << QCoreApplication::translate(
            "ImportFindings", "%n value(s) are longer than 4000 bytes and will be cut.", nullptr,
            plan.cutValues);
    return lines;
}

// A line longer than a record can hold loses what lies beyond: one that is most of the file
// leaves nothing sensible to import. A text whose lines end in line feeds alone is the usual cause.
void addLineProblems(const ImportShape &shape, ImportFindings &findings)
{
    if (shape.overlongBytes > 0) {
        findings.problems << QCoreApplication::translate(
                                 "ImportFindings",
                                 "Line %1 is %2 MB long, more than a record can hold: what lies "
                                 "beyond 50 values of 4000 bytes is lost.")
                                 .arg(shape.longestLineNumber)
                                 .arg(double(shape.longestLine) / 1e6, 0, 'f', 1);
        if (shape.overlongBytes * 2 > shape.bytes) {
            findings.problems << QCoreApplication::translate(
                "ImportFindings", "Most of the file would be lost: it cannot be imported as "
                                  "it is read now.");
            findings.importable = false;
        }
    }
    if (shape.lineFeeds > 0 && shape.lineFeeds >= shape.rows)
        findings.problems << QCoreApplication::translate(
            "ImportFindings", "The lines end in line feeds alone, which this type does not take "
                              "as line ends: Standard CSV does.");
}

// At most NamedNameProblems lines name a field's name; the others are counted, so that a line of
// values taken for names cannot bury the rest.
constexpr int NamedNameProblems = 5;

void addNameProblems(const ImportPlan &plan, QStringList &all)
{
    if (plan.kind != ImportPlan::Kind::Import || plan.table.rows.isEmpty())
        return;
    QStringList lines;
    const QByteArrayList names = writtenFieldNames(plan);
    QHash<QByteArray, int> first;
    for (int field = 1; field <= names.size(); ++field) {
        const QByteArray &name = names[field - 1];
        if (name.isEmpty()) {
            lines << QCoreApplication::translate("ImportFindings", "Field %1 has no name.")
                         .arg(field);
            continue;
        }
        if (plan.table.rows[0].view(field - 1).size() > name.size())
            lines << QCoreApplication::translate("ImportFindings",
                                                 "The name of field %1 is cut to \"%2\".")
                         .arg(field)
                         .arg(QString::fromLatin1(name));
        if (const int earlier = first.value(name); earlier > 0)
            lines << QCoreApplication::translate("ImportFindings",
                                                 "Fields %1 and %2 are both named \"%3\".")
                         .arg(earlier)
                         .arg(field)
                         .arg(QString::fromLatin1(name));
        else
            first.insert(name, field);
    }
    all += lines.mid(0, NamedNameProblems);
    if (lines.size() > NamedNameProblems)
        all << QCoreApplication::translate("ImportFindings", "%n more problem(s) with field names.",
                                           nullptr, int(lines.size() - NamedNameProblems));
}

void addLosses(const LossReport &losses, QStringList &lines)
{
    if (losses.byteCount() > 0)
        lines << QCoreApplication::translate(
            "ImportFindings",
            "%n byte(s) are not in the chosen encoding: they show as \"?\" and are "
            "imported so.",
            nullptr, losses.byteCount());
    if (losses.characterCount() > 0)
        lines << QCoreApplication::translate(
            "ImportFindings", "%n character(s) cannot be held by the code page and become \"?\".",
            nullptr, losses.characterCount());
}

// Whether the bytes are UTF-8 with a character beyond ASCII (a character cut at their end is no
// fault of the file).
bool looksLikeUtf8(const QByteArray &start)
{
    if (isAsciiBytes(start))
        return false;
    QByteArray whole = start;
    while (!whole.isEmpty() && (uchar(whole.back()) & 0xC0) == 0x80)
        whole.chop(1);
    if (!whole.isEmpty() && uchar(whole.back()) >= 0xC0)
        whole.chop(1);
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(whole);
    return !decoder.hasError() && !text.isEmpty();
}

} // namespace

QByteArrayList writtenFieldNames(const ImportPlan &plan)
{
    QByteArrayList names;
    if (plan.table.rows.isEmpty())
        return names;
    const Record &row = plan.table.rows[0];
    for (int field = 0; field < plan.table.fields; ++field) {
        QByteArray name = row.value(field);
        if (name.size() > StoredFieldNameBytes)
            name.truncate(StoredFieldNameBytes);
        names.append(name);
    }
    return names;
}

ImportFindings findingsOf(const ImportPlan &plan, const QByteArray &fileStart, bool readsUtf8)
{
    ImportFindings findings;
    if (plan.failure == PlanFailure::Unreadable || plan.failure == PlanFailure::BrokenAfter) {
        findings.problems << plan.error.text;
        findings.importable =
            plan.failure == PlanFailure::BrokenAfter && plan.kind == ImportPlan::Kind::Append;
        if (plan.failure == PlanFailure::Unreadable)
            return findings;
    }
    findings.limits = limitLines(plan);
    if (plan.shape.rows == 0 && plan.shape.rowsCounted) {
        findings.problems << QCoreApplication::translate("ImportFindings", "The file is empty.");
        findings.importable = false;
    }
    if (fileStart.contains('\0')) {
        findings.problems << QCoreApplication::translate(
            "ImportFindings", "The file holds NUL bytes: it is no text file, or in an "
                              "encoding this import does not read.");
        findings.importable = false;
    }
    if (!readsUtf8 && findings.importable && looksLikeUtf8(fileStart))
        findings.problems << QCoreApplication::translate(
            "ImportFindings", "The file looks like UTF-8, which this type reads byte by byte: "
                              "choose Standard CSV in UTF-8 to read its characters.");
    addLineProblems(plan.shape, findings);
    addLosses(plan.losses, findings.problems);
    addNameProblems(plan, findings.problems);
    return findings;
}

} // namespace kribed
