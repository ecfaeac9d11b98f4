// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/digit_keys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace kribed {

namespace {

class DigitKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress && dropsNonDigitKey(*static_cast<QKeyEvent *>(event)))
            return true;
        return QObject::eventFilter(watched, event);
    }
};

} // namespace

bool dropsNonDigitKey(const QKeyEvent &event)
{
    const int key = event.key();
    if (key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab
        || key == Qt::Key_Delete)
        return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return true;
    const QString text = event.text();
    if (text.isEmpty() || key == Qt::Key_Backspace)
        return false;
    return !(text.size() == 1 && text[0] >= u'0' && text[0] <= u'9');
}

void takeDigitsOnly(QComboBox *box)
{
    auto *filter = new DigitKeyFilter(box);
    box->installEventFilter(filter);
    if (box->lineEdit())
        box->lineEdit()->installEventFilter(filter);
}

} // namespace kribed
