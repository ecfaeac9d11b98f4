// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

namespace kribed {

enum class Icon { None, Information, Warning, Error, Question };
enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel };
enum class Answer { Ok, Cancel, Yes, No, Retry };

// One message box: the text may hold '\r' for a line break, as the program's texts are written.
struct Message
{
    QString caption;
    QString text;
    Icon icon = Icon::None;
    Buttons buttons = Buttons::Ok;
    // Return takes the cautious answer (No, Cancel) instead of the first one: for a question whose
    // first answer throws away work that exists nowhere else.
    bool cautiousDefault = false;
};

// A check box under a message's text ("Do not show this again"): `checked` is its state when the
// message is shown, and the user's choice once it is answered.
struct CheckBox
{
    QString text;
    bool checked = false;
};

// Every message box of the program goes through here; the GUI shows a QMessageBox, tests answer
// from a script, kribed-cli prints to standard error and answers from its flags.
class Prompter
{
public:
    virtual ~Prompter() = default;
    virtual Answer ask(const Message &message) = 0;
    // The message with a check box under its text. Where no box can be shown, the message alone:
    // the box keeps its state.
    virtual Answer askWithCheckBox(const Message &message, CheckBox &box)
    {
        Q_UNUSED(box);
        return ask(message);
    }
};

// The support address named in the reader's two questions.
inline const QString &supportAddress()
{
    static const QString address = QStringLiteral("support@kribed.example.org");
    return address;
}

} // namespace kribed
