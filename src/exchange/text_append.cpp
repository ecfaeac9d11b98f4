// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "exchange/text_exchange.h"
#include "model/database.h"
#include "shell/prompter.h"

#include <QFile>

namespace kribed {

namespace {

void ShowOpenError(Prompter &prompter)
{
    prompter.Ask({QStringLiteral("Error"), OpenErrorText(), Icon::Error, Buttons::Ok});
}

bool AskToGoOn(Prompter &prompter, const QString &text)
{
    return prompter.Ask({QStringLiteral("Information"), text, Icon::Warning, Buttons::OkCancel})
        == Answer::Ok;
}

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
    const qint64 start = device.pos();
    const std::optional<FormatCheck> check = CheckFormat(device, separator);
    if (!check) {
        ShowOpenError(prompter);
        return ExchangeResult::Failed;
    }
    if (AppendAsksFormatQuestion(*check) && !AskToGoOn(prompter, FormatQuestionText()))
        return ExchangeResult::Cancelled;

    const int fields = database.FieldCount();
    const qint64 free = AppendRowLimit - GridRows(database);
    if ((check->max + 1 > fields || check->lines > free)
        && !AskToGoOn(prompter, FitQuestionText()))
        return ExchangeResult::Cancelled;

    if (!device.seek(start)) {
        ShowOpenError(prompter);
        return ExchangeResult::Failed;
    }
    int added = 0;
    const bool read = ReadLines(device, [&](QByteArrayView line) {
        if (GridRows(database) >= AppendRowLimit)
            return false;
        Database::Record record(fields);
        VisitFields(line, separator, [&record, fields](int field, QByteArray &&value) {
            if (field <= fields)
                record[field - 1] = std::move(value);
        });
        database.InsertRecord(database.RecordCount() + 1, std::move(record));
        ++added;
        return GridRows(database) < AppendRowLimit;
    });
    // Records added before a read error stay, so the database has changed then too.
    if (read || added > 0)
        database.SetModified();
    if (!read) {
        ShowOpenError(prompter);
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

ExchangeResult AppendTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowOpenError(prompter);
        return ExchangeResult::Failed;
    }
    return AppendText(file, type, database, prompter);
}

} // namespace kribed
