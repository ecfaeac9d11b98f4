// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace kribed {

struct FormatsSuggestion;

// The bar above the grid that says a database's cells read better in other formats than the
// desktop's, with the sample that showed it, and offers both answers. It never blocks: the user
// may go on working and answer later, or not at all.
class FormatsSuggestionBar : public QWidget
{
    Q_OBJECT

public:
    explicit FormatsSuggestionBar(QWidget *parent = nullptr);

    // Shows the bar for `suggestion`; `desktopName` names the desktop's formats.
    void suggest(const FormatsSuggestion &suggestion, const QString &desktopName);

    QLabel *message() const { return mMessage; }
    QPushButton *useButton() const { return mUse; }
    QPushButton *keepButton() const { return mKeep; }

Q_SIGNALS:
    // The user's answer; the bar is hidden before either.
    void useSuggested();
    void keepDesktop();

private:
    QLabel *mMessage = nullptr;
    QPushButton *mUse = nullptr;
    QPushButton *mKeep = nullptr;
};

} // namespace kribed
