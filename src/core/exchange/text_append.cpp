// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_reading.h"
#include "core/platform/checked_file.h"
#include "core/model/database.h"
#include "core/platform/prompter.h"


namespace kribed {

namespace {

int GridRows(const Database &database)
{
    return database.RecordCount() + 1;
}

} // namespace

QString FitQuestionText()
{
    return QStringLiteral("Some of the imported records do not fit and will be cut. Continue?");
}

ExchangeResult AppendText(QIODevice &device, TextType type, Database &database,
                          Prompter &prompter)
{
    const char separator = SeparatorOf(type);
    const int fields = database.FieldCount();
    FormatCheck check;
    const ExchangeResult checked = CheckTextFirst(
        device, separator, prompter,
        [&](const FormatCheck &shape) {
            if (AppendAsksFormatQuestion(shape) && !AskToGoOn(prompter, FormatQuestionText()))
                return false;
            const qint64 free = AppendRowLimit - GridRows(database);
            return (shape.max + 1 <= fields && shape.lines <= free)
                || AskToGoOn(prompter, FitQuestionText());
        },
        check);
    if (checked != ExchangeResult::Done)
        return checked;
    int added = 0;
    int cut = 0;
    const bool read = ReadLines(device, [&](QByteArrayView line) {
        if (GridRows(database) >= AppendRowLimit)
            return false;
        Database::Record record(fields);
        VisitFields(line, separator, [&record, &cut, fields](int field, QByteArray &&value) {
            if (field > fields)
                return;
            cut += CutToStoredSize(value);
            record[field - 1] = std::move(value);
        });
        database.InsertRecord(database.RecordCount() + 1, std::move(record));
        ++added;
        return GridRows(database) < AppendRowLimit;
    });
    // Records added before a read error stay, so the database has changed then too.
    if (read || added > 0)
        database.SetModified();
    ReportCutValues(prompter, cut);
    if (!read) {
        ShowOpenError(prompter);
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

ExchangeResult AppendTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter)
{
    CheckedFile file(path);
    if (!OpenForReading(file, prompter))
        return ExchangeResult::Failed;
    return AppendText(file, type, database, prompter);
}

} // namespace kribed
