// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_prompter.h"

#include <QTextStream>

namespace kribed {

namespace {

QString answerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QStringLiteral("OK");
    case Answer::Cancel: return QStringLiteral("Cancel");
    case Answer::Yes: return QStringLiteral("Yes");
    case Answer::No: return QStringLiteral("No");
    case Answer::Retry: return QStringLiteral("Retry");
    }
    return QString();
}

} // namespace

CliPrompter::CliPrompter(QTextStream &err, bool answerGoOn)
    : mErr(err)
    , mAnswerGoOn(answerGoOn)
{
}

Answer CliPrompter::goOnAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
    case Buttons::OkCancel: return Answer::Ok;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return Answer::Yes;
    case Buttons::RetryCancel: return Answer::Retry;
    }
    return Answer::Ok;
}

Answer CliPrompter::stopAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel:
    case Buttons::YesNoCancel:
    case Buttons::RetryCancel: return Answer::Cancel;
    case Buttons::YesNo: return Answer::No;
    }
    return Answer::Cancel;
}

QString CliPrompter::displayText(const QString &text)
{
    QString shown = text;
    shown.replace(u'\r', u'\n');
    return shown;
}

Answer CliPrompter::ask(const Message &message)
{
    const QString caption =
        message.caption.isEmpty() ? QStringLiteral("kribed-cli") : message.caption;
    mErr << caption << ": " << displayText(message.text) << '\n';
    if (message.buttons == Buttons::Ok) {
        mErr.flush();
        return Answer::Ok;
    }
    const Answer answer = mAnswerGoOn ? goOnAnswer(message.buttons) : stopAnswer(message.buttons);
    if (mAnswerGoOn) {
        mErr << "(answered " << answerName(answer) << " because of --yes)\n";
    } else {
        ++mDeclined;
        mErr << "(answered " << answerName(answer) << "; --yes answers "
             << answerName(goOnAnswer(message.buttons)) << ")\n";
    }
    mErr.flush();
    return answer;
}

} // namespace kribed
