// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDialog>

#include <functional>

class QUrl;

class QLabel;

namespace kribed {

class Prompter;

// The about box: title, version, the maker's web and e-mail addresses.
class TAboutForm : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutForm(QWidget *parent = nullptr);

    static QString WebAddress();
    static QString MailAddress();

    // Where the failure to find a browser is told; without one nothing is told.
    void SetPrompter(Prompter *prompter) { mPrompter = prompter; }
    // Opens a web address; the default asks the desktop, then the usual browser programs.
    using UrlOpener = std::function<bool(const QUrl &)>;
    void SetUrlOpener(UrlOpener opener) { mOpener = std::move(opener); }
    // The web address or the "or email" label was clicked.
    void OpenWebAddress();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *mHeart;
    Prompter *mPrompter = nullptr;
    UrlOpener mOpener;
};

} // namespace kribed
