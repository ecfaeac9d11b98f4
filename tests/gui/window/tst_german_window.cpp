// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/formats_check.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/translations.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/help_commands.h"
#include "gui/commands/navigation_commands.h"
#include "gui/commands/properties_commands.h"
#include "gui/commands/regional_commands.h"
#include "gui/commands/replace_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/dialogs/font_script_dialog.h"
#include "gui/dialogs/message_box_prompter.h"
#include "gui/dialogs/recovery_dialog.h"
#include "gui/dialogs/regional_formats_dialog.h"
#include "main_window_fixture.h"
#include "message_box_answerer.h"
#include "pdb_builder.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QRegularExpression>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

#include <map>

using namespace kribed;
using namespace kribed::test;

namespace {

// The letter after a single '&' ("&&" is a plain ampersand), or none.
QChar mnemonicOf(const QString &text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text.at(i) != u'&')
            continue;
        if (text.at(i + 1) == u'&') {
            ++i;
            continue;
        }
        return text.at(i + 1).toLower();
    }
    return QChar();
}

// A text with a mnemonic and where it sits: the page of every stacked widget (the pages of a tab
// widget, a dialog's alternative panels) around it. Two entries on different pages of one stack
// are never on the screen together.
struct Placed
{
    QString text;
    std::map<const QWidget *, int> pages;
};

std::map<const QWidget *, int> pagesAround(const QWidget *widget)
{
    std::map<const QWidget *, int> pages;
    for (const QWidget *child = widget; child && child->parentWidget();
         child = child->parentWidget()) {
        if (const auto *stack = qobject_cast<const QStackedWidget *>(child->parentWidget()))
            pages[stack] = stack->indexOf(const_cast<QWidget *>(child));
    }
    return pages;
}

bool sameScreen(const Placed &a, const Placed &b)
{
    for (const auto &[stack, page] : a.pages) {
        const auto other = b.pages.find(stack);
        if (other != b.pages.end() && other->second != page)
            return false;
    }
    return true;
}

QList<Placed> mnemonicTexts(const QWidget &root)
{
    QList<Placed> placed;
    const auto add = [&placed](const QWidget *widget, const QString &text) {
        if (!mnemonicOf(text).isNull())
            placed << Placed{text, pagesAround(widget)};
    };
    for (const QWidget *widget : root.findChildren<QWidget *>()) {
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            add(button, button->text());
        else if (const auto *label = qobject_cast<const QLabel *>(widget); label && label->buddy())
            add(label, label->text());
        else if (const auto *group = qobject_cast<const QGroupBox *>(widget))
            add(group, group->title());
        else if (const auto *tabs = qobject_cast<const QTabBar *>(widget)) {
            for (int i = 0; i < tabs->count(); ++i)
                add(tabs, tabs->tabText(i));
        }
    }
    return placed;
}

// "A" and "B" share "&x": the pairs of texts on one screen with the same mnemonic.
QStringList clashes(const QList<Placed> &placed)
{
    QStringList found;
    for (qsizetype i = 0; i < placed.size(); ++i) {
        for (qsizetype j = i + 1; j < placed.size(); ++j) {
            const QChar letter = mnemonicOf(placed.at(i).text);
            if (letter == mnemonicOf(placed.at(j).text) && sameScreen(placed.at(i), placed.at(j)))
                found << QStringLiteral("\"%1\" and \"%2\" share &%3")
                             .arg(placed.at(i).text, placed.at(j).text, letter);
        }
    }
    return found;
}

QStringList menuClashes(const QWidget &menu, const QString &name)
{
    QList<Placed> placed;
    QStringList found;
    for (const QAction *action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        if (!mnemonicOf(action->text()).isNull())
            placed << Placed{action->text(), {}};
        if (action->menu())
            found << menuClashes(*action->menu(), action->text());
    }
    for (const QString &clash : clashes(placed))
        found << name + QStringLiteral(": ") + clash;
    return found;
}

} // namespace

