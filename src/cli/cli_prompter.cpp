// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_prompter.h"

#include <QTextStream>

namespace kribed {

namespace {

QString AnswerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok:
        return QStringLiteral("OK");
    case Answer::Cancel:
        return QStringLiteral("Cancel");
    case Answer::Yes:
        return QStringLiteral("Yes");
    case Answer::No:
        return QStringLiteral("No");
    case Answer::Retry:
        return QStringLiteral("Retry");
    }
    return QString();
}

} // namespace

CliPrompter::CliPrompter(QTextStream &err, bool answerGoOn)
    : mErr(err)
    , mAnswerGoOn(answerGoOn)
{
}

Answer CliPrompter::GoOnAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel:
        return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    case Buttons::RetryCancel:
        return Answer::Retry;
    }
    return Answer::Ok;
}

Answer CliPrompter::StopAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel:
        return Answer::Cancel;
    case Buttons::YesNo:
        return Answer::No;
    }
    return Answer::Cancel;
}

QString CliPrompter::DisplayText(const QString &text)
{
    QString shown = text;
    shown.replace(u'\r', u'\n');
    return shown;
}

Answer CliPrompter::Ask(const Message &message)
{
    const QString caption =
        message.caption.isEmpty() ? QStringLiteral("kribed-cli") : message.caption;
    mErr << caption << ": " << DisplayText(message.text) << '\n';
    if (message.buttons == Buttons::Ok) {
        mErr.flush();
        return Answer::Ok;
    }
    const Answer answer = mAnswerGoOn ? GoOnAnswer(message.buttons) : StopAnswer(message.buttons);
    if (mAnswerGoOn) {
        mErr << "(answered " << AnswerName(answer) << " because of --yes)\n";
    } else {
        ++mDeclined;
        mErr << "(answered " << AnswerName(answer) << "; --yes answers "
             << AnswerName(GoOnAnswer(message.buttons)) << ")\n";
    }
    mErr.flush();
    return answer;
}

} // namespace kribed
