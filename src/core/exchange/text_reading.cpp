// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/text_reading.h"

#include "core/platform/checked_file.h"
#include "core/model/limits.h"
#include "core/platform/prompter.h"

namespace kribed {

void ShowOpenError(Prompter &prompter)
{
    prompter.Ask({QStringLiteral("Error"), OpenErrorText(), Icon::Error, Buttons::Ok});
}

bool AskToGoOn(Prompter &prompter, const QString &text)
{
    return prompter.Ask({QStringLiteral("Information"), text, Icon::Warning, Buttons::OkCancel})
        == Answer::Ok;
}

bool OpenForReading(CheckedFile &file, Prompter &prompter)
{
    if (file.OpenForReading())
        return true;
    ShowOpenError(prompter);
    return false;
}

bool CutToStoredSize(QByteArray &value)
{
    if (value.size() <= MaxValueBytes)
        return false;
    value.truncate(MaxValueBytes);
    return true;
}

void ReportCutValues(Prompter &prompter, int count)
{
    if (count == 0)
        return;
    const QString text =
        count == 1 ? QStringLiteral("1 value was longer than 4000 characters and has been cut to "
                                    "its first 4000 characters.")
                   : QStringLiteral("%1 values were longer than 4000 characters and have been cut "
                                    "to their first 4000 characters.")
                         .arg(count);
    prompter.Ask({QStringLiteral("Information"), text, Icon::Warning, Buttons::Ok});
}

ExchangeResult CheckTextFirst(QIODevice &device, char separator, Prompter &prompter,
                              const std::function<bool(const FormatCheck &)> &goOn,
                              FormatCheck &check)
{
    const qint64 start = device.pos();
    const std::optional<FormatCheck> checked = CheckFormat(device, separator);
    if (!checked) {
        ShowOpenError(prompter);
        return ExchangeResult::Failed;
    }
    check = *checked;
    if (!goOn(check))
        return ExchangeResult::Cancelled;
    if (!device.seek(start)) {
        ShowOpenError(prompter);
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

} // namespace kribed
