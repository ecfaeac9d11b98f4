// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/sqlite_exchange.h"
#include "core/exchange/text_format.h"
#include "core/exchange/workbook_export.h"
#include "gui/dialogs/file_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <utility>

using namespace kribed;

namespace {

QString exportFilter()
{
    return exportFilterTextWithCsv() + sqliteExportFilterEntry() + workbookFilterEntry();
}

// Works the real modal dialogs as a user would, from a timer while they are up: `fileDialog`
// gets each file dialog that comes up, `messageBox` each message box, which it answers.
class DialogUser
{
public:
    DialogUser(std::function<void(QFileDialog &)> fileDialog,
               std::function<void(QMessageBox &)> messageBox = {})
    {
        mTimer.setInterval(10);
        QObject::connect(&mTimer, &QTimer::timeout, [fileDialog, messageBox] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || !modal->isVisible())
                return;
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                if (messageBox)
                    messageBox(*box);
                else
                    QTest::keyClick(box, Qt::Key_Escape);
            } else if (auto *dialog = qobject_cast<QFileDialog *>(modal)) {
                fileDialog(*dialog);
            }
        });
        mTimer.start();
    }

private:
    QTimer mTimer;
};

// Chooses the entry `index` (from 1) in the type list with the arrow keys, then types the name.
void chooseAndType(QFileDialog &dialog, int index, const QString &typed)
{
    auto *types = dialog.findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
    auto *name = dialog.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    QVERIFY(types && name);
    while (types->currentIndex() < index - 1)
        QTest::keyClick(types, Qt::Key_Down);
    while (types->currentIndex() > index - 1)
        QTest::keyClick(types, Qt::Key_Up);
    name->setText(typed); // as typed; no completion list comes up
}

// Save, as the dialog's button does; once the timer that called has returned, since a timer
// does not fire again while its slot runs (the overwrite question would wait for it).
void save(QFileDialog &dialog)
{
    QMetaObject::invokeMethod(&dialog, "accept", Qt::QueuedConnection);
}

} // namespace

// The save dialog of Export: the type chosen in it decides the extension of the file.
class TestFileDialogs : public QObject
{
    Q_OBJECT

private:
    FileRequest exportRequest(const QString &folder, int openIndex)
    {
        FileRequest request;
        request.title = QStringLiteral("Export");
        request.filter = exportFilter();
        request.filterIndex = openIndex;
        request.defaultSuffix = filterExtensions(request.filter, openIndex).value(0);
        request.initialFolder = folder;
        request.proposedName = QStringLiteral("Kunden");
        request.askBeforeOverwrite = true;
        request.suffixFromFilter = true;
        return request;
    }

private Q_SLOTS:
    void chosenTypeDecidesTheExtension_data()
    {
        QTest::addColumn<int>("openIndex"); // the type of the export before
        QTest::addColumn<int>("chosenIndex");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("written");

        // Entries: 1 comma CSV, 2 semicolon csv, 3 tab TXT, 4 standard csv, 5 sqlite, 6 xlsx.
        QTest::newRow("workbook after comma, no extension typed")
            << 1 << 6 << QStringLiteral("Kunden") << QStringLiteral("Kunden.xlsx");
        QTest::newRow("semicolon after workbook")
            << 6 << 2 << QStringLiteral("semi_test") << QStringLiteral("semi_test.csv");
        QTest::newRow("tab after SQLite")
            << 5 << 3 << QStringLiteral("t") << QStringLiteral("t.TXT");
        QTest::newRow("SQLite after tab")
            << 3 << 5 << QStringLiteral("db") << QStringLiteral("db.sqlite");
        QTest::newRow("the same type as before")
            << 2 << 2 << QStringLiteral("a") << QStringLiteral("a.csv");
        QTest::newRow("right extension typed stays")
            << 1 << 6 << QStringLiteral("Kunden.xlsx") << QStringLiteral("Kunden.xlsx");
        QTest::newRow("right extension in other letters stays")
            << 1 << 6 << QStringLiteral("Kunden.XLSX") << QStringLiteral("Kunden.XLSX");
        QTest::newRow("comma type keeps a typed lower-case csv")
            << 6 << 1 << QStringLiteral("x.csv") << QStringLiteral("x.csv");
        QTest::newRow("another type's extension is replaced")
            << 1 << 6 << QStringLiteral("Kunden.CSV") << QStringLiteral("Kunden.xlsx");
        QTest::newRow("a dotted name gets the extension")
            << 6 << 6 << QStringLiteral("Bericht 12.2026")
            << QStringLiteral("Bericht 12.2026.xlsx");
    }

