// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/file_drop.h"

#include <QDir>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QWidget>

using namespace kribed;

namespace {

enum class Outcome { Refused, Opened, Imported };

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestFileDrop : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void drop_data()
    {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Outcome>("outcome");

        const auto file = [](const char *name) {
            return QUrl::fromLocalFile(QDir::temp().filePath(QString::fromLatin1(name))).toString();
        };
        QTest::newRow("database") << QStringList{file("Kunden.pdb")} << QString()
                                  << Outcome::Opened;
        QTest::newRow("database, upper-case extension")
            << QStringList{file("KUNDEN.PDB")} << QString() << Outcome::Opened;
        QTest::newRow("comma text")
            << QStringList{file("data.csv")} << QString() << Outcome::Imported;
        QTest::newRow("tab text") << QStringList{file("data.TXT")} << QString()
                                  << Outcome::Imported;
        QTest::newRow("other file")
            << QStringList{file("sheet.ods")} << QString() << Outcome::Refused;
        QTest::newRow("backup of a database")
            << QStringList{file("Kunden.pd_")} << QString() << Outcome::Refused;
        QTest::newRow("two databases")
            << QStringList{file("a.pdb"), file("b.pdb")} << QString() << Outcome::Refused;
        QTest::newRow("remote database")
            << QStringList{QStringLiteral("https://example.org/Kunden.pdb")} << QString()
            << Outcome::Refused;
        QTest::newRow("plain text naming a database")
            << QStringList{} << QStringLiteral("/tmp/Kunden.pdb") << Outcome::Refused;
        QTest::newRow("folder named like a database")
            << QStringList{QStringLiteral("@folder")} << QString() << Outcome::Refused;
    }

    void drop()
    {
        QFETCH(QStringList, urls);
        QFETCH(QString, text);
        QFETCH(Outcome, outcome);

        QTemporaryDir dir;
        QList<QUrl> list;
        for (const QString &url : urls) {
            if (url == QStringLiteral("@folder")) {
                QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("Old.pdb")));
                list << QUrl::fromLocalFile(dir.filePath(QStringLiteral("Old.pdb")));
            } else {
                list << QUrl(url);
            }
        }
        QMimeData data;
        if (!list.isEmpty())
            data.setUrls(list);
        if (!text.isEmpty())
            data.setText(text);

        QWidget window;
        FileDropFilter filter(&window);
        QSignalSpy opened(&filter, &FileDropFilter::databaseDropped);
        QSignalSpy imported(&filter, &FileDropFilter::textFileDropped);

        const QPoint at(10, 10);
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &enter);
        QCOMPARE(enter.isAccepted(), outcome != Outcome::Refused);

        QDropEvent drop(QPointF(at), Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                        Qt::NoModifier);
        QCoreApplication::sendEvent(&window, &drop);
        QCOMPARE(drop.isAccepted(), outcome != Outcome::Refused);
        // The routines run after the drop has been answered, never inside it.
        QCOMPARE(opened.count() + imported.count(), 0);
        QTest::qWait(20);
        QCOMPARE(opened.count(), outcome == Outcome::Opened ? 1 : 0);
        QCOMPARE(imported.count(), outcome == Outcome::Imported ? 1 : 0);
        if (outcome != Outcome::Refused) {
            const QSignalSpy &spy = outcome == Outcome::Opened ? opened : imported;
            QCOMPARE(spy.first().first().toString(), QUrl(list.first()).toLocalFile());
        }
    }
};

QTEST_MAIN(TestFileDrop)
#include "tst_file_drop.moc"
