// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "exchange/text_reading.h"

#include "shell/prompter.h"

#include <QFile>

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

bool OpenForReading(QFile &file, Prompter &prompter)
{
    if (file.open(QIODevice::ReadOnly))
        return true;
    ShowOpenError(prompter);
    return false;
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
