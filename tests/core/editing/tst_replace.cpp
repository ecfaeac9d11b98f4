// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/replace.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "editing_fixture.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QBuffer>
#include <QStringEncoder>
#include <QTranslator>
#include <QtTest>

using namespace kribed;
using kribed::test::allRows;
using kribed::test::fixedNow;
using kribed::test::makeDatabase;
using kribed::test::testRegional;

Q_DECLARE_METATYPE(kribed::ReplaceSettings)

namespace {

ReplaceSettings plain(const QString &find, const QString &with)
{
    ReplaceSettings settings;
    settings.find = find;
    settings.replacement = with;
    return settings;
}

ReplaceSettings with(ReplaceSettings settings, void (*change)(ReplaceSettings &))
{
    change(settings);
    return settings;
}

const QList<int> threeStrings = {StringType, StringType, StringType};

// `count` lines of `length` letters, each line break CR LF as cells hold it.
QByteArray lines(int count, int length)
{
    QList<QByteArray> all(count, QByteArray(length, 'a'));
    return all.join("\r\n");
}

// The database as a file and read back: what the file really holds of each cell.
QByteArray savedCell(Database &database, int field, int record)
{
    QBuffer file;
    file.open(QIODevice::ReadWrite);
    kribed::test::ScriptedPrompter prompter;
    if (!writeDatabase(file, database, 1, fixedNow(), prompter))
        return "not written";
    file.seek(0);
    Database read;
    if (readDatabase(file, QStringLiteral("/tmp/x.pdb"), read, prompter) != LoadResult::Loaded)
        return "not read";
    return read.cell(field, record);
}

} // namespace

class TestReplace : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void replaceAllTexts_data();
    void replaceAllTexts();
    void filterLimitsToShownRecords_data();
    void filterLimitsToShownRecords();
    void invalidExpressionChangesNothing();
    void cutAtLongestValue_data();
    void cutAtLongestValue();
    void cutWithLineBreaks_data();
    void cutWithLineBreaks();
    void stampsChangedRecordsOnly();
    void codePageReadsCellsAsShown_data();
    void codePageReadsCellsAsShown();
    void matchesInReadingOrder();
    void cellsLeavingTheirType_data();
    void cellsLeavingTheirType();
    void summaryTexts_data();
    void summaryTexts();
};

