// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "demo_window_fixture.h"
#include "gui/commands/edit_commands.h"
#include "gui/commands/row_column_commands.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/window/main_window.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// The Edit menu's cell and row commands on the demo database: the cell editor, the cell
// clipboard with its stamps, the row buffer.
class TestEditCommands
    : public QObject
    , private DemoWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init() { startDemoTest(); }
    void cleanup() { endDemoTest(); }

    void cutRowThenPasteRowThroughTheMenus()
    {
        QVERIFY(!enabled("actionPasteRow"));
        mWindow->setCurrentCell(1, 1);
        expectQuestion(QStringLiteral("Do you want to cut the selected row?"), Answer::Yes);
        mWindow->commandGroups().get<EditCommands>().cutRow();
        QVERIFY(enabled("actionPasteRow"));
        QVERIFY(enabled("contextPasteRow"));
        QCOMPARE(model()->index(0, 0).data().toString(), QString());

        mWindow->setCurrentCell(3, 4);
        QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
        expectQuestion(QStringLiteral("Do you want to paste the selected row?"), Answer::Yes);
        mWindow->commandGroups().get<EditCommands>().pasteRow();
        QCOMPARE(row(1), QByteArray("||"));
        QCOMPARE(row(4), QByteArray("n1|1/1/2000|1"));
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).value<QModelIndex>().row(), 3);

        // Any row operation empties the buffer again.
        mWindow->commandGroups().get<RowColumnCommands>().appendRow();
        QVERIFY(!enabled("actionPasteRow"));
        QVERIFY(!enabled("contextPasteRow"));
        QCOMPARE(mWindow->currentRecord(), 5);
        QCOMPARE(mWindow->currentField(), 1);
    }

    void cellClipboardStampsTheRow()
    {
        mWindow->setCurrentCell(1, 2);
        mWindow->commandGroups().get<EditCommands>().cutCell();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("n2"));
        QCOMPARE(row(2), QByteArray("|" + today() + "|2"));
        QCOMPARE(model()->index(1, 1).data().toString(), QString::fromLatin1(today()));

        QGuiApplication::clipboard()->setText(QStringLiteral("M\u00fcller \u4e2d\tx"));
        mWindow->setCurrentCell(1, 3);
        mPrompter->expect(QStringLiteral("Warning"),
                          QStringLiteral("The code page windows-1252 of the display font cannot "
                                         "hold this character; it is stored as \"?\": \u4e2d "
                                         "(U+4E2D)"),
                          Icon::Warning, Buttons::Ok, Answer::Ok);
        mWindow->commandGroups().get<EditCommands>().pasteCell();
        QCOMPARE(row(3), QByteArray("M\xfcller ?\tx|" + today() + "|3"));

        mWindow->setCurrentCell(3, 4);
        mWindow->commandGroups().get<EditCommands>().copyCell();
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("4"));
        QCOMPARE(row(4), QByteArray("n4|1/1/2000|4"));
    }

    void typedCharactersTheCodePageLacksAreNamed()
    {
        // Typed in place and through the cell editor: one warning per edit, naming them.
        const QString warning = QStringLiteral(
            "The code page windows-1252 of the display font cannot hold these characters; each "
            "is stored as \"?\": \u0402 (U+0402), \u2713 (U+2713)");
        mPrompter->expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                          Answer::Ok);
        QVERIFY(model()->setData(model()->index(0, 0), QStringLiteral("\u0402a\u2713\u0402"),
                                 Qt::EditRole));
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("?a??"));
        // Text the code page holds brings no warning.
        QVERIFY(
            model()->setData(model()->index(1, 0), QStringLiteral("M\u00fcller"), Qt::EditRole));
        KRIBED_VERIFY_PROMPTER(*mPrompter);

        mPrompter->expect(QStringLiteral("Warning"), warning, Icon::Warning, Buttons::Ok,
                          Answer::Ok);
        mWindow->setCurrentCell(1, 3);
        mWindow->commandGroups().get<EditCommands>().editCell();
        auto *form = mWindow->findChild<CellEditorDialog *>();
        QVERIFY(form);
        form->findChild<QPlainTextEdit *>(QStringLiteral("cellTextEdit"))
            ->setPlainText(QStringLiteral("\u0402\u2713"));
        form->okClicked();
        KRIBED_VERIFY_PROMPTER(*mPrompter);
        QCOMPARE(windowDatabase().cell(1, 3), QByteArray("??"));
    }

    void editCellWritesBackThroughTheDialog()
    {
        mWindow->setCurrentCell(1, 3);
        mWindow->commandGroups().get<EditCommands>().editCell();
        auto *form = mWindow->findChild<CellEditorDialog *>();
        QVERIFY(form);
        QVERIFY(form->isVisible());
        auto *memo = form->findChild<QPlainTextEdit *>(QStringLiteral("cellTextEdit"));
        QCOMPARE(memo->toPlainText(), QStringLiteral("n3"));
        memo->setPlainText(QStringLiteral("edited"));
        QSignalSpy changed(model(), &QAbstractItemModel::dataChanged);
        form->okClicked();
        QVERIFY(!form->isVisible());
        QCOMPARE(row(3), QByteArray("edited|" + today() + "|3"));
        QCOMPARE(model()->index(2, 0).data().toString(), QStringLiteral("edited"));
        QCOMPARE(changed.count(), 1);
        QVERIFY(windowDatabase().isModified());

        // Cancel after typing leaves the cell alone.
        mWindow->commandGroups().get<EditCommands>().editCell();
        memo->setPlainText(QStringLiteral("other"));
        form->cancelClicked();
        QCOMPARE(row(3), QByteArray("edited|" + today() + "|3"));
    }
};

QTEST_MAIN(TestEditCommands)
#include "tst_edit_commands.moc"
