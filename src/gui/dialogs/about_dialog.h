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
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);

    static QString webAddress();
    static QString mailAddress();

    // Where the failure to find a browser is told; without one nothing is told.
    void setPrompter(Prompter *prompter) { mPrompter = prompter; }
    // Opens a web address; the default asks the desktop, then the usual browser programs.
    using UrlOpener = std::function<bool(const QUrl &)>;
    void setUrlOpener(UrlOpener opener) { mOpener = std::move(opener); }
    // The web address or the "or email" label was clicked.
    void openWebAddress();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *mHeart;
    Prompter *mPrompter = nullptr;
    UrlOpener mOpener;
};

} // namespace kribed
