// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/settings.h"
#include "core/platform/user_list.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/help_commands.h"
#include "gui/dialogs/readme_window.h"
#include "gui/dialogs/user_guide.h"
#include "gui/window/main_window.h"
#include "scripted_file_dialogs.h"
#include "scripted_prompter.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

class TestHelpCommands : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        openSettingsStore()->clear();
    }

    void readMeWindowIsSharedAndNotModal()
    {
        ScriptedPrompter prompter;
        ScriptedFileDialogs dialogs;
        NoUsers users;
        MainWindow window(prompter, dialogs, users);
        ReadmeWindow *help = &window.commandGroups().get<HelpCommands>().readmeWindow();
        window.show();

        QCOMPARE(help->windowTitle(), QStringLiteral("Read Me"));
        auto *memo = help->findChild<QPlainTextEdit *>(QStringLiteral("guideTextEdit"));
        QVERIFY(memo);
        QVERIFY(memo->isReadOnly());
        // The guide wraps at the window's width, its paragraphs flowing into whole lines.
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->toPlainText(), ReadmeWindow::flowingText(userGuideText()));

        window.findChild<QAction *>(QStringLiteral("actionReadme"))->trigger();
        QVERIFY(help->isVisible());
        QVERIFY(!help->isModal());
        window.commandGroups().get<HelpCommands>().showReadme();
        QCOMPARE(window.findChildren<ReadmeWindow *>().size(), 1);
        QTest::keyClick(help, Qt::Key_Escape);
        QVERIFY(!help->isVisible());
        KRIBED_VERIFY_PROMPTER(prompter);
    }
};

QTEST_MAIN(TestHelpCommands)
#include "tst_help_commands.moc"