void TestReplace::replaceAllTexts_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<ReplaceSettings>("settings");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("replacements");
    QTest::addColumn<int>("records");

    const QByteArray rows = "Meier|meier street|x/Schmidt|Ameier|MEIER/none|no|nope";
    QTest::newRow("plain text ignores case, every occurrence")
        << QByteArray("a meier and MEIER|b|c")
        << plain(QStringLiteral("meier"), QStringLiteral("M")) << QByteArray("a M and M|b|c") << 1
        << 1;
    QTest::newRow("plain text counts cells in records")
        << rows << plain(QStringLiteral("meier"), QStringLiteral("Z"))
        << QByteArray("Z|Z street|x/Schmidt|AZ|Z/none|no|nope") << 4 << 2;
    QTest::newRow("match case keeps other cases")
        << rows
        << with(plain(QStringLiteral("meier"), QStringLiteral("Z")),
                [](ReplaceSettings &s) { s.matchCase = true; })
        << QByteArray("Meier|Z street|x/Schmidt|AZ|MEIER/none|no|nope") << 2 << 2;
    QTest::newRow("whole cell leaves cells that only hold the text")
        << rows
        << with(plain(QStringLiteral("meier"), QStringLiteral("Z")),
                [](ReplaceSettings &s) { s.wholeCell = true; })
        << QByteArray("Z|meier street|x/Schmidt|Ameier|Z/none|no|nope") << 2 << 2;
    QTest::newRow("one field only")
        << rows
        << with(plain(QStringLiteral("meier"), QStringLiteral("Z")),
                [](ReplaceSettings &s) { s.field = 2; })
        << QByteArray("Meier|Z street|x/Schmidt|AZ|MEIER/none|no|nope") << 2 << 2;
    QTest::newRow("selection only")
        << rows
        << with(plain(QStringLiteral("meier"), QStringLiteral("Z")),
                [](ReplaceSettings &s) {
                    s.selection = CellRange{2, 2, 3, 3};
                })
        << QByteArray("Meier|meier street|x/Schmidt|AZ|Z/none|no|nope") << 2 << 1;
    QTest::newRow("empty replacement removes the text")
        << QByteArray("no no|nono|on") << plain(QStringLiteral("no"), QString())
        << QByteArray(" ||on") << 2 << 1;
    QTest::newRow("empty search text finds nothing")
        << rows << plain(QString(), QStringLiteral("Z")) << rows << 0 << 0;
    QTest::newRow("a replacement that gives the same text is no change")
        << QByteArray("Meier|b|c") << plain(QStringLiteral("meier"), QStringLiteral("Meier"))
        << QByteArray("Meier|b|c") << 0 << 0;
    QTest::newRow("regular expression with references")
        << QByteArray("Meier, Hans|b|Schmidt, Eva")
        << with(plain(QStringLiteral("(\\w+), (\\w+)"), QStringLiteral("\\2 \\1")),
                [](ReplaceSettings &s) { s.regularExpression = true; })
        << QByteArray("Hans Meier|b|Eva Schmidt") << 2 << 1;
    QTest::newRow("regular expression ignores case unless asked")
        << QByteArray("ABC|abc|xyz")
        << with(plain(QStringLiteral("b+"), QStringLiteral("-")),
                [](ReplaceSettings &s) { s.regularExpression = true; })
        << QByteArray("A-C|a-c|xyz") << 2 << 1;
    QTest::newRow("regular expression with whole cell is anchored")
        << QByteArray("123|a123|123b")
        << with(plain(QStringLiteral("\\d+"), QStringLiteral("#")),
                [](ReplaceSettings &s) {
                    s.regularExpression = true;
                    s.wholeCell = true;
                })
        << QByteArray("#|a123|123b") << 1 << 1;
    QTest::newRow("a reference to no group stays text")
        << QByteArray("a|b|c")
        << with(plain(QStringLiteral("(a)"), QStringLiteral("[\\1\\2\\0\\x]")),
                [](ReplaceSettings &s) { s.regularExpression = true; })
        << QByteArray("[a\\2\\0\\x]|b|c") << 1 << 1;
    QTest::newRow("a second digit belongs to the reference only when that group exists")
        << QByteArray("ab|b|c")
        << with(plain(QStringLiteral("(a)(b)"), QStringLiteral("\\12-\\2")),
                [](ReplaceSettings &s) { s.regularExpression = true; })
        << QByteArray("a2-b|b|c") << 1 << 1;
    QTest::newRow("every match of an expression in a cell, empty ones too")
        << QByteArray("a1b22|x|c")
        << with(plain(QStringLiteral("\\d*"), QStringLiteral("<\\0>")),
                [](ReplaceSettings &s) { s.regularExpression = true; })
        // As Perl's s/\d*/<>/g: an empty match also right after a match.
        << QByteArray("<\\0>a<\\0><\\0>b<\\0><\\0>|<\\0>x<\\0>|<\\0>c<\\0>") << 3 << 1;
    QTest::newRow("plain text takes backslashes and dots literally")
        << QByteArray("a.b\\1|axb|c") << plain(QStringLiteral("."), QStringLiteral("\\1"))
        << QByteArray("a\\1b\\1|axb|c") << 1 << 1;
    QTest::newRow("accented letters ignore case too")
        << QByteArray("M\xDCLLER|m\xFCller|x")
        << plain(QString::fromUtf8("müller"), QStringLiteral("Mill")) << QByteArray("Mill|Mill|x")
        << 2 << 1;
    QTest::newRow("one letter in either case, at the ends too")
        << QByteArray("eEe xe|Xee|none") << plain(QStringLiteral("e"), QStringLiteral("E"))
        << QByteArray("EEE xE|XEE|nonE") << 3 << 1;
    QTest::newRow("one letter in long cells, beside bytes of the upper half")
        << QByteArray("\xE9"
                      "e\xC5"
                      "E\x7F"
                      "e\x80\xFF"
                      "eeeeeeeexyzEEe|"
                      "abcdefghijklmnopqrstuvwxyz0123456789e|\xE5\xC5"
                      "eEeEeEeE")
        << plain(QStringLiteral("e"), QStringLiteral("E"))
        << QByteArray("\xE9"
                      "E\xC5"
                      "E\x7F"
                      "E\x80\xFF"
                      "EEEEEEEExyzEEE|"
                      "abcdEfghijklmnopqrstuvwxyz0123456789E|\xE5\xC5"
                      "EEEEEEEE")
        << 3 << 1;
    QTest::newRow("one letter with its case, grown to a longer text")
        << QByteArray("eEe|ee|E")
        << with(plain(QStringLiteral("e"), QStringLiteral("<e>")),
                [](ReplaceSettings &s) { s.matchCase = true; })
        << QByteArray("<e>E<e>|<e><e>|E") << 2 << 1;
    QTest::newRow("one sign removed, the letter 32 after it left alone")
        << QByteArray("a@b@@c|`@`|@") << plain(QStringLiteral("@"), QString())
        << QByteArray("abc|``|") << 3 << 1;
    QTest::newRow("a cell of matches only, each made longer")
        << QByteArray("ababab|x|y") << plain(QStringLiteral("AB"), QStringLiteral("[ab]"))
        << QByteArray("[ab][ab][ab]|x|y") << 1 << 1;
    QTest::newRow("a letter already in the case it is given is no change")
        << QByteArray("EEEEEEEEE|xyz E|E") << plain(QStringLiteral("e"), QStringLiteral("E"))
        << QByteArray("EEEEEEEEE|xyz E|E") << 0 << 0;
    QTest::newRow("a letter given back as found, case kept, is no change")
        << QByteArray("eeeeeeeeee|e|x")
        << with(plain(QStringLiteral("e"), QStringLiteral("e")),
                [](ReplaceSettings &s) { s.matchCase = true; })
        << QByteArray("eeeeeeeeee|e|x") << 0 << 0;
    // Cells of 15 to 32 bytes: the letter first and last, and in the last bytes only.
    QTest::newRow("a letter at the ends of cells around sixteen bytes")
        << QByteArray("eabcdfghijklmnE|eabcdfghijklmnoE|eabcdfghijklmnopE/"
                      "eabcdfghijklmnopqrstuvwxyzABCDE|abcdfghijklmnopqrsEe|"
                      "eabcdfghijklmnopqrstuvwxyzABCDFE")
        << plain(QStringLiteral("e"), QStringLiteral("x"))
        << QByteArray("xabcdfghijklmnx|xabcdfghijklmnox|xabcdfghijklmnopx/"
                      "xabcdfghijklmnopqrstuvwxyzABCDx|abcdfghijklmnopqrsxx|"
                      "xabcdfghijklmnopqrstuvwxyzABCDFx")
        << 6 << 2;
    QTest::newRow("a text of its own size changes only the cells that differ")
        << QByteArray("Meier|meier|MEIER")
        << plain(QStringLiteral("meier"), QStringLiteral("Meier"))
        << QByteArray("Meier|Meier|Meier") << 2 << 1;
    QTest::newRow("a text of its own size that differs in a later match")
        << QByteArray("Meier and meier|Meier|x")
        << plain(QStringLiteral("meier"), QStringLiteral("Meier"))
        << QByteArray("Meier and Meier|Meier|x") << 1 << 1;
    // A CR is not stored; made a letter it is, and the cell is cut at the longest value.
    QTest::newRow("a CR made a letter counts towards the longest value")
        << QByteArray(3980, 'a') + QByteArray("\r\n").repeated(20) + "|b|c"
        << plain(QStringLiteral("\r"), QStringLiteral("x"))
        << QByteArray(3980, 'a') + QByteArray("x\n").repeated(10) + "|b|c" << 1 << 1;
    QTest::newRow("line breaks inside a cell are text like any other")
        << QByteArray("one\r\ntwo|b|c") << plain(QStringLiteral("\r\n"), QStringLiteral(" "))
        << QByteArray("one two|b|c") << 1 << 1;
}

