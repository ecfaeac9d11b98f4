// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/project_address.h"
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/readme_window.h"
#include "gui/dialogs/user_guide.h"
#include "scripted_prompter.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QUrl>

using namespace kribed;
using namespace kribed::test;

class TestReadmeAbout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        openSettingsStore()->clear();
    }

    void guideHasItsSectionsInOrder()
    {
        const QStringList expected = {
            QStringLiteral("Overview"),
            QStringLiteral("Features"),
            QStringLiteral("Hint"),
            QStringLiteral("Installation"),
            QStringLiteral("Standard Disclaimers Apply"),
            QStringLiteral("Creating a new database"),
            QStringLiteral("Opening an existing database"),
            QStringLiteral("Save a Kribo 4 / Kribo pro database"),
            QStringLiteral("Install a Kribo 4 / Kribo pro database"),
            QStringLiteral("Importing and exporting data to and from KribEd (Converting data)"),
            QStringLiteral("SQLite databases and Excel workbooks"),
            QStringLiteral("Appending data"),
            QStringLiteral("The import preview"),
            QStringLiteral("Comparing versions"),
            QStringLiteral("Editing the Database Information"),
            QStringLiteral("The Properties dialog"),
            QStringLiteral("Database"),
            QStringLiteral("Field"),
            QStringLiteral("Popup"),
            QStringLiteral("Filter"),
            QStringLiteral("Sort"),
            QStringLiteral("Application"),
            QStringLiteral("Going to a record and the filter bar"),
            QStringLiteral("Working in the table"),
            QStringLiteral("Charts and the field profile"),
            QStringLiteral("Printing the database"),
            QStringLiteral("Calculation"),
            QStringLiteral("Column Sum"),
            QStringLiteral("Row Sum"),
            QStringLiteral("Features for calculation a row sum."),
            QStringLiteral("Regional formats")};
        QCOMPARE(userGuideHeadings(), expected);

        // Each heading stands on its own line after an empty line, in the same order.
        const QStringList lines = userGuideText().split(u'\n');
        int from = 0;
        for (const QString &heading : expected) {
            const int at = int(lines.indexOf(heading, from));
            QVERIFY2(at >= 0, qPrintable(heading));
            QVERIFY2(at == 0 || lines[at - 1].isEmpty(), qPrintable(heading));
            QVERIFY2(!lines.value(at + 1).isEmpty(), qPrintable(heading));
            from = at + 1;
        }
        QCOMPARE(lines.at(lines.size() - 2), QStringLiteral("Have a good time with KribEd PRO"));
    }

    void guideTellsWhatUsersRelyOn_data()
    {
        QTest::addColumn<QString>("fact");
        QTest::newRow("new fields are String") << QStringLiteral("\"String\"");
        QTest::newRow("backup file") << QStringLiteral(".pd_");
        QTest::newRow("export writes shown records only")
            << QStringLiteral("Only the records that the filter shows are written");
        QTest::newRow("export carries no widths or types")
            << QStringLiteral("no field widths or types");
        QTest::newRow("append cuts what does not fit") << QStringLiteral("do not fit are\ncut");
        QTest::newRow("sum field tag") << QStringLiteral("with \"&\" at the end of its name");
        QTest::newRow("factor tag") << QStringLiteral("with \"#\" and a number");
        QTest::newRow("first demo") << QStringLiteral("SumDemo1.pdb");
        QTest::newRow("second demo") << QStringLiteral("SumDemo2.pdb");
        QTest::newRow("where the demos are") << QStringLiteral("share/kribed/examples");
        QTest::newRow("long values are cut") << QStringLiteral("cut to its first 4000 characters");
        QTest::newRow("replace and its key") << QStringLiteral("Edit > Replace... (Ctrl+H)");
        QTest::newRow("replace all is one undo step")
            << QStringLiteral("every match in one step that Undo takes back");
        QTest::newRow("formats are remembered outside the file")
            << QStringLiteral("remembers the choice for each file (not in\nthe file)");
        QTest::newRow("unsaved changes offered after a crash")
            << QStringLiteral("the next start shows the \"Recovery\" dialog before any file opens");
        QTest::newRow("SQLite export keeps types in columns")
            << QStringLiteral("integers and Booleans as INTEGER, floats as REAL");
        QTest::newRow("SQLite backup") << QStringLiteral("kept as a .sqlit_ backup");
        QTest::newRow("SQLite import of a larger table asks")
            << QStringLiteral("asks whether to import the first ones");
        QTest::newRow("SQLite values cut at a record's limit")
            << QStringLiteral("4000 bytes a record holds is cut there");
        QTest::newRow("SQLite import replaces only when whole")
            << QStringLiteral("replaced only when the whole table was read");
        QTest::newRow("shell export and import")
            << QStringLiteral("export --type sqlite (or --type xlsx)");
        QTest::newRow("shell table choice") << QStringLiteral("import --type sqlite --table NAME");
        QTest::newRow("leading zeros stay text")
            << QStringLiteral("such as the postcode 01067, stays text");
        QTest::newRow("untouched preview imports as before")
            << QStringLiteral("Left untouched, the preview imports exactly as before.");
    }

    void guideTellsWhatUsersRelyOn()
    {
        QFETCH(QString, fact);
        QVERIFY2(userGuideText().contains(fact), qPrintable(fact));
    }

    void guideFlowsIntoParagraphs_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("flowing");
        QTest::newRow("a paragraph's lines flow into one")
            << QStringLiteral("Head\none two\nthree.\n")
            << QStringLiteral("Head\none two three.\n");
        QTest::newRow("a heading stands alone")
            << QStringLiteral("Head\nnext\n") << QStringLiteral("Head\nnext\n");
        QTest::newRow("a sentence's end keeps its line break")
            << QStringLiteral("H\nEnds here.\nNext line\ngoes on\n")
            << QStringLiteral("H\nEnds here.\nNext line goes on\n");
        QTest::newRow("list items keep their lines and take in what follows them")
            << QStringLiteral("H\n- a,\n  b\n- c\n") << QStringLiteral("H\n- a, b\n- c\n");
        QTest::newRow("sections stay apart")
            << QStringLiteral("H1\ntext\n\nH2\nmore\n") << QStringLiteral("H1\ntext\n\nH2\nmore\n");
    }

    void guideFlowsIntoParagraphs()
    {
        QFETCH(QString, text);
        QFETCH(QString, flowing);
        QCOMPARE(ReadmeWindow::flowingText(text), flowing);
    }

    // At its default size the window wraps the guide: no line runs past its right edge, no word
    // is lost and every heading keeps a line of its own.
    void readmeWrapsAtItsDefaultSize()
    {
        ReadmeWindow window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QCOMPARE(window.size(), QSize(438, 315));
        auto *memo = window.findChild<QPlainTextEdit *>(QStringLiteral("guideTextEdit"));
        QVERIFY(memo);
        QCOMPARE(memo->horizontalScrollBar()->maximum(), 0);
        const int width = memo->viewport()->width();
        for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
            const QTextLayout *layout = block.layout();
            for (int i = 0; i < layout->lineCount(); ++i)
                QVERIFY2(layout->lineAt(i).naturalTextWidth() <= width, qPrintable(block.text()));
        }
        const QString shown = memo->toPlainText();
        QCOMPARE(shown.simplified(), userGuideText().simplified());
        const QStringList lines = shown.split(u'\n');
        for (const QString &heading : userGuideHeadings())
            QVERIFY2(lines.contains(heading), qPrintable(heading));
    }

    void aboutBoxShowsTheHeartOnTheAtSign()
    {
        AboutDialog about;
        QCOMPARE(about.windowTitle(), QStringLiteral("About"));
        auto *heart = about.findChild<QLabel *>(QStringLiteral("heartLabel"));
        QVERIFY(heart);
        about.show();
        QVERIFY(!heart->isVisible());
        QTest::keyClick(&about, Qt::Key_At, Qt::NoModifier);
        QVERIFY(heart->isVisible());
        QTest::keyClick(&about, Qt::Key_Escape);
        QVERIFY(!about.isVisible());
        // The project's own address, the one the metainfo names, never a placeholder.
        QCOMPARE(AboutDialog::webAddress(), projectWebAddress());
        const QString shown = about.findChild<QLabel *>(QStringLiteral("webLabel"))->text();
        QVERIFY2(shown.contains(projectWebAddress()) && !shown.contains(QStringLiteral("example")),
                 qPrintable(shown));
    }

    void aboutBoxTellsWhenNoBrowserOpens_data()
    {
        QTest::addColumn<bool>("opens");
        QTest::newRow("browser found") << true;
        QTest::newRow("no browser") << false;
    }

    void aboutBoxTellsWhenNoBrowserOpens()
    {
        QFETCH(bool, opens);
        ScriptedPrompter prompter;
        if (!opens) {
            prompter.expect(QStringLiteral("Information"),
                            QStringLiteral("Sorry your web browser could not be found"),
                            Icon::Information, Buttons::Ok, Answer::Ok);
        }
        AboutDialog about;
        about.setPrompter(&prompter);
        QUrl asked;
        about.setUrlOpener([&](const QUrl &url) {
            asked = url;
            return opens;
        });
        about.openWebAddress();
        QCOMPARE(asked, QUrl(AboutDialog::webAddress()));
        KRIBED_VERIFY_PROMPTER(prompter);
    }
};

QTEST_MAIN(TestReadmeAbout)
#include "tst_readme_about.moc"
