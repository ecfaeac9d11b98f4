// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDialog>

class QLabel;

namespace kribed {

// The about box: title, version, the maker's web and e-mail addresses.
class TAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *parent = nullptr);

    static QString WebAddress();
    static QString MailAddress();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void OpenWebAddress();

    QLabel *mHeart;
};

} // namespace kribed
