// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/platform/formats_memory.h"

#include <QDialog>

class QFont;
class QTreeWidget;

namespace kribed {

class Database;
class Regional;

// The "Regional formats" dialog: the desktop's formats first, then the locales archives often
// come from, each on one line with a number, today's date and the time written in it and what
// the open database's first number and date cells read as there. OK takes the selected line.
class RegionalFormatsDialog : public QDialog
{
    Q_OBJECT

public:
    explicit RegionalFormatsDialog(QWidget *parent = nullptr);

    // Fills the lines for `database` under the desktop's rules and selects `current`.
    void prepare(const Database &database, const Regional &desktop, const FormatsChoice &current);
    // The font of the cell texts the column titles quote.
    void setDisplayFont(const QFont &font);

    // The selected line's formats.
    FormatsChoice choice() const;
    // Selects the line of `choice` (the desktop's when it is not listed).
    void select(const FormatsChoice &choice);
    QTreeWidget *formatsList() const { return mList; }

private:
    QTreeWidget *mList = nullptr;
};

} // namespace kribed
