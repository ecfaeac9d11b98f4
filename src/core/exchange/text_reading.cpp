// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_reading.h"

#include <QCoreApplication>

#include "core/model/limits.h"
#include "core/model/stored_value.h"
#include "core/platform/checked_file.h"
#include "core/platform/prompter.h"

#include <algorithm>

namespace kribed {

void showOpenError(Prompter &prompter)
{
    prompter.ask({QCoreApplication::translate("TextReading", "Error"), openErrorText(), Icon::Error,
                  Buttons::Ok});
}

bool askToGoOn(Prompter &prompter, const QString &text)
{
    return prompter.ask({QCoreApplication::translate("TextReading", "Information"), text,
                         Icon::Warning, Buttons::OkCancel})
           == Answer::Ok;
}

bool openForReading(CheckedFile &file, Prompter &prompter)
{
    if (file.openForReading())
        return true;
    showOpenError(prompter);
    return false;
}

bool cutToStoredSize(QByteArray &value, CodePageConverter *converter)
{
    return cutToStoredLimit(value, converter);
}

void reportCutValues(Prompter &prompter, int count)
{
    if (count == 0)
        return;
    const QString text =
        count == 1
            ? QCoreApplication::translate(
                "TextReading", "1 value was longer than 4000 characters and has been cut to "
                               "its first 4000 characters.")
            : QCoreApplication::translate(
                  "TextReading", "%1 values were longer than 4000 characters and have been cut "
                                 "to their first 4000 characters.")
                  .arg(count);
    prompter.ask({QCoreApplication::translate("TextReading", "Information"), text, Icon::Warning,
                  Buttons::Ok});
}

ExchangeResult checkTextFirst(QIODevice &device, char separator, Prompter &prompter,
                              const std::function<bool(const FormatCheck &)> &goOn,
                              FormatCheck &check)
{
    const qint64 start = device.pos();
    const std::optional<FormatCheck> checked = checkFormat(device, separator);
    if (!checked) {
        showOpenError(prompter);
        return ExchangeResult::Failed;
    }
    check = *checked;
    if (!goOn(check))
        return ExchangeResult::Cancelled;
    if (!device.seek(start)) {
        showOpenError(prompter);
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

void ImportedTable::shapeFor(const FormatCheck &check)
{
    const int rows = int(std::clamp<qint64>(check.lines, 2, MaxRecords + 1));
    fields = std::clamp(check.max + 1, 1, MaxFields);
    this->rows = QVector<Database::Record>(rows, Database::Record(fields));
}

void replaceWithImported(Database &database, ImportedTable &table)
{
    constexpr int ImportedColumnWidth = 90; // pixels, not width units
    database.resetAppInfo();
    database.setFilterText(QByteArray());
    database.setFilterField(0);
    database.setSecondarySortField(0);
    database.setTertiarySortField(0);
    database.clearPopupLists();
    database.setFilterOn(false);

    const int records = int(table.rows.size()) - 1;
    database.setShape(table.fields, records);
    for (int field = 1; field <= table.fields; ++field) {
        database.setFieldName(field, table.rows[0][field - 1]);
        database.setColumnWidth(field, ImportedColumnWidth);
        database.setFieldType(field, 0);
    }
    for (int record = 1; record <= records; ++record)
        database.recordAt(record) = std::move(table.rows[record]);
    database.setModified();
}

} // namespace kribed
