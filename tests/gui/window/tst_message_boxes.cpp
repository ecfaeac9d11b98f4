// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/handheld/startup_users.h"
#include "core/model/regional.h"
#include "gui/commands/file_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/dialogs/message_box_prompter.h"
#include "gui/grid/database_document.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "message_box_answerer.h"
#include "pdb_builder.h"

#include <QCheckBox>
#include <QMessageBox>
#include <QSettings>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// The real message boxes of the window, answered as a user would (Escape), with the pointer
// each one shows noted while it is up.
class TestMessageBoxes
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init()
    {
        makeTemp();
        clearStore();
    }

    void boxesShowTheNormalPointer_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("deleteRow"); // after opening, ask to delete the current row
        QTest::addColumn<QString>("text");   // the start of the one box shown

        QTest::newRow("the reader's message")
            << QByteArray(200, 'x') << false << QStringLiteral("It's not a Kribo database.");
        QTest::newRow("the reader's conversion notice")
            << PdbBuilder(PdbBuilder::Layout::Kribo3).field("A").record({"1"}).build() << false
            << QStringLiteral("This database created by Kribo 3 will be converted");
        QTest::newRow("a row command's question")
            << PdbBuilder().field("A").record({"1"}).record({"2"}).build() << true
            << QStringLiteral("Do you want to delete the selected row?");
    }

    void boxesShowTheNormalPointer()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, deleteRow);
        QFETCH(QString, text);

        MessageBoxPrompter prompter;
        ScriptedFileDialogs dialogs;
        MainWindow form(prompter, dialogs, mNoUsers);
        prompter.setParent(&form);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));

        QStringList texts;
        QList<Qt::CursorShape> pointers;
        MessageBoxAnswerer answerer([&](QMessageBox &box) {
            texts << box.text();
            const QCursor *cursor = QGuiApplication::overrideCursor();
            pointers << (cursor ? cursor->shape() : Qt::ArrowCursor);
        });

        dialogs.expectOpen(QStringLiteral("Open Kribo database"),
                           writeFile(QStringLiteral("Box.pdb"), file));
        form.commandGroups().get<FileCommands>().openDatabase();
        if (deleteRow) {
            QVERIFY(texts.isEmpty());
            form.commandGroups().get<RowColumnCommands>().deleteRow();
        }
        answerer.stop();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().startsWith(text), qPrintable(texts.first()));
        QCOMPARE(pointers, QList<Qt::CursorShape>{Qt::ArrowCursor});
        // The hourglass went with its operation.
        QVERIFY(!QGuiApplication::overrideCursor());
        form.document().history().markSaved();
    }

    void startMessageOffersItsCheckBox_data()
    {
        QTest::addColumn<bool>("tick");
        QTest::newRow("box left empty: told again") << false;
        QTest::newRow("box ticked: not told again") << true;
    }

    void startMessageOffersItsCheckBox()
    {
        // The real box of the start, before any window, with its check box under the text.
        QFETCH(bool, tick);
        makeTemp();
        const QString store = mTemp->filePath(QStringLiteral("Kribed.ini"));
        QStringList checkTexts;
        QList<QMessageBox::Icon> icons;
        MessageBoxAnswerer answerer([&](QMessageBox &box) {
            icons << box.icon();
            checkTexts << (box.checkBox() ? box.checkBox()->text() : QString());
            if (box.checkBox() && tick)
                QTest::mouseClick(box.checkBox(), Qt::LeftButton);
        });
        MessageBoxPrompter prompter;
        for (int start = 0; start < 2; ++start) {
            QSettings settings(store, QSettings::IniFormat);
            readUsersAtStart(prompter, settings, Regional(), HandheldRegistry(mTemp->path()),
                             MissingDesktopNotice::EveryStart);
        }
        answerer.stop();
        const qsizetype shown = tick ? 1 : 2;
        QCOMPARE(checkTexts, QStringList(shown, QStringLiteral("Do not show this again")));
        QCOMPARE(icons, QList<QMessageBox::Icon>(shown, QMessageBox::Critical));
    }

    // Return takes the default button: the cautious one where a question asks for it (which one
    // is the default otherwise is the platform's choice).
    void returnOnAQuestion_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<bool>("cautious");
        QTest::addColumn<int>("expected");
        QTest::newRow("yes or no, cautious") << int(Buttons::YesNo) << true << int(Answer::No);
        QTest::newRow("yes, no or cancel, cautious")
            << int(Buttons::YesNoCancel) << true << int(Answer::Cancel);
        QTest::newRow("ok or cancel, cautious")
            << int(Buttons::OkCancel) << true << int(Answer::Cancel);
    }
    void returnOnAQuestion()
    {
        QFETCH(int, buttons);
        QFETCH(bool, cautious);
        QFETCH(int, expected);
        MessageBoxPrompter prompter;
        MessageBoxAnswerer answerer([](QMessageBox &box) {
            QTest::keyClick(box.focusWidget() ? box.focusWidget() : &box, Qt::Key_Return);
        });
        Message question{QStringLiteral("Confirm"), QStringLiteral("Throw it away?"), Icon::Warning,
                         Buttons(buttons)};
        question.cautiousDefault = cautious;
        const Answer answer = prompter.ask(question);
        answerer.stop();
        QCOMPARE(int(answer), expected);
    }
};

QTEST_MAIN(TestMessageBoxes)
#include "tst_message_boxes.moc"
