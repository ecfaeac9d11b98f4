// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/pdb_writer.h"
#include "core/platform/settings.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/grid/database_document.h"
#include "gui/grid/undo_steps.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"
#include "pdb_builder.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

// Undo and redo in the main window, driven by the keys a user presses.
class TestMainWindowUndo
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private:
    QTableView *grid() { return mWindow->grid(); }
    QVector<Database::Record> records() { return windowDatabase().records(); }
    void keys(const QKeySequence &sequence) { QTest::keySequence(grid(), sequence); }
    QVector<int> widths() { return WidthsStep::widthsOf(windowDatabase()); }
    const QUndoStack &stack() { return mWindow->document().history().stack(); }

    // The file the writer makes of the window's database as it is now, at a fixed time. A copy
    // is written, so nothing of the window's database changes.
    QByteArray fileBytes()
    {
        Database copy = windowDatabase();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const QDateTime at(QDate(2024, 5, 6), QTime(7, 8, 9));
        if (!writeDatabase(buffer, copy, 1, at, *mPrompter))
            return {};
        return buffer.data();
    }

    // Drags the right border of the first column by `by` pixels in steps of 10, as a hand does.
    void dragFirstBorder(int by)
    {
        QHeaderView *header = grid()->horizontalHeader();
        QWidget *viewport = header->viewport();
        const int y = header->height() / 2;
        const int x = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
        QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(x, y));
        const int direction = by < 0 ? -1 : 1;
        for (int moved = 10; moved <= by * direction; moved += 10)
            QTest::mouseMove(viewport, QPoint(x + moved * direction, y));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(x + by, y));
    }