void TestReplace::replaceAllTexts()
{
    QFETCH(QByteArray, rows);
    QFETCH(ReplaceSettings, settings);
    QFETCH(QByteArray, expected);
    QFETCH(int, replacements);
    QFETCH(int, records);

    const QList<QByteArray> rowList = rows.split('/');
    Database database = makeDatabase(threeStrings, rowList);
    const Regional regional = testRegional();
    CellReplacer replacer(settings, regional);
    QVERIFY(replacer.isValid());
    const QVector<Record> before = database.records(); // as the undo step keeps them
    const ReplaceCount count = replaceAll(database, replacer, settings, fixedNow(), regional);
    QCOMPARE(allRows(database), expected);
    QCOMPARE(count.replacements, replacements);
    QCOMPARE(count.records, records);
    QCOMPARE(database.isModified(), replacements > 0);

    // The records kept from before still hold their texts, every new text ends in a NUL as a
    // cell's bytes must, and a changed record takes a later edit.
    QByteArrayList keptRows;
    for (const Record &record : before)
        keptRows.append(record.toList().join('|'));
    QCOMPARE(keptRows, rowList);
    for (int record = 1; record <= database.recordCount(); ++record) {
        for (int field = 1; field <= database.fieldCount(); ++field) {
            const QByteArray cell = database.cell(field, record);
            QVERIFY(cell.constData()[cell.size()] == '\0');
        }
    }
    const QByteArray second = database.cell(2, 1);
    database.setCell(1, 1, "later");
    QCOMPARE(database.cell(1, 1), QByteArray("later"));
    QCOMPARE(database.cell(2, 1), second);
}

