// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_reading.h"

#include "core/model/limits.h"
#include "core/platform/checked_file.h"
#include "core/platform/prompter.h"

namespace kribed {

void showOpenError(Prompter &prompter)
{
    prompter.ask({QStringLiteral("Error"), openErrorText(), Icon::Error, Buttons::Ok});
}

bool askToGoOn(Prompter &prompter, const QString &text)
{
    return prompter.ask({QStringLiteral("Information"), text, Icon::Warning, Buttons::OkCancel})
           == Answer::Ok;
}

bool openForReading(CheckedFile &file, Prompter &prompter)
{
    if (file.openForReading())
        return true;
    showOpenError(prompter);
    return false;
}

bool cutToStoredSize(QByteArray &value)
{
    if (value.size() <= MaxValueBytes)
        return false;
    value.truncate(MaxValueBytes);
    return true;
}

void reportCutValues(Prompter &prompter, int count)
{
    if (count == 0)
        return;
    const QString text =
        count == 1 ? QStringLiteral("1 value was longer than 4000 characters and has been cut to "
                                    "its first 4000 characters.")
                   : QStringLiteral("%1 values were longer than 4000 characters and have been cut "
                                    "to their first 4000 characters.")
                         .arg(count);
    prompter.ask({QStringLiteral("Information"), text, Icon::Warning, Buttons::Ok});
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

} // namespace kribed