private Q_SLOTS:
    void initTestCase() { initFixture(); }

    void init()
    {
        startTest(true);
        if (QTest::currentTestFailed())
            return;
        // Three text fields, records "Cx|By|Az" in an order a sort changes.
        PdbBuilder builder;
        builder.name("Demo").field("A", 0x0001, 20).field("B", 0x0001, 40).field("C", 0x0001, 60);
        for (const char *first : {"delta", "alpha", "charlie", "bravo"})
            builder.record({first, "b", "c"});
        openBytes(QStringLiteral("Demo.pdb"), builder.build());
        QApplication::setActiveWindow(mWindow.get());
        grid()->setFocus();
    }

    void cleanup() { endTest(); }

    // Edit in place, delete a row, sort: Ctrl+Z three times gives back the loaded database,
    // unmodified; Ctrl+Shift+Z and Ctrl+Y bring the changes back.
    void threeChangesTakenBackByKeys()
    {
        const QVector<Database::Record> loaded = records();
        const SettingsSnapshot loadedSettings = SettingsSnapshot::of(windowDatabase());

        mWindow->setCurrentCell(2, 2);
        QTest::keyClick(grid(), Qt::Key_X);
        auto *editor = grid()->viewport()->findChild<QLineEdit *>();
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_COMPARE(windowDatabase().cell(2, 2), QByteArray("x"));

        mWindow->setCurrentCell(1, 3);
        mPrompter->expect(QStringLiteral("Confirm"),
                          QStringLiteral("Do you want to delete the selected row?"), Icon::Question,
                          Buttons::YesNo, Answer::Yes);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Delete));
        QCOMPARE(windowDatabase().recordCount(), 3);

        mWindow->setCurrentCell(1, 1);
        keys(QKeySequence(Qt::CTRL | Qt::Key_N));
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("alpha"));
        const QVector<Database::Record> changed = records();
        QCOMPARE(mWindow->findChild<QMenu *>(QStringLiteral("menuEdit"))->actions().first()->text(),
                 QStringLiteral("Undo Sort normal"));

        for (int i = 0; i < 3; ++i)
            keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(records(), loaded);
        QVERIFY(SettingsSnapshot::of(windowDatabase()) == loadedSettings);
        QVERIFY(!windowDatabase().isModified());

        keys(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(records(), changed);
        QVERIFY(windowDatabase().isModified());
    }

    // Shift+arrows draw a rectangle that Ctrl+C copies and Delete empties in one step.
    void rangeKeysInTheWindow()
    {
        mWindow->setCurrentCell(1, 1);
        QTest::keyClick(grid(), Qt::Key_Right, Qt::ShiftModifier);
        QTest::keyClick(grid(), Qt::Key_Down, Qt::ShiftModifier);
        keys(QKeySequence(Qt::CTRL | Qt::Key_C));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("delta\tb\nalpha\tb\n"));
        QCOMPARE(mWindow->findChild<QLabel *>(QStringLiteral("selectionStatistics"))->text(),
                 QStringLiteral("Count: 4  Numbers: 0"));
        keys(QKeySequence(Qt::Key_Delete));
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray());
        QVERIFY(windowDatabase().isModified());
        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(windowDatabase().cell(1, 2), QByteArray("alpha"));
        QVERIFY(!windowDatabase().isModified());
    }

    // One change of each kind made on the loaded database, then Ctrl+Z: the database is as
    // loaded and no longer counts as changed; Ctrl+Y makes it changed again.
    void modifiedMarkFollowsUndo_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("fieldName"); // Properties: the field's new name
        QTest::addColumn<int>("fieldType");     // Properties: its new type (-1 keeps it)
        QTest::newRow("append row") << QStringLiteral("actionAppendRow") << QString() << -1;
        QTest::newRow("insert row") << QStringLiteral("actionInsertRow") << QString() << -1;
        QTest::newRow("delete row") << QStringLiteral("actionDeleteRow") << QString() << -1;
        QTest::newRow("append column") << QStringLiteral("actionAppendColumn") << QString() << -1;
        QTest::newRow("insert column") << QStringLiteral("actionInsertColumn") << QString() << -1;
        QTest::newRow("delete column") << QStringLiteral("actionDeleteColumn") << QString() << -1;
        QTest::newRow("properties: field renamed")
            << QStringLiteral("actionProperties") << QStringLiteral("Renamed") << -1;
        QTest::newRow("properties: type changed")
            << QStringLiteral("actionProperties") << QString() << int(BooleanType);
    }

    void modifiedMarkFollowsUndo()
    {
        QFETCH(QString, action);
        QFETCH(QString, fieldName);
        QFETCH(int, fieldType);
        mWindow->settings().expertMode = true; // the deletes ask nothing
        const QVector<Database::Record> loaded = records();
        const SettingsSnapshot loadedSettings = SettingsSnapshot::of(windowDatabase());
        QVERIFY(!windowDatabase().isModified());

        mWindow->setCurrentCell(2, 2);
        windowAction(action)->trigger();
        if (auto *form = mWindow->findChild<PropertiesDialog *>(); form && form->isVisible()) {
            if (!fieldName.isEmpty())
                form->findChild<QLineEdit *>(QStringLiteral("fieldNameEdit"))->setText(fieldName);
            if (fieldType >= 0)
                form->findChild<QComboBox *>(QStringLiteral("fieldTypeCombo"))
                    ->setCurrentIndex(fieldType);
            form->okClicked();
            QVERIFY(!form->isVisible());
        }
        QVERIFY(windowDatabase().isModified());
        QVERIFY(!(SettingsSnapshot::of(windowDatabase()) == loadedSettings) || records() != loaded);

        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(records(), loaded);
        QVERIFY(SettingsSnapshot::of(windowDatabase()) == loadedSettings);
        QVERIFY(!windowDatabase().isModified());

        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        QVERIFY(windowDatabase().isModified());
    }

    // A new column that a save wrote into the block's unused slot 4, taken back: the file is
    // byte for byte the loaded one, the slot's old bytes (after its NUL too) and width word
    // included. Redone, it is the file of the change again.
    void undoOfNewColumnGivesBackTheFile_data()
    {
        QTest::addColumn<QString>("action");
        QTest::newRow("append column") << QStringLiteral("actionAppendColumn");
        QTest::newRow("insert column") << QStringLiteral("actionInsertColumn");
    }

    void undoOfNewColumnGivesBackTheFile()
    {
        QFETCH(QString, action);
        PdbBuilder builder;
        builder.name("Slots").field("A", 0x0001, 20).field("B", 0x0001, 40).field("C", 0x0001, 60);
        builder.blockBytes(3 * 21, QByteArray("Old\0left over", 13)).blockWord(1154 + 3 * 2, 0);
        builder.record({"a", "b", "c"}).record({"d", "e", "f"});
        openBytes(QStringLiteral("Slots.pdb"), builder.build());
        QCOMPARE(windowDatabase().fieldCount(), 3);
        const QByteArray loaded = fileBytes();
        QVERIFY(loaded.contains(QByteArray("Old\0left over", 13)));

        mWindow->setCurrentCell(2, 1);
        windowAction(action)->trigger();
        QCOMPARE(windowDatabase().fieldCount(), 4);
        keys(QKeySequence(Qt::CTRL | Qt::Key_S));
        QVERIFY(!windowDatabase().isModified());
        const QByteArray changed = fileBytes();
        QVERIFY(!changed.contains(QByteArray("Old\0left over", 13)));

        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(windowDatabase().fieldCount(), 3);
        QCOMPARE(fileBytes(), loaded);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(fileBytes(), changed);
    }

    // Font, then Ctrl+Z: the old font and the old pixel widths come back together, so every
    // column keeps its width in units all along; Ctrl+Y brings the new font back.
    void fontUndoGivesBackFontAndWidths_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("larger font") << 10;
        QTest::newRow("smaller font") << 6;
    }

    void fontUndoGivesBackFontAndWidths()
    {
        QFETCH(int, size);
        const QFont before = mWindow->displayFont();
        const double scale = windowDatabase().widthScale();
        const QVector<int> pixels = widths();
        const QByteArray loaded = fileBytes();

        QFont chosen(before.family());
        chosen.setPointSize(size);
        mDialogs->expectFont(chosen);
        windowAction(QStringLiteral("actionFont"))->trigger();
        QCOMPARE(mWindow->displayFont().pointSize(), size);
        QVERIFY(windowDatabase().widthScale() != scale);
        QVERIFY(widths() != pixels);
        QCOMPARE(fileBytes(), loaded);

        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(mWindow->displayFont(), before);
        QCOMPARE(windowDatabase().widthScale(), scale);
        QCOMPARE(widths(), pixels);
        QCOMPARE(grid()->horizontalHeader()->sectionSize(0), pixels[0]);
        QCOMPARE(fileBytes(), loaded);
        QVERIFY(!windowDatabase().isModified());

        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(mWindow->displayFont().pointSize(), size);
        QVERIFY(windowDatabase().widthScale() != scale);
        QCOMPARE(fileBytes(), loaded);
    }

    // Typing, Auto sizing on, then Ctrl+S and Ctrl+Z in turns and Ctrl+S and Ctrl+Y in turns:
    // each undo and redo gives back the widths it gives without the saves, whatever the answer
    // to the save's width question.
    void saveWithAutoWidthsKeepsUndo_data()
    {
        QTest::addColumn<int>("answer"); // -1: expert mode, no question
        QTest::newRow("saved with the kept widths") << int(Answer::Yes);
        QTest::newRow("saved with the automatic widths") << int(Answer::No);
        QTest::newRow("expert mode") << -1;
    }

    void saveWithAutoWidthsKeepsUndo()
    {
        QFETCH(int, answer);
        mWindow->settings().expertMode = answer < 0;
        const QVector<Database::Record> loadedRecords = records();
        const QVector<int> loaded = widths();
        typeInto(1, 1, QStringLiteral("a text much wider than the column"));
        keys(QKeySequence(Qt::CTRL | Qt::Key_A));
        QVERIFY(windowAction(QStringLiteral("actionAutoSizing"))->isChecked());
        const QVector<int> automatic = widths();
        QVERIFY(automatic != loaded);

        const auto save = [&] {
            if (answer >= 0) {
                mPrompter->expect(
                    QStringLiteral("Information"),
                    QStringLiteral("The column width is changed by auto-width and could be "
                                   "unsuitable for your handheld display.\rDo you prefer to save "
                                   "the file with the prevouis width settings?"),
                    Icon::Warning, Buttons::YesNoCancel, Answer(answer));
            }
            keys(QKeySequence(Qt::CTRL | Qt::Key_S));
            QVERIFY(!windowDatabase().isModified());
        };
        save();
        QCOMPARE(widths(), automatic);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(widths(), loaded);
        save();
        QCOMPARE(widths(), loaded);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(widths(), loaded);
        QCOMPARE(records(), loadedRecords);
        QVERIFY(!stack().canUndo());

        save();
        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(widths(), loaded);
        save();
        keys(QKeySequence(Qt::CTRL | Qt::Key_Y));
        QCOMPARE(widths(), automatic);
        QVERIFY(windowAction(QStringLiteral("actionAutoSizing"))->isChecked());
    }

    // A column border dragged 80 pixels in eight movements is one undo step, and the next drag
    // is a step of its own.
    void borderDragIsOneUndoStep()
    {
        const QHeaderView *header = grid()->horizontalHeader();
        const int original = header->sectionSize(0);
        const int steps = stack().count();

        dragFirstBorder(80);
        QCOMPARE(header->sectionSize(0), original + 80);
        QCOMPARE(windowDatabase().columnWidth(1), original + 80);
        QCOMPARE(stack().count(), steps + 1);
        QVERIFY(windowDatabase().isModified());
        dragFirstBorder(-30);
        QCOMPARE(header->sectionSize(0), original + 50);
        QCOMPARE(stack().count(), steps + 2);

        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(header->sectionSize(0), original + 80);
        QCOMPARE(windowDatabase().columnWidth(1), original + 80);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(header->sectionSize(0), original);
        QCOMPARE(windowDatabase().columnWidth(1), original);
        QVERIFY(!windowDatabase().isModified());
    }

    // Every key of the window reaches one command: an ambiguous key would fire nothing.
    // A change that pushes older ones out of the undo memory says so once in the status bar;
    // a change that fits says nothing.
    void droppedChangesAreToldOnce()
    {
        EditHistory &history = mWindow->document().history();
        const QString told =
            QStringLiteral("The undo memory is full: the oldest changes can no longer be undone.");
        QStringList messages;
        connect(mWindow->statusBar(), &QStatusBar::messageChanged, this,
                [&](const QString &message) { messages << message; });
        const QString long1(3000, u'x');
        typeInto(1, 1, long1);
        typeInto(1, 2, long1);
        history.setByteBudget(history.bytesHeld() + history.bytesHeld() / 4);
        QCOMPARE(messages.count(told), 0);
        typeInto(1, 3, long1); // three long texts do not fit: the first goes
        QCOMPARE(messages.count(told), 1);
        QCOMPARE(mWindow->statusBar()->currentMessage(), told);
        QCOMPARE(stack().count(), 2);
        keys(QKeySequence(Qt::CTRL | Qt::Key_Z));
        typeInto(2, 1, QStringLiteral("short")); // takes the undone change's place
        QCOMPARE(messages.count(told), 1);
        QCOMPARE(stack().count(), 2);
    }

    void noKeyIsAmbiguous()
    {
        QHash<QKeySequence, QString> owners;
        for (QAction *action : mWindow->findChildren<QAction *>()) {
            if (action->shortcutContext() == Qt::WidgetShortcut)
                continue;
            for (const QKeySequence &key : action->shortcuts()) {
                QVERIFY2(!owners.contains(key),
                         qPrintable(key.toString() + QStringLiteral(": ") + owners.value(key)
                                    + QStringLiteral(" and ") + action->text()));
                owners.insert(key, action->text());
            }
        }
        // The keys added beside the described ones.
        for (const QKeySequence &key :
             {QKeySequence(Qt::CTRL | Qt::Key_Q), QKeySequence(Qt::CTRL | Qt::Key_P),
              QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), QKeySequence(Qt::CTRL | Qt::Key_Z),
              QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::Key_Delete),
              QKeySequence(Qt::ALT | Qt::Key_F4), QKeySequence(Qt::CTRL | Qt::Key_W)})
            QVERIFY2(owners.contains(key), qPrintable(key.toString()));
    }
};

QTEST_MAIN(TestMainWindowUndo)
#include "tst_main_window_undo.moc"