void TestReplace::filterLimitsToShownRecords_data()
{
    QTest::addColumn<bool>("includeHidden");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("hiddenRecords");

    QTest::newRow("shown records only") << false << QByteArray("Z|b|c/a|b|c/Z|b|c/a|b|c") << 2 << 0;
    QTest::newRow("hidden records included")
        << true << QByteArray("Z|b|c/Z|b|c/Z|b|c/Z|b|c") << 4 << 2;
}

void TestReplace::filterLimitsToShownRecords()
{
    QFETCH(bool, includeHidden);
    QFETCH(QByteArray, expected);
    QFETCH(int, records);
    QFETCH(int, hiddenRecords);

    Database database = makeDatabase(threeStrings, {"a|b|c", "a|b|c", "a|b|c", "a|b|c"});
    database.setHidden(2, true);
    database.setHidden(4, true);
    ReplaceSettings settings = plain(QStringLiteral("a"), QStringLiteral("Z"));
    settings.includeHidden = includeHidden;
    const Regional regional = testRegional();
    CellReplacer replacer(settings, regional);
    // A hidden record is never a match to go to unless hidden ones take part.
    const std::optional<GridCell> found =
        findReplaceMatch(database, replacer, settings, {1, 2}, {3, 2});
    QCOMPARE(found.has_value(), includeHidden);
    const ReplaceCount count = replaceAll(database, replacer, settings, fixedNow(), regional);
    QCOMPARE(allRows(database), expected);
    QCOMPARE(count.records, records);
    QCOMPARE(count.hiddenRecords, hiddenRecords);
}

void TestReplace::invalidExpressionChangesNothing()
{
    Database database = makeDatabase(threeStrings, {"a(b|c|d"});
    ReplaceSettings settings = plain(QStringLiteral("a(b"), QStringLiteral("x"));
    settings.regularExpression = true;
    const Regional regional = testRegional();
    CellReplacer replacer(settings, regional);
    QVERIFY(!replacer.isValid());
    QVERIFY(!replacer.errorText().isEmpty());
    QVERIFY(replaceAll(database, replacer, settings, fixedNow(), regional).isEmpty());
    QCOMPARE(allRows(database), QByteArray("a(b|c|d"));
    QVERIFY(!database.isModified());
    // The same text without the expression is a plain text.
    settings.regularExpression = false;
    CellReplacer literal(settings, regional);
    QVERIFY(literal.isValid());
    QCOMPARE(replaceAll(database, literal, settings, fixedNow(), regional).replacements, 1);
    QCOMPARE(allRows(database), QByteArray("x|c|d"));
}

