// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "cli/cli_prompter.h"

#include <QCoreApplication>
#include <QTextStream>

namespace kribed {

namespace {

// The buttons' names, as the window's message boxes would call them.
QString answerName(Answer answer)
{
    switch (answer) {
    case Answer::Ok: return QCoreApplication::translate("CliPrompter", "OK");
    case Answer::Cancel: return QCoreApplication::translate("CliPrompter", "Cancel");
    case Answer::Yes: return QCoreApplication::translate("CliPrompter", "Yes");
    case Answer::No: return QCoreApplication::translate("CliPrompter", "No");
    case Answer::Retry: return QCoreApplication::translate("CliPrompter", "Retry");
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

Answer CliPrompter::askWithCheckBox(const Message &message, CheckBox &)
{
    return ask(message);
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
        mErr << QCoreApplication::translate("CliPrompter", "(answered %1 because of --yes)")
                    .arg(answerName(answer))
             << '\n';
    } else {
        ++mDeclined;
        mErr << QCoreApplication::translate("CliPrompter", "(answered %1; --yes answers %2)")
                    .arg(answerName(answer), answerName(goOnAnswer(message.buttons)))
             << '\n';
    }
    mErr.flush();
    return answer;
}

} // namespace kribed
