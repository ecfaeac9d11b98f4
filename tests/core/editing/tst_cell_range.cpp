// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/cell_range.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "editing_fixture.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QTest>

using namespace kribed;
using namespace kribed::test;

namespace {

// The regional rules the running test chose; every operation under test is handed them.
Regional &regional()
{
    static Regional chosen = kribed::test::testRegional();
    return chosen;
}

} // namespace

class TestCellRange : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init() { regional() = kribed::test::testRegional(); }

    // Cells that hold separators come back as the same cells, and spreadsheets' own quoting reads.
    void blockRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("first");
        QTest::addColumn<QByteArray>("second");
        QTest::newRow("plain texts") << QByteArray("a") << QByteArray("b c");
        QTest::newRow("empty cells") << QByteArray() << QByteArray();
        QTest::newRow("tab inside") << QByteArray("x\ty") << QByteArray("z");
        QTest::newRow("line break inside") << QByteArray("line1\r\nline2") << QByteArray("\n");
        QTest::newRow("quote at the start") << QByteArray("\"quoted\" word") << QByteArray("\"");
        QTest::newRow("quote inside stays bare") << QByteArray("5\" disk") << QByteArray("a\"\"b");
        QTest::newRow("lone carriage return") << QByteArray("a\rb") << QByteArray("\t");
    }
    void blockRoundTrip()
    {
        QFETCH(QByteArray, first);
        QFETCH(QByteArray, second);
        Database database = makeDatabase({StringType, StringType}, {"", "", "keep|keep"});
        database.setCell(1, 1, first);
        database.setCell(2, 1, second);
        database.setCell(1, 2, second);
        database.setCell(2, 2, first);
        const QByteArray text = cellBlockText(database, {1, 1, 2, 2});
        const CellBlock block = parseCellBlock(text);
        QCOMPARE(block, (CellBlock{{first, second}, {second, first}}));
    }

    void spreadsheetText_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<CellBlock>("block");
        QTest::newRow("CR LF rows, last line break ends nothing")
            << QByteArray("1\t2\r\n3\t4\r\n") << CellBlock{{"1", "2"}, {"3", "4"}};
        QTest::newRow("no final line break")
            << QByteArray("1\t2\n3") << CellBlock{{"1", "2"}, {"3"}};
        QTest::newRow("trailing empty cell") << QByteArray("1\t") << CellBlock{{"1", ""}};
        QTest::newRow("quoted line break stays in its cell")
            << QByteArray("\"a\nb\"\tc\n") << CellBlock{{"a\nb", "c"}};
        QTest::newRow("unclosed quote keeps the rest")
            << QByteArray("\"a\tb\nc") << CellBlock{{"a\tb\nc"}};
    }
    void spreadsheetText()
    {
        QFETCH(QByteArray, text);
        QFETCH(CellBlock, block);
        QCOMPARE(parseCellBlock(text), block);
    }

    void multiCellText()
    {
        QVERIFY(!isMultiCellText("one cell"));
        QVERIFY(!isMultiCellText("one cell\r\n"));
        QVERIFY(isMultiCellText("a\tb"));
        QVERIFY(isMultiCellText("a\nb"));
    }

    // A block that does not fit is refused whole; one that fits changes exactly its cells and
    // stamps only the rows that changed.
    void pasteBlock_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("record");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<QByteArray>("rows");
        const QByteArray stamp = regional().dateText(fixedNow().date());
        QTest::newRow("at the top left")
            << 1 << 1 << true << QByteArray("x|y|" + stamp + "/z|b2|" + stamp + "/a3|b3|");
        // Pasted into the Modification Date cell, the pasted texts stay: the stamp comes first.
        QTest::newRow("ending at the last cell")
            << 2 << 2 << true << QByteArray("a1|b1|/a2|x|y/a3|z|b2");
        QTest::newRow("one row too many") << 1 << 3 << false << QByteArray();
        QTest::newRow("one field too many") << 3 << 1 << false << QByteArray();
    }
    void pasteBlock()
    {
        QFETCH(int, field);
        QFETCH(int, record);
        QFETCH(bool, fits);
        QFETCH(QByteArray, rows);
        Database database = makeDatabase({StringType, StringType, ModificationDateType},
                                         {"a1|b1|", "a2|b2|", "a3|b3|"});
        const QByteArray before = allRows(database);
        ScriptedPrompter prompter;
        if (!fits)
            prompter.expect(QStringLiteral("Information"),
                            QStringLiteral("The pasted cells do not fit*"), Icon::Error,
                            Buttons::Ok, Answer::Ok);
        // In the second row of the block only the first cell differs at the top left: the row
        // is stamped all the same.
        const EditResult result = pasteCellBlock(database, field, record, {{"x", "y"}, {"z", "b2"}},
                                                 fixedNow(), regional(), prompter);
        KRIBED_VERIFY_PROMPTER(prompter);
        QCOMPARE(result.applied, fits);
        QCOMPARE(database.isModified(), fits);
        QCOMPARE(allRows(database), fits ? rows : before);
    }

    // A pasted block keeps the dates and times it brings for the Modification Date and Time
    // cells, as typing in place does; the cells it does not reach are stamped.
    void pastedStampsStay_data()
    {
        QTest::addColumn<CellBlock>("block");
        QTest::addColumn<QByteArray>("record1");
        QTest::addColumn<bool>("applied");
        const QByteArray date = regional().dateText(fixedNow().date());
        const QByteArray time = regional().timeText(fixedNow().time());
        QTest::newRow("date and time pasted") << CellBlock{{"new", "1/1/1999", "1:02:03 AM"}}
                                              << QByteArray("new|1/1/1999|1:02:03 AM|x") << true;
        QTest::newRow("only the date pasted: the time is stamped")
            << CellBlock{{"new", "1/1/1999"}} << QByteArray("new|1/1/1999|" + time + "|x") << true;
        QTest::newRow("the old date pasted with a new text stays the old date")
            << CellBlock{{"new", "1/1/2000"}} << QByteArray("new|1/1/2000|" + time + "|x") << true;
        QTest::newRow("no date pasted: both stamped")
            << CellBlock{{"new"}} << QByteArray("new|" + date + "|" + time + "|x") << true;
        QTest::newRow("the same texts: nothing stamped")
            << CellBlock{{"old", "1/1/2000", "2:00:00 AM"}}
            << QByteArray("old|1/1/2000|2:00:00 AM|x") << false;
    }
    void pastedStampsStay()
    {
        QFETCH(CellBlock, block);
        QFETCH(QByteArray, record1);
        QFETCH(bool, applied);
        Database database =
            makeDatabase({StringType, ModificationDateType, ModificationTimeType, StringType},
                         {"old|1/1/2000|2:00:00 AM|x", "keep|1/1/2000|2:00:00 AM|y"});
        ScriptedPrompter prompter;
        QCOMPARE(pasteCellBlock(database, 1, 1, block, fixedNow(), regional(), prompter).applied,
                 applied);
        QCOMPARE(rowText(database, 1), record1);
        QCOMPARE(rowText(database, 2), QByteArray("keep|1/1/2000|2:00:00 AM|y"));
    }

    // Records the filter hides take no part: nothing is copied from them, nothing cleared,
    // pasted or stamped in them, and they are not counted. Records 1, 3 and 4 are hidden.
    void hiddenRecordsTakeNoPart_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QByteArray>("rows");
        const QByteArray stamp = regional().dateText(fixedNow().date());
        QTest::newRow("copy") << QStringLiteral("copy") << QByteArray("Bolt\nCog\n");
        QTest::newRow("clear") << QStringLiteral("clear")
                               << QByteArray("Nut|old/|" + stamp + "/Axle|old/Gear|old/|" + stamp);
        QTest::newRow("paste two rows")
            << QStringLiteral("paste")
            << QByteArray("Nut|old/x|" + stamp + "/Axle|old/Gear|old/y|" + stamp);
        QTest::newRow("statistics") << QStringLiteral("statistics") << QByteArray("2 cells");
    }
    void hiddenRecordsTakeNoPart()
    {
        QFETCH(QString, command);
        QFETCH(QByteArray, rows);
        Database database =
            makeDatabase({StringType, ModificationDateType},
                         {"Nut|old", "Bolt|old", "Axle|old", "Gear|old", "Cog|old"});
        for (const int record : {1, 3, 4})
            database.setHidden(record, true);
        const CellRange range{1, 2, 1, 5};
        ScriptedPrompter prompter;
        QByteArray result;
        if (command == QLatin1String("copy")) {
            result = cellBlockText(database, range);
        } else if (command == QLatin1String("clear")) {
            QVERIFY(clearCellRange(database, range, fixedNow(), regional()));
            result = allRows(database);
        } else if (command == QLatin1String("paste")) {
            QVERIFY(pasteCellBlock(database, 1, 2, {{"x"}, {"y"}}, fixedNow(), regional(), prompter)
                        .applied);
            result = allRows(database);
        } else {
            result =
                QByteArray::number(rangeStatistics(database, range, regional()).cells) + " cells";
        }
        QCOMPARE(result, rows);
    }

    // A block needs as many shown records as it has rows, however many hidden ones follow.
    void pasteRefusedWhenTheShownRecordsRunOut()
    {
        Database database = makeDatabase({StringType}, {"a", "b", "c"});
        database.setHidden(3, true);
        ScriptedPrompter prompter;
        prompter.expect(QStringLiteral("Information"),
                        QStringLiteral("The pasted cells do not fit*"), Icon::Error, Buttons::Ok,
                        Answer::Ok);
        QVERIFY(!pasteCellBlock(database, 1, 2, {{"x"}, {"y"}}, fixedNow(), regional(), prompter)
                     .applied);
        KRIBED_VERIFY_PROMPTER(prompter);
        QCOMPARE(allRows(database), QByteArray("a/b/c"));
        QVERIFY(!database.isModified());
    }

    // One cell on the clipboard: quoted only where it would read as several cells.
    void singleCell_data()
    {
        QTest::addColumn<QByteArray>("cell");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("plain") << QByteArray("plain") << QByteArray("plain");
        QTest::newRow("line break")
            << QByteArray("line\r\nbreak") << QByteArray("\"line\r\nbreak\"");
        QTest::newRow("tab and quotes") << QByteArray("5\" a\tb") << QByteArray("\"5\"\" a\tb\"");
        QTest::newRow("line break at the end") << QByteArray("end\n") << QByteArray("\"end\n\"");
        QTest::newRow("quote at the start stays bare")
            << QByteArray("\"quoted\" word") << QByteArray("\"quoted\" word");
    }
    void singleCell()
    {
        QFETCH(QByteArray, cell);
        QFETCH(QByteArray, text);
        QCOMPARE(singleCellText(cell), text);
        // Read back, it is the one cell again.
        const CellBlock block = isMultiCellText(text) ? parseCellBlock(text) : CellBlock{{text}};
        QCOMPARE(block, CellBlock{{cell}});
    }

    void clearStampsChangedRowsOnly()
    {
        Database database = makeDatabase({StringType, StringType, ModificationDateType},
                                         {"a1||old", "||old", "a3|b3|old"});
        QVERIFY(clearCellRange(database, {1, 1, 3, 2}, fixedNow(), regional()));
        // The stamp comes first, so the Modification Date cell of the range ends empty; the row
        // that held no text is not stamped.
        QCOMPARE(allRows(database), QByteArray("||/||/a3|b3|old"));
        Database empty = makeDatabase({StringType}, {"", ""});
        QVERIFY(!clearCellRange(empty, {1, 1, 1, 2}, fixedNow(), regional()));
        QVERIFY(!empty.isModified());
    }

    // Numbers read as the sums read them: the regional separators in their places only.
    void statistics_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<int>("numbers");
        QTest::addColumn<double>("sum");
        QTest::addColumn<int>("part"); // records counted at a time; 0: all at once
        QTest::newRow("decimal comma") << QStringLiteral("de_DE") << 4 << 1240.5 << 0;
        QTest::newRow("decimal point") << QStringLiteral("en_US") << 3 << 4.75 << 0;
        QTest::newRow("one record at a time") << QStringLiteral("de_DE") << 4 << 1240.5 << 1;
        QTest::newRow("last part short") << QStringLiteral("en_US") << 3 << 4.75 << 3;
        QTest::newRow("one part past the end") << QStringLiteral("en_US") << 3 << 4.75 << 9;
    }
    void statistics()
    {
        QFETCH(QString, locale);
        QFETCH(int, numbers);
        QFETCH(double, sum);
        QFETCH(int, part);
        regional() = Regional(QLocale(locale));
        // de_DE: 1,5 + 2 + 2,5 + 1.234,5 (1.25 is no number there: no group of three); en_US:
        // 1.25 + 2 + 1.5 (1,5, 2,5 and 1.234,5 are no numbers, 1.5E0 is).
        const Database database =
            makeDatabase({StringType, StringType}, {"1,5|x", "2|", "1.25|2,5", "1.5E0|1.234,5"});
        const CellRange range{1, 1, 2, 4};
        RangeStatistics statistics = rangeStatistics(database, range, regional());
        if (part > 0) {
            const QVector<int> records = shownRecords(database, range);
            RangeStatistics parts;
            for (int from = 0; from < records.size(); from += part)
                addRangeStatistics(parts, database, range, regional(), records, from, from + part);
            QVERIFY(parts.sum == statistics.sum);
            statistics = parts;
        }
        QCOMPARE(statistics.cells, 8);
        QCOMPARE(statistics.numbers, numbers);
        QCOMPARE(double(statistics.sum), sum);
        QCOMPARE(double(statistics.average()), sum / numbers);
    }
};

QTEST_GUILESS_MAIN(TestCellRange)
#include "tst_cell_range.moc"