    void chosenTypeDecidesTheExtension()
    {
        QFETCH(int, openIndex);
        QFETCH(int, chosenIndex);
        QFETCH(QString, typed);
        QFETCH(QString, written);

        QTemporaryDir folder;
        QtFileDialogs dialogs;
        bool saved = false;
        DialogUser user([&](QFileDialog &dialog) {
            if (std::exchange(saved, true))
                return;
            chooseAndType(dialog, chosenIndex, typed);
            save(dialog);
        });
        const std::optional<FileChoice> choice =
            dialogs.saveFile(exportRequest(folder.path(), openIndex));
        QVERIFY(choice);
        QCOMPARE(choice->filterIndex, chosenIndex);
        QCOMPARE(choice->path, folder.filePath(written));
    }

    void overwriteQuestionNamesTheWrittenFile()
    {
        // The mended name is the one the dialog asks about before an existing file is replaced.
        QTemporaryDir folder;
        QFile existing(folder.filePath(QStringLiteral("Kunden.xlsx")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.close();
        QString question;
        bool saved = false;
        QtFileDialogs dialogs;
        DialogUser user(
            [&](QFileDialog &dialog) {
                if (std::exchange(saved, true))
                    return;
                chooseAndType(dialog, 6, QStringLiteral("Kunden"));
                save(dialog);
            },
            [&](QMessageBox &box) {
                question = box.text();
                box.button(QMessageBox::Yes)->click();
            });
        const std::optional<FileChoice> choice = dialogs.saveFile(exportRequest(folder.path(), 1));
        QVERIFY(choice);
        QCOMPARE(choice->path, existing.fileName());
        QVERIFY2(question.contains(QStringLiteral("Kunden.xlsx")), qPrintable(question));
    }

    void fileNameForFilter_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("written");

        const QString all = QStringLiteral("Kribo database (*.pdb)|*.pdb|All Files (*.*)|*.*|");
        const QString sqlite = QStringLiteral("SQLite (*.sqlite *.db)|*.sqlite;*.db|Workbook "
                                              "(*.xlsx)|*.xlsx|");
        QTest::newRow("an entry of every file changes nothing")
            << all << 2 << QStringLiteral("/d/Kunden.CSV") << QStringLiteral("/d/Kunden.CSV");
        QTest::newRow("a dot in the folder is no extension")
            << all << 1 << QStringLiteral("/d/a.b/Kunden") << QStringLiteral("/d/a.b/Kunden.pdb");
        QTest::newRow("a name ending in a dot")
            << all << 1 << QStringLiteral("/d/Kunden.") << QStringLiteral("/d/Kunden.pdb");
        QTest::newRow("a leading dot is no extension")
            << all << 1 << QStringLiteral("/d/.pdb") << QStringLiteral("/d/.pdb.pdb");
        QTest::newRow("the entry's second extension stays")
            << sqlite << 1 << QStringLiteral("/d/x.DB") << QStringLiteral("/d/x.DB");
        QTest::newRow("another entry's extension gives the first")
            << sqlite << 1 << QStringLiteral("/d/x.xlsx") << QStringLiteral("/d/x.sqlite");
        QTest::newRow("an index beyond the entries")
            << sqlite << 3 << QStringLiteral("/d/x") << QStringLiteral("/d/x");
    }

    void fileNameForFilter()
    {
        QFETCH(QString, filter);
        QFETCH(int, index);
        QFETCH(QString, path);
        QFETCH(QString, written);
        QCOMPARE(kribed::fileNameForFilter(path, filter, index), written);
    }
};

QTEST_MAIN(TestFileDialogs)
#include "tst_file_dialogs.moc"
