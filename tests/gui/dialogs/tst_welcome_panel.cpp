// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/platform/recent_files.h"
#include "gui/dialogs/welcome_panel.h"

#include <QAction>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

using namespace kribed;

class TestWelcomePanel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each button runs its own command, and shows the command's state (a disabled command's
    // button cannot be pressed).
    void buttonsRunTheirCommands()
    {
        QAction open(QStringLiteral("&Open..."));
        QAction create(QStringLiteral("&New..."));
        QAction import(QStringLiteral("I&mport..."));
        WelcomePanel panel(&open, &create, &import);
        panel.resize(600, 400);
        panel.show();

        const QList<QToolButton *> buttons = panel.findChildren<QToolButton *>();
        QCOMPARE(buttons.size(), 3);
        QList<QAction *> order{&open, &create, &import};
        for (int index = 0; index < 3; ++index) {
            QSignalSpy triggered(order[index], &QAction::triggered);
            QTest::mouseClick(buttons[index], Qt::LeftButton);
            QCOMPARE(triggered.count(), 1);
        }
        import.setEnabled(false);
        QSignalSpy triggered(&import, &QAction::triggered);
        QTest::mouseClick(buttons[2], Qt::LeftButton);
        QCOMPARE(triggered.count(), 0);
    }

    // Only filled slots are links, newest first; each link names its own slot, and a file name
    // with markup characters is shown as it is.
    void recentLinks()
    {
        QAction open, create, import;
        WelcomePanel panel(&open, &create, &import);
        QSignalSpy chosen(&panel, &WelcomePanel::recentFileChosen);
        auto *links = panel.findChild<QLabel *>(QStringLiteral("RecentLinks"));
        QVERIFY(links);

        panel.setRecentFiles(RecentFiles());
        QVERIFY(links->isHidden());

        RecentFiles::Slots slots;
        slots[1] = QStringLiteral("/data/Kunden.pdb");
        slots[3] = QStringLiteral("/data/a<i>b&c.pdb");
        panel.setRecentFiles(RecentFiles(slots));
        QVERIFY(!links->isHidden());
        QTextDocument shown;
        shown.setHtml(links->text());
        const QStringList lines = shown.toPlainText().split(u'\n');
        QCOMPARE(lines.size(), 2);
        QVERIFY2(lines[0].startsWith(QStringLiteral("Kunden ")), qPrintable(lines[0]));
        QVERIFY2(lines[1].startsWith(QStringLiteral("a<i>b&c ")), qPrintable(lines[1]));

        QStringList targets;
        const QRegularExpression href(QStringLiteral("href=\"([^\"]*)\""));
        for (const QRegularExpressionMatch &match : href.globalMatch(links->text()))
            targets << match.captured(1);
        QCOMPARE(targets.size(), 2);
        for (const QString &target : targets)
            Q_EMIT links->linkActivated(target);
        QCOMPARE(chosen.count(), 2);
        QCOMPARE(chosen[0].first().toInt(), 1);
        QCOMPARE(chosen[1].first().toInt(), 3);
    }
};

QTEST_MAIN(TestWelcomePanel)
#include "tst_welcome_panel.moc"
