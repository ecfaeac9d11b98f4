// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/message_box_prompter.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QMessageBox>

namespace kribed {

namespace {

QMessageBox::Icon boxIcon(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Error: return QMessageBox::Critical;
    case Icon::Question: return QMessageBox::Question;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons boxButtons(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return QMessageBox::Ok;
    case Buttons::OkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo: return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Buttons::RetryCancel: return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

// Closing a box with Escape or its title bar counts as its most cautious answer.
Answer cautiousAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::YesNo: return Answer::No;
    default: return Answer::Cancel;
    }
}

// Puts the normal pointer over an override cursor (the hourglass) for as long as it lives.
class NormalPointer
{
public:
    NormalPointer()
        : mOverridden(QGuiApplication::overrideCursor() != nullptr)
    {
        if (mOverridden)
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~NormalPointer()
    {
        if (mOverridden)
            QGuiApplication::restoreOverrideCursor();
    }
    NormalPointer(const NormalPointer &) = delete;
    NormalPointer &operator=(const NormalPointer &) = delete;

private:
    bool mOverridden;
};

} // namespace

Answer MessageBoxPrompter::ask(const Message &message)
{
    return show(message, nullptr);
}

Answer MessageBoxPrompter::askWithCheckBox(const Message &message, CheckBox &box)
{
    return show(message, &box);
}

Answer MessageBoxPrompter::show(const Message &message, CheckBox *checkBox)
{
    QString text = message.text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    QMessageBox box(boxIcon(message.icon), message.caption, text, boxButtons(message.buttons),
                    mParent);
    box.setTextFormat(Qt::PlainText);
    if (checkBox) {
        auto *check = new QCheckBox(checkBox->text, &box);
        check->setObjectName(QStringLiteral("messageCheckBox"));
        check->setChecked(checkBox->checked);
        box.setCheckBox(check);
    }
    if (message.cautiousDefault)
        box.setDefaultButton(message.buttons == Buttons::YesNo ? QMessageBox::No
                                                               : QMessageBox::Cancel);
    // A box that comes up during a long operation (the reader's, a row command's question) shows
    // the normal pointer; the hourglass is back once it is answered.
    const NormalPointer pointer;
    const int pressed = box.exec();
    if (checkBox)
        checkBox->checked = box.checkBox()->isChecked();
    switch (pressed) {
    case QMessageBox::Ok: return Answer::Ok;
    case QMessageBox::Cancel: return Answer::Cancel;
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    case QMessageBox::Retry: return Answer::Retry;
    default: return cautiousAnswer(message.buttons);
    }
}

} // namespace kribed
