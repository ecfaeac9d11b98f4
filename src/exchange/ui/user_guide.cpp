// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "exchange/ui/user_guide.h"

namespace kribed {

namespace {

struct Section
{
    const char *heading;
    const char *text;
};

// The guide for our users. Each text is written as lines; a heading line comes before it and an
// empty line after it.
const Section Sections[] = {
    {"Overview",
     "Kribed PRO edits Kribo databases on your desktop computer. A Kribo database travels\n"
     "between the handheld and the computer as one .pdb file. Kribed PRO shows the records\n"
     "of such a file as the rows and its fields as the columns of a table."},
    {"Features",
     "- open Kribo pro files and older Kribo 3 files (converted on opening)\n"
     "- edit cells by their field type, field definitions, popup lists, filter and sort\n"
     "- append, insert, delete, cut, copy, paste and drag records and fields\n"
     "- find, sort, sum and print\n"
     "- create databases, import and export separated text (CSV, TXT)\n"
     "- install a database for the next HotSync"},
};

} // namespace

QStringList UserGuideHeadings()
{
    QStringList headings;
    for (const Section &section : Sections)
        headings << QString::fromUtf8(section.heading);
    return headings;
}

QString UserGuideText()
{
    QString text;
    for (const Section &section : Sections) {
        text += QString::fromUtf8(section.heading) + u'\n';
        text += QString::fromUtf8(section.text) + u'\n';
        text += u'\n';
    }
    text += QStringLiteral("Have a good time with KribEd PRO\n");
    return text;
}

} // namespace kribed