void TestReplace::cutAtLongestValue_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("expectedSize");
    QTest::addColumn<int>("cutCells");

    QTest::newRow("fits exactly") << QByteArray("windows-1252") << QStringLiteral("yy") << 4000
                                  << 0;
    QTest::newRow("one byte too long is cut")
        << QByteArray("windows-1252") << QStringLiteral("yyy") << 4000 << 1;
    // Two bytes per character: the cut never leaves half a character.
    QTest::newRow("several-byte code page cuts whole characters")
        << QByteArray("Shift_JIS") << QString::fromUtf8("y日") << 3999 << 1;
}

void TestReplace::cutAtLongestValue()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QString, replacement);
    QFETCH(int, expectedSize);
    QFETCH(int, cutCells);

    // 3998 bytes and one "x" to replace: "yy" makes 4000, one more is past the limit.
    Database database = makeDatabase(threeStrings, {"a|b|c"});
    database.setCell(1, 1, QByteArray(3998, 'a') + 'x');
    ReplaceSettings settings = plain(QStringLiteral("x"), replacement);
    const Regional regional = testRegional(codePage);
    CellReplacer replacer(settings, regional);
    const ReplaceCount count = replaceAll(database, replacer, settings, fixedNow(), regional);
    QCOMPARE(count.replacements, 1);
    QCOMPARE(count.cutCells, cutCells);
    QCOMPARE(database.cell(1, 1).size(), expectedSize);
    QVERIFY(database.cell(1, 1).startsWith(QByteArray(3998, 'a') + 'y'));
    QCOMPARE(replaceSummary(count).contains(QStringLiteral("cut")), cutCells > 0);
}

void TestReplace::cutWithLineBreaks_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArray>("cell"); // its "x" is replaced
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray western = "windows-1252";
    // 750 lines of four letters: 3749 bytes in the file, 4498 in the cell.
    const QByteArray longLines = lines(750, 4);
    QTest::newRow("3751 saved bytes in 750 lines stay whole")
        << western << longLines + 'x' << QStringLiteral("yz") << longLines + "yz";
    QTest::newRow("4000 saved bytes with line breaks stay whole")
        << western << longLines + QByteArray(249, 'a') + 'x' << QStringLiteral("yz")
        << longLines + QByteArray(249, 'a') + "yz";
    QTest::newRow("4001 saved bytes with line breaks lose the last")
        << western << longLines + QByteArray(250, 'a') + 'x' << QStringLiteral("yz")
        << longLines + QByteArray(250, 'a') + 'y';
    QTest::newRow("3999 saved bytes without line breaks stay whole")
        << western << QByteArray(3997, 'a') + 'x' << QStringLiteral("yz")
        << QByteArray(3997, 'a') + "yz";
    QTest::newRow("4000 saved bytes without line breaks stay whole")
        << western << QByteArray(3998, 'a') + 'x' << QStringLiteral("yz")
        << QByteArray(3998, 'a') + "yz";
    QTest::newRow("4001 saved bytes without line breaks lose the last")
        << western << QByteArray(3999, 'a') + 'x' << QStringLiteral("yz")
        << QByteArray(3999, 'a') + 'y';
    QTest::newRow("a line break that is the 4000th saved byte stays with its CR")
        << western << QByteArray(3997, 'a') + "x\r\nb" << QStringLiteral("yz")
        << QByteArray(3997, 'a') + "yz\r\n";
    QTest::newRow("a line break past the limit goes with its CR")
        << western << QByteArray(3998, 'a') + "x\r\nb" << QStringLiteral("yz")
        << QByteArray(3998, 'a') + "yz";
    // Shift_JIS stores each of these characters in two bytes.
    QTest::newRow("a character of two bytes across the limit goes whole")
        << QByteArray("Shift_JIS") << QByteArray(3997, 'a') + 'x' << QString::fromUtf8("日本")
        << QByteArray(3997, 'a') + "\x93\xfa";
    QTest::newRow("a character of two bytes after line breaks")
        << QByteArray("Shift_JIS") << longLines + QByteArray(248, 'a') + 'x'
        << QString::fromUtf8("日本") << longLines + QByteArray(248, 'a') + "\x93\xfa";
    QTest::newRow("4000 saved bytes of two-byte characters stay whole")
        << QByteArray("Shift_JIS") << QByteArray(3996, 'a') + 'x' << QString::fromUtf8("日本")
        << QByteArray(3996, 'a') + "\x93\xfa\x96\x7b";
}

