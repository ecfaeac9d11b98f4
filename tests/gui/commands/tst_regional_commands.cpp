// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// The regional formats of the open database, on a desktop set up for the US: the German demo
// file read both ways, the bar that suggests German formats, the memory of each file's answer,
// and that choosing formats changes neither the file nor the undo history.
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/commands/range_commands.h"
#include "gui/commands/regional_commands.h"
#include "gui/commands/tools_commands.h"
#include "gui/dialogs/formats_suggestion_bar.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"
#include "test_regional.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <QUndoStack>

using namespace kribed;
using namespace kribed::test;

namespace {

QByteArray demoFile()
{
    QFile file(QStringLiteral(KRIBED_SOURCE_DIR "/examples/Kunden.pdb"));
    if (!file.open(QIODevice::ReadOnly))
        qFatal("the demo database is missing");
    return file.readAll();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file made on a US desktop: amounts with a decimal point, dates month first.
QByteArray usFile()
{
    PdbBuilder builder;
    builder.name("Orders").field("Amount", 0x0010).field("Date", 0x0004);
    for (int record = 1; record <= 12; ++record)
        builder.record(
            {QByteArray::number(record) + ".25", "3/" + QByteArray::number(record + 12) + "/2026"});
    return builder.build();
}

} // namespace

class TestRegionalCommands
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    RegionalCommands &formats() { return mWindow->commandGroups().get<RegionalCommands>(); }
    FormatsSuggestionBar &bar() { return *formats().suggestionBar(); }

    int fieldNamed(const QByteArray &name)
    {
        for (int field = 1; field <= windowDatabase().fieldCount(); ++field) {
            if (windowDatabase().fieldName(field) == name)
                return field;
        }
        qFatal("no such field");
    }

    QString openDemo(const QString &name = QStringLiteral("Kunden.pdb"))
    {
        const QString path = writeFile(name, demoFile());
        openThroughDialog(path);
        return path;
    }

    // Chooses a line of the dialog (empty: the desktop's) and presses OK.
    void chooseInDialog(const QString &localeName)
    {
        formats().actionRegionalFormats->trigger();
        RegionalFormatsDialog &dialog = formats().dialog();
        QVERIFY(dialog.isVisible());
        dialog.select({localeName});
        QCOMPARE(dialog.choice().localeName, localeName);
        dialog.accept();
    }

    QString statistics() const
    {
        return mWindow->commandGroups().get<RangeCommands>().statisticsLabel()->text();
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startTest(); }
    void cleanup() { endTest(); }

    void formatsSteerEveryReading_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<QString>("dateFormat");
        QTest::addColumn<bool>("sortsByAmount");
        QTest::addColumn<QString>("shortName");

