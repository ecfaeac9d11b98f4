// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/user_guide.h"

#include <QCoreApplication>

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
    {QT_TRANSLATE_NOOP("UserGuide", "Overview"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Kribed PRO edits Kribo databases on your desktop computer. A Kribo database travels\n"
         "between the handheld and the computer as one .pdb file, which the Palm Desktop software\n"
         "and its HotSync Manager copy to and from the handheld. Kribed PRO shows the records of\n"
         "such a file as the rows of a table and its fields as the columns. One database is open\n"
         "at a time.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Features"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "- opens Kribo pro files, and converts files of the older Kribo 3 into Kribo pro files\n"
         "- edits cells by their field type: text, Boolean, dates and times, popup lists,\n"
         "  integers, auto-increment integers and floats\n"
         "- appends, inserts, deletes, cuts, copies, pastes and drags records and fields\n"
         "- finds texts, sorts the records, sums columns and rows, prints the table\n"
         "- creates new databases, imports and exports comma, semicolon and tab separated text\n"
         "- places a database into the install folder of a handheld user for the next HotSync")},
    {QT_TRANSLATE_NOOP("UserGuide", "Hint"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Hold the mouse over a field name to see the field's type and width. Number fields show\n"
         "their total and average there, Boolean fields how many records are checked. The hint of\n"
         "the top left cell tells how many records the database holds.\n"
         "The status bar shows the current row and column, the letters A (automatic widths),\n"
         "F (filter) and S (row sums) while they are on, the date of the database and its file.\n"
         "A + after the file name means that there are changes that are not saved yet.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Installation"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Install Kribed PRO with the package of your system, or build it from its sources.\n"
         "To place databases on a handheld you need the Palm Desktop software with its HotSync\n"
         "Manager and at least one handheld user set up in it. Without it Kribed PRO still edits\n"
         "databases; only the Install command stays disabled.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Standard Disclaimers Apply"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Kribed PRO is free software and comes without any warranty. Keep copies of databases\n"
         "that matter to you. Kribed PRO always keeps the previous version of a saved file as a\n"
         ".pd_ file beside it.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Creating a new database"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Choose File > New... and give the database a name (up to 30 characters), the number\n"
         "of fields (1 to 50) and records (1 to 9999), a field type and a width. Every field\n"
         "starts with that type; the field type is \"String\" unless you choose another one. Set\n"
         "the name, type and width of each field afterwards in the Properties dialog. The new\n"
         "database is kept in memory until you save it.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Opening an existing database"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Choose File > Open... (Ctrl+O) and pick a .pdb file. The five files opened last are\n"
         "listed at the end of the File menu; choose one of them to open it again at once.\n"
         "A Kribo 3 file is converted on opening and is saved under its name with \"_p.pdb\" at the\n"
         "end, so the original file stays as it was. If the open database has changes that are\n"
         "not saved, Kribed PRO asks before it drops them.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Save a Kribo 4 / Kribo pro database"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "File > save (Ctrl+S) writes the database to its own file; File > Save as... writes it\n"
         "under a new name with the extension .pdb. The file that is replaced is kept as a backup\n"
         "with the extension .pd_ (Kunden.pdb becomes Kunden.pd_), so one previous version is\n"
         "always there. Nothing replaces a file until the new one is written completely.\n"
         "When automatic column widths are on, Kribed PRO asks whether the file should keep the\n"
         "widths from before, because automatic widths may not suit the handheld's screen.\n"
         "While a database has changes that are not saved, Kribed PRO keeps a copy of it in a\n"
         "recovery file of its own, never beside your file: after the first change, then at most\n"
         "once a minute while you go on. If the program ends without saving (a crash, a power cut,\n"
         "a killed program), the next start shows the \"Recovery\" dialog before any file opens,\n"
         "even a file named on the command line. It lists each set of changes with its file, its\n"
         "folder, when it was written and whether the file changed since. \"Recover\" (Return)\n"
         "opens it as a changed database of its own file, so File > save writes it there with the\n"
         "usual backup; \"Save as...\" writes it to another file; \"Discard\" throws it away after a\n"
         "question; \"Later\" keeps it for the next start. The undo history is not recovered. A\n"
         "recovery file that cannot be read is shown as damaged and can only be discarded. Saving,\n"
         "closing without saving and a normal exit remove the recovery file. The value Interval in\n"
         "the section Recovery of the settings gives the seconds between writes; 0 switches\n"
         "recovery off.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Install a Kribo 4 / Kribo pro database"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "File > Install (Ctrl+I) copies the database into the install folder of the handheld\n"
         "user chosen on the Application page of the Properties dialog and marks that user for\n"
         "installing. The next HotSync copies the database to the handheld. With \"Save at\n"
         "Install\" on, the database is saved to its own file first.")},
    {QT_TRANSLATE_NOOP("UserGuide",
                       "Importing and exporting data to and from KribEd (Converting data)"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "File > Import... makes a new database from a text file: comma separated (.CSV),\n"
         "semicolon separated (.csv) or tab separated (.TXT). The first line holds the field\n"
         "names, every further line one record. A text in double quotes may hold the separator.\n"
         "Every field of an imported database is a \"String\" field; set the real types in the\n"
         "Properties dialog afterwards. A value longer than 4000 characters, more than a record\n"
         "can hold, is cut to its first 4000 characters, and Kribed PRO tells you how many were.\n"
         "File > Export... writes the open database to such a text file: the field names first,\n"
         "then one line per record. Only the records that the filter shows are written, and the\n"
         "file carries no field widths or types. A text file that is replaced is kept as a backup\n"
         "(.CS_, .cs_ or .TX_).\n"
         "The last type, Excel workbook (*.xlsx), writes a workbook for spreadsheet programs:\n"
         "numbers, Booleans, dates and times become real cells, read in the database's regional\n"
         "formats, under a frozen header row with a filter, in the fields' widths. A cell that\n"
         "does not read as its field's type stays text, and Kribed PRO tells you which. A\n"
         "replaced workbook is kept as a .xls_ backup.")},
    {QT_TRANSLATE_NOOP("UserGuide", "SQLite databases and Excel workbooks"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "The type SQLite database (*.sqlite) of File > Export... writes the records that the\n"
         "filter shows as a table named after the database, one column per field, with the\n"
         "field's type: integers and Booleans as INTEGER, floats as REAL, dates as text\n"
         "YYYY-MM-DD and times as HH:MM:SS, everything else as text. So numbers sum and dates\n"
         "sort in any SQLite tool. Values are read in the database's regional formats; an empty\n"
         "cell becomes NULL. A cell that does not read as its field's type is kept as its text,\n"
         "and Kribed PRO tells you how many and which. Three side tables, kribo_fields,\n"
         "kribo_popup_items and kribo_database, keep the field types and widths, the popup lists\n"
         "and the database's settings. A replaced file is kept as a .sqlit_ backup.\n"
         "The type SQLite database (*.sqlite *.db) of File > Import... makes a new database from\n"
         "one table or view of such a file. A file with several tables and views lists them,\n"
         "with the table that Kribed PRO exported chosen first. A table of its own export comes\n"
         "back with its field types, widths, popup lists and settings; in any other table a\n"
         "column declared INTEGER becomes an Integer field, REAL a Float field and every other\n"
         "column a \"String\" field. A database holds at most 50 fields and 9999 records: for a\n"
         "larger table Kribed PRO asks whether to import the first ones. A value longer than the\n"
         "4000 bytes a record holds is cut there, and binary data (BLOB) becomes hexadecimal\n"
         "text X'...' (a very long one stays empty); Kribed PRO tells you how many values were.\n"
         "A slow table or view shows how far the reading got, and Cancel stops it. The open\n"
         "database is replaced only when the whole table was read and every question answered\n"
         "with OK.\n"
         "The type Excel workbook (*.xlsx) of File > Export... writes the shown records to one\n"
         "sheet named after the database, with real numbers, Booleans, dates and times, the\n"
         "field names as a frozen header row with a filter, and the fields' widths. Workbooks\n"
         "are written only; they cannot be imported.\n"
         "From a shell, kribed-cli export --type sqlite (or --type xlsx) writes these files and\n"
         "kribed-cli import --type sqlite --table NAME reads the table NAME; without --table it\n"
         "reads the table of its own export or the file's only table. --locale chooses the\n"
         "regional formats.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Appending data"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "File > Append... adds the lines of a text file in one of the import formats as new\n"
         "records at the end of the open database. Every line is a record, the first one too.\n"
         "The database keeps its field names, types and settings. Records that do not fit are\n"
         "cut: fields beyond the database's last field and records beyond the largest number of\n"
         "records are left out, after a question.")},
    {QT_TRANSLATE_NOOP("UserGuide", "The import preview"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "After the file is chosen, Import and Append show the \"Import preview\": the records\n"
         "as they will be imported, and above them the separator, the encoding of a standard CSV\n"
         "file, whether the first line holds the field names, the line to start at, the regional\n"
         "formats to read numbers and dates in, and whether blanks around values are trimmed.\n"
         "Each column's header shows its type, read from all of its values, and how many values\n"
         "do not fit it; those cells are marked. \"Use detected types\" gives the new fields these\n"
         "types (Kribed PRO remembers the choice); a column whose numbers have a leading zero,\n"
         "such as the postcode 01067, stays text. The header's menu (right-click, or the menu key\n"
         "in the table) sets a column's type, name and width, or skips it; for Append it chooses\n"
         "the field a column fills, and \"New records\" counts what will be added. Records,\n"
         "fields and values beyond what a database holds, duplicate or empty field names and a\n"
         "file that is empty, binary or not in its encoding are named before OK. A value that\n"
         "does not fit its field's type is imported as its text, and Kribed PRO tells you how\n"
         "many were. Left untouched, the preview imports exactly as before.\n"
         "From a shell, kribed-cli import --detect-types gives the fields the detected types,\n"
         "--types \"Umsatz=Float\" names them, and --plan prints what would be done as JSON\n"
         "without writing anything.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Comparing versions"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "File > Compare with backup compares the open database with the backup (.pd_) its\n"
         "last save kept; File > Compare with file... with any other version. The comparison\n"
         "opens below the grid: a summary (\"3 added, 1 removed, 12 changed in 5 fields\"),\n"
         "the differences of fields and settings, and every record marked + (only in the open\n"
         "database), - (only in the other version) or ~ (changed). Changed cells are\n"
         "highlighted; their tool tip shows the other version's text. Fields are matched by\n"
         "name, then by position. Records are matched by the auto-increment field, by a field\n"
         "chosen in Match records by, or by whole records, so that an inserted record leaves\n"
         "the others in place. Ignore stamps (on at first) leaves modification dates and times\n"
         "out. F8 and Shift+F8 go to the next and previous change. Take from other version\n"
         "copies the other version's cell or record back (a removed record is inserted again,\n"
         "an added one removed); Take all from other version does so for the selected records,\n"
         "or for all. Each is one step Undo takes back, and nothing is written before you save.\n"
         "Export report... writes the differences as CSV (key, field, old, new).\n"
         "From a shell, kribed-cli diff A.pdb B.pdb prints them; its exit status is 0 when the\n"
         "databases are the same and 1 when they differ.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Editing the Database Information"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Type into a cell to change it in the table, or double-click it (or press F2) to open\n"
         "the cell editor, which offers the right control for the field's type: a check box for\n"
         "Boolean fields, date and time pickers, the popup list. Changing a value sets the\n"
         "record's Modification Date and Modification Time fields to now.\n"
         "The Edit and Tools menus, the tool bar and the context menu of the table (right mouse\n"
         "button) append, insert and delete rows and columns, cut, copy and paste rows and\n"
         "cells. Drag a record number or a field name to move a record or a field. Drag the\n"
         "border of a field name to change the field's width.\n"
         "Edit > Replace... (Ctrl+H) replaces a text in the cells: in all fields or one, in the\n"
         "selected cells only, matching the case or the whole cell, or by a regular expression\n"
         "whose groups the replacement takes as \\1, \\2. Find next searches from the current\n"
         "cell as Find does and asks at the end whether to go on from the top; Replace changes\n"
         "the match found, Replace all every match in one step that Undo takes back, and then\n"
         "tells how many cells changed in how many records. While the filter is on only the\n"
         "records it shows are changed, unless \"Include hidden records\" is checked. Changed\n"
         "records get their modification date and time; a value that would grow beyond the 4000\n"
         "bytes a record holds (a line break takes one) is cut there, and the count says so.\n"
         "Before cells of date, time, number or Boolean fields stop reading as their type,\n"
         "Replace asks, and the count says how many did.")},
    {QT_TRANSLATE_NOOP("UserGuide", "The Properties dialog"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Edit > Properties... (F3) shows the settings of the database and of the field of the\n"
         "current column on six pages.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Database"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "The database's name, and whether it is private, locked when Kribo ends, read-only, and\n"
         "whether Kribo's own filter is on.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Field"),
     QT_TRANSLATE_NOOP(
         "UserGuide", "The field's name (up to 20 characters), type and width (1 to 300), and for\n"
                      "auto-increment fields the amount by which each new record's number grows.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Popup"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "The entries of the field's popup list for Normal PopUp and Multiple Popup fields:\n"
         "append, cut, paste and sort them. A field that gets a type other than a popup type\n"
         "loses its list.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Filter"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "The text to look for, the field to look in (or all fields), whether the field must\n"
         "begin with the text, and whether the filter shows (INCLUDE) or hides (EXCLUDE) the\n"
         "matching records. Letters a to z match in upper and lower case. Tools > Enable filter\n"
         "(Ctrl+E) switches the filter on and off.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Sort"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "The secondary and tertiary sort fields and their directions. The primary sort field is\n"
         "always the field of the current column. Sort with Tools > Sort normal (Ctrl+N) or\n"
         "Sort reverse (Ctrl+R).")},
    {QT_TRANSLATE_NOOP("UserGuide", "Application"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "The handheld user for Install, whether the file dialogs start in that user's backup\n"
         "folder, whether Install saves first, and expert mode, which leaves out the\n"
         "confirmations of deleting, cutting and pasting and the questions about automatic\n"
         "widths.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Going to a record and the filter bar"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Edit > Go to record... (Ctrl+G) takes a record number and makes that record the\n"
         "current row; the column stays. A record the filter hides cannot be gone to.\n"
         "Tools > Filter bar (Ctrl+Shift+L) shows a bar above the table with the settings of\n"
         "the Filter page: the field to look in, the text, \"Field must begin with String\" and\n"
         "the switch, which is Tools > Enable filter. They are the same settings, so a change\n"
         "in the bar shows on the Filter page and the other way round. A short pause after\n"
         "typing, or Return, runs the filter with the text; the bar then tells how many records\n"
         "it shows (\"12 of 2000 records shown\"). Escape returns to the table. Each change made\n"
         "in the bar can be undone with Edit > Undo.\n"
         "Tools > Column filters (Ctrl+Shift+F) puts a button into each field's header; Alt+Down\n"
         "opens the one of the current field. It lists the field's values with the number of\n"
         "records holding each, counted over the records the other filters leave: tick the\n"
         "values to keep (the search box narrows the list, Select all ticks what it shows).\n"
         "Below are two conditions by the field's type, joined by and or or: for texts equals,\n"
         "contains, begins with, ends with or a regular expression; for numbers, dates and\n"
         "times =, <, >, between, or the top or bottom N, read in the regional formats (a cell\n"
         "that does not read as its type never matches); for Boolean fields checked or\n"
         "unchecked; for every field empty or not empty. The filters of all fields must hold,\n"
         "on top of the record filter. A filtered field shows a funnel in its header and names\n"
         "its filter in the header's tooltip; the status bar tells how many records are shown.\n"
         "Column filters are not saved in the file: they are remembered for it and come back\n"
         "when it is opened again. Each change can be undone; Tools > Clear all filters removes\n"
         "them all. Tools > Freeze columns up to here keeps the fields left of the current cell\n"
         "in place while the table scrolls right.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Working in the table"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Boolean fields show check boxes: Space or a click on the box checks or unchecks it\n"
         "(stored as 1 and 0). Numbers, dates and times stand at the right of their cells.\n"
         "A cell whose text does not read as its field's type in the regional formats has a\n"
         "red mark in its top left corner; its tool tip tells why, and Edit > Next unreadable\n"
         "value (Ctrl+Shift+U) goes to the next one. Edit > Select all (Ctrl+Shift+A) selects\n"
         "every cell; Ctrl+Shift+Home and Ctrl+Shift+End extend the selection to the first and\n"
         "last cell, Ctrl+Up and Ctrl+Down go to the first and last record, Shift+Space selects\n"
         "the record and Ctrl+Space the field. Edit > Fill down (Ctrl+D) copies the top cell of\n"
         "each selected field into the selected cells below it; Edit > Fill series... fills\n"
         "the selection with one value, or with numbers or dates from a start value by a step.\n"
         "Both fill only the records the filter shows. Edit > Undo history (Ctrl+Shift+H)\n"
         "lists the changes; a click on one goes back to it. The print preview has \"Fit to\n"
         "page width\" and \"Repeat the field names on every page\"; Print uses them too.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Charts and the field profile"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Tools > Chart (Ctrl+Shift+G) shows a chart of the records the filter shows, in the\n"
         "order of the table, beside it: lines, points, bars side by side or stacked, a\n"
         "histogram of a number or date field, the count of each value of a field, or a\n"
         "figure (count, sum, average, minimum, maximum) per value or per day, week, month,\n"
         "quarter or year of a date field, with its table, which Copy table puts on the\n"
         "clipboard as tab-separated text. Numbers, dates and times are read in the regional\n"
         "formats; values that do not read are left out and counted under the chart. The\n"
         "chart is drawn again after every change, undo and filter. A click or a drag over\n"
         "points or bars selects their records in the table, and the records selected in the\n"
         "table are marked in the chart. The choices are kept for each file. Save chart as...\n"
         "writes it as PNG, SVG or PDF; Print chart... prints it on one page. The mouse wheel\n"
         "zooms, a drag with the middle button or with Shift held moves the chart; with the\n"
         "focus on the chart, + and - zoom, the arrow keys move it and Home shows it whole.\n"
         "Tools > Field profile (Ctrl+Shift+P) shows the current\n"
         "field's filled and empty cells, its most frequent values with their counts, its\n"
         "smallest and largest number or its earliest and latest date, and the cells that do\n"
         "not read as its type; a double-click on a value filters the records by it, which\n"
         "Edit > Undo takes back.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Printing the database"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "File > Print... prints the records that the filter shows under a line of field names,\n"
         "with the database name and a page number on every page. A table wider or longer than\n"
         "the paper is printed on several pages (1.1, 1.2, ... 2.1, ...). The printed columns\n"
         "are as wide as on the screen, in the font of the table.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Calculation"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Kribed PRO adds up numbers in columns and in rows. Cells that do not hold a number are\n"
         "left out.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Column Sum"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Tools > Column Sum (Ctrl+U) adds the numbers above the current cell and writes the\n"
         "total into it.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Row Sum"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Tools > Row Sum (Ctrl+W) adds the numbers left of the result field in each record.\n"
         "Without a sum field it fills the current cell once. With a sum field it fills that\n"
         "field in every record and keeps it up to date while you type into the table, until\n"
         "you switch it off or use a row or column command.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Features for calculation a row sum."),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "Mark the field that receives the sum with \"&\" at the end of its name, for example\n"
         "Total&. Give a field a factor with \"#\" and a number at the end of its name: the field\n"
         "Price #1.5 counts one and a half times its value. Only the fields left of the sum field\n"
         "count. The demo databases SumDemo1.pdb and SumDemo2.pdb show both marks: open one and\n"
         "choose Tools > Row Sum. SumDemo1 counts the pieces in stock from loose pieces, boxes of\n"
         "12 and pallets of 480; SumDemo2 keeps a household book whose balance is the income less\n"
         "the fields marked #-1. Both are installed with Kribed PRO in the folder\n"
         "share/kribed/examples of its installation (/usr/share/kribed/examples when it comes\n"
         "with your system, /usr/local/share/kribed/examples when built from the sources), and\n"
         "they are in the folder examples of the sources.")},
    {QT_TRANSLATE_NOOP("UserGuide", "Regional formats"),
     QT_TRANSLATE_NOOP(
         "UserGuide",
         "A database made in another country may write its numbers and dates in that country's\n"
         "way (1520,50 and 12.03.2019 in Germany). Tools > Regional formats... (Alt+T, G) chooses\n"
         "how the open database's numbers, dates, times and text order are read: the desktop's\n"
         "formats or those of one of the listed countries, each shown with a number, today's\n"
         "date, the time and what the database's first number and date cells read as. The\n"
         "choice is taken at once by the sums, sorts, hints, the selection's statistics and the\n"
         "dates and times Kribed PRO writes; no value is changed, nothing is undone by Undo and\n"
         "the file is not marked changed. Kribed PRO remembers the choice for each file (not in\n"
         "the file). When a file without a choice reads much better in other formats, a bar\n"
         "above the table says so and offers to use them or to keep the desktop's formats; the\n"
         "answer is remembered too. The status bar names the formats when they are not the\n"
         "desktop's. A new or imported database starts with the desktop's formats.")},
};

} // namespace

QStringList userGuideHeadings()
{
    QStringList headings;
    for (const Section &section : Sections)
        headings << QCoreApplication::translate("UserGuide", section.heading);
    return headings;
}

QString userGuideText()
{
    QString text;
    for (const Section &section : Sections) {
        text += QCoreApplication::translate("UserGuide", section.heading) + u'\n';
        text += QCoreApplication::translate("UserGuide", section.text) + u'\n';
        text += u'\n';
    }
    text += QCoreApplication::translate("UserGuide", "Have a good time with KribEd PRO\n");
    return text;
}

} // namespace kribed