void TestReplace::cutWithLineBreaks()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArray, cell);
    QFETCH(QString, replacement);
    QFETCH(QByteArray, expected);

    Database database = makeDatabase(threeStrings, {"a|b|c"});
    database.setCell(1, 1, cell);
    const ReplaceSettings settings = plain(QStringLiteral("x"), replacement);
    const Regional regional = testRegional(codePage);
    CellReplacer replacer(settings, regional);
    const ReplaceCount count = replaceAll(database, replacer, settings, fixedNow(), regional);
    QCOMPARE(count.replacements, 1);
    QCOMPARE(database.cell(1, 1), expected);
    // Cut only when the replaced text ends before the replacement does.
    const QByteArray whole = QByteArray(cell).replace(
        "x", QByteArray(QStringEncoder(codePage.constData()).encode(replacement)));
    QCOMPARE(count.cutCells, expected == whole ? 0 : 1);
    // The file holds all of it: the save cuts nothing more.
    QCOMPARE(savedCell(database, 1, 1), expected);
}

void TestReplace::stampsChangedRecordsOnly()
{
    Database database =
        makeDatabase({StringType, ModificationDateType, ModificationTimeType},
                     {"old|1/1/2000|1:00:00 AM", "keep|1/1/2000|1:00:00 AM", "old|old|1:00:00 AM"});
    const Regional regional = testRegional();
    const QByteArray date = regional.dateText(fixedNow().date());
    const QByteArray time = regional.timeText(fixedNow().time());
    ReplaceSettings settings = plain(QStringLiteral("old"), QStringLiteral("new"));
    CellReplacer replacer(settings, regional);
    replaceAll(database, replacer, settings, fixedNow(), regional);
    QCOMPARE(database.cell(1, 1), QByteArray("new"));
    QCOMPARE(database.cell(2, 1), date);
    QCOMPARE(database.cell(3, 1), time);
    // An unchanged record keeps its stamps.
    QCOMPARE(database.cell(2, 2), QByteArray("1/1/2000"));
    // A replacement in the Modification Date cell itself stays, as the cell editor keeps it.
    QCOMPARE(database.cell(2, 3), QByteArray("new"));
    QCOMPARE(database.cell(3, 3), time);

    // One cell: the same stamp.
    Database single = makeDatabase({StringType, ModificationDateType}, {"old|x"});
    const ReplaceCount count = replaceCell(single, replacer, 1, 1, fixedNow(), regional);
    QCOMPARE(count.replacements, 1);
    QCOMPARE(single.cell(2, 1), date);
    QVERIFY(replaceCell(single, replacer, 1, 1, fixedNow(), regional).isEmpty());
}

void TestReplace::codePageReadsCellsAsShown_data()
{
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArray>("cell");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<QByteArray>("expected");

    // 0xC4 is Ä in Western, Д in Cyrillic.
    QTest::newRow("cyrillic cell read through its page")
        << QByteArray("windows-1251") << QByteArray("\xC4\xE0") << QString::fromUtf8("да")
        << QStringLiteral("ok") << QByteArray("ok");
    QTest::newRow("the same bytes are other letters in Western")
        << QByteArray("windows-1252") << QByteArray("\xC4\xE0") << QString::fromUtf8("да")
        << QStringLiteral("ok") << QByteArray("\xC4\xE0");
    QTest::newRow("a character the page lacks becomes a question mark")
        << QByteArray("windows-1252") << QByteArray("tick") << QStringLiteral("tick")
        << QString::fromUtf8("✓") << QByteArray("?");
    // In Shift_JIS the second byte of a character may be an ASCII byte ('\\' is 0x5C).
    QTest::newRow("a second byte of a character is no ASCII letter")
        << QByteArray("Shift_JIS") << QByteArray("\x95\x5C") << QStringLiteral("\\")
        << QStringLiteral("/") << QByteArray("\x95\x5C");
}

