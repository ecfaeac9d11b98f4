// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QDialog>

class QFont;
class QPlainTextEdit;

namespace kribed {

// The read-me window: the user guide in a read-only text, shown beside the main window without
// blocking it; Escape closes it.
class ReadmeWindow : public QDialog
{
    Q_OBJECT

public:
    explicit ReadmeWindow(QWidget *parent = nullptr);
    // The font of the guide's text.
    void setDisplayFont(const QFont &font);

    // The whole guide, one section after another.
    static QString guideText();

    // The guide as the window shows it: the lines of a paragraph flow into one, to wrap at the
    // window's width. A heading (the line after an empty one), a list item ("- ") and the line
    // after a sentence's end start lines of their own.
    static QString flowingText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPlainTextEdit *mMemo;
};

} // namespace kribed