        QTest::newRow("desktop's formats read only the two zeros")
            << QString() << QStringLiteral("Total: 0\nAverage: 0\n")
            << QStringLiteral("Count: 20  Numbers: 2  Sum: 0  Average: 0")
            << QStringLiteral("M/d/yyyy") << false << QString();
        QTest::newRow("German formats read every amount")
            << QStringLiteral("de_DE") << QStringLiteral("Total: 27858,75\nAverage: 1392,9375\n")
            << QStringLiteral("Count: 20  Numbers: 20  Sum: 27858,75  Average: 1392,9375")
            << QStringLiteral("dd.MM.yyyy") << true << QStringLiteral("de_DE");
    }

    void formatsSteerEveryReading()
    {
        QFETCH(QString, choice);
        QFETCH(QString, total);
        QFETCH(QString, selection);
        QFETCH(QString, dateFormat);
        QFETCH(bool, sortsByAmount);
        QFETCH(QString, shortName);

        openDemo();
        if (!choice.isEmpty())
            chooseInDialog(choice);
        const Regional &regional = windowDocument().regional();
        QCOMPARE(regional.locale().name(), choice.isEmpty() ? QStringLiteral("en_US") : choice);

        const int amount = fieldNamed("Umsatz");
        QVERIFY(mWindow->headerHint(amount).contains(QStringLiteral("Float\n") + total));
        mWindow->grid()->selectColumn(amount - 1);
        QCOMPARE(statistics(), selection);
        mWindow->updateStatus();
        QCOMPARE(panel(5), windowDatabase().modificationTime().date().toString(dateFormat));
        QLabel *name = formats().formatsLabel();
        QCOMPARE(name->isVisibleTo(mWindow.get()), !shortName.isEmpty());
        QCOMPARE(name->text(), shortName);

        // Sort normal on the amounts.
        mWindow->setCurrentCell(amount, 1);
        mWindow->commandGroups().get<ToolsCommands>().sortNormal();
        bool ascending = true;
        const Regional german(QLocale(QStringLiteral("de_DE")));
        for (int record = 2; record <= windowDatabase().recordCount(); ++record) {
            ascending = ascending
                        && german.readNumber(windowDatabase().cellView(amount, record - 1))
                               <= german.readNumber(windowDatabase().cellView(amount, record));
        }
        QCOMPARE(ascending, sortsByAmount);

        // A typed value stamps the record's Modification Date in the chosen formats.
        typeInto(fieldNamed("Notiz"), 1, QStringLiteral("Neu"));
        QCOMPARE(windowDatabase().cell(fieldNamed("Geaendert"), 1),
                 QDate::currentDate().toString(dateFormat).toLatin1());
    }

    void barSuggestsWhereTheCellsSaySo_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("shown");

        QTest::newRow("German demo on a US desktop") << demoFile() << true;
        QTest::newRow("US amounts and dates") << usFile() << false;
        QTest::newRow("numbers only") << kunden(3, 20) << false;
    }

    void barSuggestsWhereTheCellsSaySo()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, shown);

        openBytes(QStringLiteral("Data.pdb"), file);
        QCOMPARE(bar().isVisibleTo(mWindow.get()), shown);
        QCOMPARE(windowDocument().formatsChoice(), FormatsChoice{});
        if (shown) {
            QCOMPARE(bar().useButton()->text(), QStringLiteral("&Use German formats"));
            QCOMPARE(bar().keepButton()->text(), QStringLiteral("&Keep the desktop's formats"));
            QVERIFY(bar().message()->text().contains(QStringLiteral("\"1520,50\"")));
            QVERIFY(bar().message()->text().contains(QStringLiteral("\"12.03.2019\"")));
        }
        // Closing takes the bar with the database.
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        QVERIFY(!bar().isVisibleTo(mWindow.get()));
    }

    void answersAreRememberedPerFile_data()
    {
        QTest::addColumn<bool>("useGerman");
        QTest::addColumn<QString>("kept");

        QTest::newRow("use German formats") << true << QStringLiteral("de_DE");
        QTest::newRow("keep the desktop's formats") << false << QStringLiteral("");
    }

    void answersAreRememberedPerFile()
    {
        QFETCH(bool, useGerman);
        QFETCH(QString, kept);

        const QString path = openDemo();
        QVERIFY(bar().isVisibleTo(mWindow.get()));
        (useGerman ? bar().useButton() : bar().keepButton())->click();
        QVERIFY(!bar().isVisibleTo(mWindow.get()));
        QCOMPARE(windowDocument().formatsChoice().localeName, kept);

        // A restart: the same file reads as answered, without the bar.
        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        makeWindow();
        openThroughDialog(path);
        QVERIFY(!bar().isVisibleTo(mWindow.get()));
        QCOMPARE(windowDocument().formatsChoice().localeName, kept);
        QCOMPARE(windowDocument().regional().locale().name(),
                 kept.isEmpty() ? QStringLiteral("en_US") : kept);

        // Another file with the same cells has no answer yet.
        openDemo(QStringLiteral("Copy.pdb"));
        QVERIFY(bar().isVisibleTo(mWindow.get()));
        QCOMPARE(windowDocument().formatsChoice(), FormatsChoice{});
    }

    void saveAsCarriesTheFormatsToTheNewFile()
    {
        openDemo();
        chooseInDialog(QStringLiteral("de_DE"));
        const QString copy = mTemp->filePath(QStringLiteral("Kopie.pdb"));
        mDialogs->expectSave(QStringLiteral("Save Kribo database"), copy);
        mWindow->commandGroups().get<FileCommands>().saveAs();
        QCOMPARE(windowDatabase().filePath(), copy);

        mWindow->commandGroups().get<FileCommands>().closeDatabase();
        openThroughDialog(copy);
        QVERIFY(!bar().isVisibleTo(mWindow.get()));
        QCOMPARE(windowDocument().formatsChoice().localeName, QStringLiteral("de_DE"));
    }

    void dialogShowsEachLocalesReading_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("amount");
        QTest::addColumn<QString>("date");

        QTest::newRow("desktop") << QString() << QStringLiteral("1234.5")
                                 << QStringLiteral("not a number") << QStringLiteral("not a date");
        QTest::newRow("German") << QStringLiteral("de_DE") << QStringLiteral("1234,5")
                                << QStringLiteral("1520,5") << QStringLiteral("12 March 2019");
        QTest::newRow("Swiss German: point, German dates")
            << QStringLiteral("de_CH") << QStringLiteral("1234.5") << QStringLiteral("not a number")
            << QStringLiteral("12 March 2019");
        QTest::newRow("French: comma, dates with slashes")
            << QStringLiteral("fr_FR") << QStringLiteral("1234,5") << QStringLiteral("1520,5")
            << QStringLiteral("not a date");
        QTest::newRow("British") << QStringLiteral("en_GB") << QStringLiteral("1234.5")
                                 << QStringLiteral("not a number") << QStringLiteral("not a date");
    }

    void dialogShowsEachLocalesReading()
    {
        QFETCH(QString, locale);
        QFETCH(QString, number);
        QFETCH(QString, amount);
        QFETCH(QString, date);

        openDemo();
        formats().actionRegionalFormats->trigger();
        RegionalFormatsDialog &dialog = formats().dialog();
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Regional formats"));
        const QTreeWidget *list = dialog.formatsList();
        QCOMPARE(list->topLevelItemCount(), 19);
        QCOMPARE(list->topLevelItem(0)->text(0), QStringLiteral("The desktop's formats (en_US)"));
        QCOMPARE(list->headerItem()->text(4), QStringLiteral("Umsatz \"1520,50\""));
        QCOMPARE(list->headerItem()->text(5), QStringLiteral("Kunde seit \"12.03.2019\""));
        // The dialog opens on the formats in force.
        QCOMPARE(dialog.choice(), FormatsChoice{});

        dialog.select({locale});
        const QTreeWidgetItem *line = list->currentItem();
        QVERIFY(locale.isEmpty() || line->text(0).endsWith(locale));
        QCOMPARE(line->text(1), number);
        QCOMPARE(line->text(4), amount);
        QCOMPARE(line->text(5), date);
        dialog.reject();
        QCOMPARE(windowDocument().formatsChoice(), FormatsChoice{});
    }

    void choosingFormatsIsNoEdit()
    {
        const QString path = openDemo();
        const QByteArray before = fileBytes(path);
        const QUndoStack &stack = windowDocument().history().stack();

        chooseInDialog(QStringLiteral("de_DE"));
        QVERIFY(!windowDatabase().isModified());
        QCOMPARE(stack.count(), 0);

        typeInto(fieldNamed("Notiz"), 2, QStringLiteral("x"));
        const int steps = stack.count();
        chooseInDialog(QString());
        chooseInDialog(QStringLiteral("fr_FR"));
        QCOMPARE(stack.count(), steps);
        QVERIFY(stack.canUndo());
        QVERIFY(windowDatabase().isModified());
        QCOMPARE(fileBytes(path), before);

        // Undo takes back the typed text, never the formats.
        mWindow->document().history().stack().undo();
        QCOMPARE(windowDocument().formatsChoice().localeName, QStringLiteral("fr_FR"));
        QVERIFY(!windowDatabase().isModified());
        QCOMPARE(fileBytes(path), before);
    }

    void newDatabaseStartsWithDesktopFormats()
    {
        openDemo();
        chooseInDialog(QStringLiteral("de_DE"));
        Database fresh;
        fresh.setShape(1, 1);
        windowDocument().replace(fresh);
        QCOMPARE(windowDocument().formatsChoice(), FormatsChoice{});
        QCOMPARE(windowDocument().regional().locale().name(), QStringLiteral("en_US"));
        QVERIFY(!formats().formatsLabel()->isVisibleTo(mWindow.get()));
    }

    void commandNeedsOpenDatabase()
    {
        QVERIFY(!enabled("actionRegionalFormats"));
        openDemo();
        QVERIFY(enabled("actionRegionalFormats"));
        QCOMPARE(windowAction(QStringLiteral("actionRegionalFormats"))->text(),
                 QStringLiteral("Re&gional formats..."));
    }
};

QTEST_MAIN(TestRegionalCommands)
#include "tst_regional_commands.moc"