void TestReplace::codePageReadsCellsAsShown()
{
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArray, cell);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(QByteArray, expected);

    Database database = makeDatabase(threeStrings, {"a|b|c"});
    database.setCell(1, 1, cell);
    const Regional regional = testRegional(codePage);
    const ReplaceSettings settings = plain(find, replacement);
    CellReplacer replacer(settings, regional);
    replaceAll(database, replacer, settings, fixedNow(), regional);
    QCOMPARE(database.cell(1, 1), expected);
}

void TestReplace::matchesInReadingOrder()
{
    const Database database = makeDatabase(threeStrings, {"x|a|x", "a|a|a", "x|x|a"});
    const ReplaceSettings settings = plain(QStringLiteral("x"), QString());
    const Regional regional = testRegional();
    CellReplacer replacer(settings, regional);
    QList<GridCell> found;
    GridCell from{1, 1};
    while (const std::optional<GridCell> cell =
               findReplaceMatch(database, replacer, settings, from, {3, 3})) {
        found << *cell;
        from =
            cell->column == 3 ? GridCell{1, cell->row + 1} : GridCell{cell->column + 1, cell->row};
    }
    QCOMPARE(found, (QList<GridCell>{{1, 1}, {3, 1}, {1, 3}, {2, 3}}));
    // The end of the search is part of it, the cells after are not.
    const std::optional<GridCell> last =
        findReplaceMatch(database, replacer, settings, {2, 1}, {3, 1});
    QVERIFY(last.has_value());
    QCOMPARE(*last, (GridCell{3, 1}));
    QVERIFY(!findReplaceMatch(database, replacer, settings, {2, 1}, {2, 1}).has_value());
    QVERIFY(!findReplaceMatch(database, replacer, settings, {2, 2}, {3, 2}).has_value());
}

void TestReplace::cellsLeavingTheirType_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("row"); // String, Date, Time, Boolean, Integer, Float, Popup
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("leaving");

    const QString us = QStringLiteral("en_US");
    const QString german = QStringLiteral("de_DE");
    QTest::newRow("1 to yes leaves every typed field but text and popups")
        << us << QByteArray("1|3/14/2019|1:01:00 PM|1|1|1.5|1") << "1"
        << "yes" << 5;
    QTest::newRow("a change that still reads is no loss")
        << us << QByteArray("1|3/14/2019|1:01:00 PM|0|12|1.5|x") << "1"
        << "2" << 0;
    QTest::newRow("emptied cells still read")
        << us << QByteArray("a|3/14/2019|1:01:00 PM|1|1|1.5|x") << "^.*$"
        << "" << 0;
    QTest::newRow("a cell that did not read before is not counted")
        << us << QByteArray("1|14.03.2019|x|2|a1|b1|1") << "1"
        << "yes" << 0;
    QTest::newRow("the database's formats read the dates: German")
        << german << QByteArray("1|14.03.2019|13:01:00|1|1|1,5|1") << "1"
        << "yes" << 5;
    QTest::newRow("German: a decimal point is no longer a number")
        << german << QByteArray("x|14.03.2019|13:01:00|1|15|1,5|x") << ","
        << "." << 1;
}