// The window as a German user sees it: our texts and Qt's own in German.
class TestGermanWindow
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        initFixture();
        QVERIFY(installTranslations(QStringLiteral("de")));
    }
    void init() { startTest(); }
    void cleanup() { endTest(); }

    void menusAreGermanWithOneMnemonicPerEntry()
    {
        const QList<QAction *> menus = mWindow->menuBar()->actions();
        QVERIFY(!menus.isEmpty());
        QCOMPARE(menus.first()->text(), QStringLiteral("&Datei"));
        QStringList found = menuClashes(*mWindow->menuBar(), QStringLiteral("menu bar"));
        QVERIFY(mWindow->gridMenu());
        found << menuClashes(*mWindow->gridMenu(), QStringLiteral("grid's context menu"));
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    void dialogsHaveOneMnemonicPerControl_data()
    {
        QTest::addColumn<QString>("dialog");
        QTest::addColumn<bool>("hasMnemonics"); // the walk found the controls it checks
        for (const char *name : {"properties", "new database", "cell editor", "find", "replace",
                                 "go to record", "regional formats", "font", "about"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        // Buttons only, reached with Tab and Return.
        QTest::newRow("recovery") << QStringLiteral("recovery") << false;
    }

    void dialogsHaveOneMnemonicPerControl()
    {
        QFETCH(QString, dialog);
        QFETCH(bool, hasMnemonics);
        FontScriptDialog font(mWindow.get());
        RecoveryDialog recovery(mWindow.get());
        const std::map<QString, QWidget *> dialogs = {
            {QStringLiteral("properties"),
             &mWindow->commandGroups().get<PropertiesCommands>().dialog()},
            {QStringLiteral("new database"),
             &mWindow->commandGroups().get<FileCommands>().newDatabaseDialog()},
            {QStringLiteral("cell editor"),
             &mWindow->commandGroups().get<EditCommands>().cellEditor()},
            {QStringLiteral("find"), &mWindow->commandGroups().get<ToolsCommands>().findDialog()},
            {QStringLiteral("replace"), &mWindow->commandGroups().get<ReplaceCommands>().dialog()},
            {QStringLiteral("go to record"),
             &mWindow->commandGroups().get<NavigationCommands>().goToRecordDialog()},
            {QStringLiteral("regional formats"),
             &mWindow->commandGroups().get<RegionalCommands>().dialog()},
            {QStringLiteral("recovery"), &recovery},
            {QStringLiteral("font"), &font},
            {QStringLiteral("about"), &mWindow->commandGroups().get<HelpCommands>().aboutDialog()},
        };
        const QList<Placed> placed = mnemonicTexts(*dialogs.at(dialog));
        QCOMPARE(!placed.isEmpty(), hasMnemonics);
        const QStringList found = clashes(placed);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(u'\n')));
    }

    // The toolkit names languages in English only: the offered formats are named in German.
    void formatsNamesAreGerman_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("name");
        QTest::newRow("a language") << "de_DE"
                                    << "Deutsch";
        QTest::newRow("a language of another country") << "de_CH"
                                                       << "Deutsch (Schweiz)";
        QTest::newRow("one of the far east") << "zh_TW"
                                             << "Chinesisch (Taiwan)";
        QTest::newRow("none offered: as the toolkit names it") << "C"
                                                               << "C";
    }

    void formatsNamesAreGerman()
    {
        QFETCH(QString, locale);
        QFETCH(QString, name);
        QCOMPARE(formatsName(QLocale(locale)), name);
    }

    // The formats dialog reads dates in the interface's words, for every line alike, and shows
    // each locale's sample date and time in its own characters, which the code page cannot hold.
    void regionalFormatsDialogReadings_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("pattern");
        // Any character beyond Latin-1, and no '?' anywhere.
        const QString foreign = QStringLiteral("^[^?]*[^\\x{0}-\\x{ff}][^?]*$");
        QTest::newRow("German date reading") << "de_DE" << 5 << QStringLiteral("^12\\. März 2019$");
        QTest::newRow("Russian rules, German words")
            << "ru_RU" << 5 << QStringLiteral("^12\\. März 2019$");
        QTest::newRow("Japanese sample time") << "ja_JP" << 3 << foreign;
        QTest::newRow("Korean sample time") << "ko_KR" << 3 << foreign;
        QTest::newRow("Russian sample date stays plain")
            << "ru_RU" << 2 << QStringLiteral("^[0-9.]+$");
    }

    void regionalFormatsDialogReadings()
    {
        QFETCH(QString, locale);
        QFETCH(int, column);
        QFETCH(QString, pattern);
        Database database;
        database.setShape(2, 1);
        database.setFieldType(1, FloatType);
        database.setFieldType(2, NormalDateType);
        database.setCell(1, 1, "1,5");
        database.setCell(2, 1, "12.03.2019");
        RegionalFormatsDialog &dialog = mWindow->commandGroups().get<RegionalCommands>().dialog();
        dialog.prepare(database, Regional(QLocale(QStringLiteral("de_DE"))), {});
        const QTreeWidget *list = dialog.formatsList();
        QString text = QStringLiteral("no line");
        for (int line = 0; line < list->topLevelItemCount(); ++line) {
            const QTreeWidgetItem *item = list->topLevelItem(line);
            if (item->data(0, Qt::UserRole).toString() == locale)
                text = item->text(column);
        }
        QVERIFY2(QRegularExpression(pattern).match(text).hasMatch(), qPrintable(text));
    }

    // The reader's message from the core, and Qt's own buttons, in German.
    void messageBoxesAreGerman_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("deleteRow");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("buttons");
        QTest::newRow("the reader's message")
            << QByteArray(200, 'x') << false << QStringLiteral("Dies ist keine Kribo-Datenbank.")
            << QStringList{QStringLiteral("OK")};
        QTest::newRow("a question")
            << PdbBuilder().field("A").record({"1"}).record({"2"}).build() << true
            << QStringLiteral("Möchten Sie die ausgewählte Zeile löschen?")
            << QStringList{QStringLiteral("&Ja"), QStringLiteral("&Nein")};
    }

    void messageBoxesAreGerman()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, deleteRow);
        QFETCH(QString, text);
        QFETCH(QStringList, buttons);

        MessageBoxPrompter prompter;
        ScriptedFileDialogs dialogs;
        MainWindow form(prompter, dialogs, mNoUsers);
        prompter.setParent(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QStringList texts;
        QStringList shownButtons;
        MessageBoxAnswerer answerer([&](QMessageBox &box) {
            texts << box.text();
            for (const QAbstractButton *button : box.buttons())
                shownButtons << button->text();
        });
        dialogs.expectOpen(QStringLiteral("Kribo-Datenbank öffnen"),
                           writeFile(QStringLiteral("Box.pdb"), file));
        form.commandGroups().get<FileCommands>().openDatabase();
        if (deleteRow)
            form.commandGroups().get<RowColumnCommands>().deleteRow();
        answerer.stop();

        QCOMPARE(texts, QStringList{text});
        shownButtons.sort();
        QCOMPARE(shownButtons, buttons);
        form.document().history().markSaved();
    }
};

QTEST_MAIN(TestGermanWindow)
#include "tst_german_window.moc"