void TestReplace::cellsLeavingTheirType()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, row);
    QFETCH(QString, find);
    QFETCH(QString, replacement);
    QFETCH(int, leaving);

    Database database = makeDatabase({StringType, NormalDateType, NormalTimeType, BooleanType,
                                      NormalIntegerType, FloatType, NormalPopupType},
                                     {row});
    const Regional regional(QLocale(locale), "windows-1252");
    ReplaceSettings settings = plain(find, replacement);
    settings.regularExpression = find.startsWith(u'^');
    CellReplacer replacer(settings, regional);
    // Asked before the change with the same count the summary gives after it.
    QCOMPARE(countCellsLeavingType(database, replacer, settings, regional), leaving);
    QCOMPARE(allRows(database), row);
    const ReplaceCount count = replaceAll(database, replacer, settings, fixedNow(), regional);
    QCOMPARE(count.untypedCells, leaving);
    QCOMPARE(replaceSummary(count).contains(QStringLiteral("field's type")), leaving > 0);
    // A field chosen alone: only its cells count.
    Database again = makeDatabase({StringType, NormalDateType}, {"1|3/14/2019"});
    settings = plain(QStringLiteral("1"), QStringLiteral("yes"));
    settings.field = 1;
    const Regional usRegional = testRegional();
    CellReplacer first(settings, usRegional);
    QCOMPARE(countCellsLeavingType(again, first, settings, usRegional), 0);
}

void TestReplace::summaryTexts_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<int>("replacements");
    QTest::addColumn<int>("records");
    QTest::addColumn<int>("hidden");
    QTest::addColumn<int>("cut");
    QTest::addColumn<int>("untyped");
    QTest::addColumn<QString>("expected");

    const QString en = QStringLiteral("en");
    QTest::newRow("plain") << en << 12 << 9 << 0 << 0 << 0
                           << QStringLiteral("12 replacements in 9 records.");
    QTest::newRow("none") << en << 0 << 0 << 0 << 0 << 0
                          << QStringLiteral("0 replacements in 0 records.");
    QTest::newRow("hidden named apart")
        << en << 5 << 4 << 2 << 0 << 0
        << QStringLiteral("5 replacements in 4 records. 2 of these records are hidden by the "
                          "filter.");
    QTest::newRow("cut cells said")
        << en << 2 << 2 << 0 << 2 << 0
        << QStringLiteral("2 replacements in 2 records. 2 cells were cut at the longest value a "
                          "record holds (4000 bytes).");
    QTest::newRow("one of each: singular forms")
        << en << 1 << 1 << 1 << 1 << 1
        << QStringLiteral("1 replacement in 1 record. 1 of these records is hidden by the "
                          "filter. 1 cell was cut at the longest value a record holds (4000 "
                          "bytes). 1 cell no longer reads as its field's type.");
    QTest::newRow("German: singular forms")
        << QStringLiteral("de") << 1 << 1 << 1 << 1 << 1
        << QString::fromUtf8("1 Ersetzung in 1 Datensatz. 1 dieser Datensätze ist durch den "
                             "Filter ausgeblendet. 1 Zelle wurde auf den längsten Wert gekürzt, "
                             "den ein Datensatz aufnehmen kann (4000 Bytes). 1 Zelle lässt sich "
                             "nicht mehr als Typ ihres Feldes lesen.");
    QTest::newRow("German: plural forms")
        << QStringLiteral("de") << 3 << 2 << 0 << 0 << 2
        << QString::fromUtf8("3 Ersetzungen in 2 Datensätzen. 2 Zellen lassen sich nicht mehr "
                             "als Typ ihres Feldes lesen.");
}

void TestReplace::summaryTexts()
{
    QFETCH(QString, language);
    QFETCH(int, replacements);
    QFETCH(int, records);
    QFETCH(int, hidden);
    QFETCH(int, cut);
    QFETCH(int, untyped);
    QFETCH(QString, expected);
    // The program installs its catalogue at start, the English one too (its plural forms).
    QTranslator translator;
    QVERIFY(translator.load(QStringLiteral("kribed_") + language, QStringLiteral(":/i18n")));
    QCoreApplication::installTranslator(&translator);
    ReplaceCount count;
    count.replacements = replacements;
    count.records = records;
    count.hiddenRecords = hidden;
    count.cutCells = cut;
    count.untypedCells = untyped;
    const QString summary = replaceSummary(count);
    QCoreApplication::removeTranslator(&translator);
    QCOMPARE(summary, expected);
}

QTEST_GUILESS_MAIN(TestReplace)
#include "tst_replace.moc"
