// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/regional.h"

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstring>

using namespace kribed;

namespace {

// Python's float() is correctly rounded: it gives the double nearest to a decimal text. Each
// input line is a text in Python's form; each output line the double's bits, or "none" where no
// finite double holds the value.
const char PythonFloats[] = R"(
import struct, sys
for line in sys.stdin.read().split('\n')[:-1]:
    value = float(line)
    print('none' if value != value or abs(value) == float('inf') else struct.pack('>d', value).hex())
)";

QStringList pythonBits(const QByteArrayList &texts)
{
    QProcess python;
    const QString interpreter = QFile::exists(QStringLiteral("/usr/bin/python3"))
                                    ? QStringLiteral("/usr/bin/python3")
                                    : QStringLiteral("python3");
    python.start(interpreter, {QStringLiteral("-c"), QString::fromLatin1(PythonFloats)});
    if (!python.waitForStarted(30000))
        return {};
    python.write(texts.join('\n') + '\n');
    python.closeWriteChannel();
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        qWarning().noquote() << python.readAllStandardError();
        return {};
    }
    return QString::fromLatin1(python.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
}

QString bitsOf(std::optional<double> value)
{
    if (!value)
        return QStringLiteral("none");
    quint64 bits = 0;
    std::memcpy(&bits, &*value, sizeof bits);
    return QStringLiteral("%1").arg(bits, 16, 16, QLatin1Char('0'));
}

QByteArray digits(QRandomGenerator &random, int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += char('0' + random.bounded(10));
    return text;
}

// The shapes of decimal texts that reach the reader: amounts, long digit runs that need more
// than a double's 15 digits, and exponents out to the edges of the double's range.
enum class Shape { Amount, LongDigits, Exponent, Grouped };

// A random text in the cell's form under the locale, and the same number in Python's form.
std::pair<QByteArray, QByteArray> randomText(QRandomGenerator &random, Shape shape, char decimal,
                                             char group)
{
    QByteArray whole;
    QByteArray fraction;
    QByteArray exponent;
    switch (shape) {
    case Shape::Amount:
        whole = digits(random, random.bounded(0, 13));
        fraction = digits(random, random.bounded(1, 13));
        break;
    case Shape::LongDigits:
        whole = digits(random, random.bounded(1, 20));
        fraction = digits(random, random.bounded(0, 20));
        break;
    case Shape::Exponent:
        whole = digits(random, random.bounded(1, 4));
        fraction = digits(random, random.bounded(0, 18));
        exponent = 'e' + QByteArray::number(random.bounded(-345, 320));
        break;
    case Shape::Grouped:
        whole = QByteArray::number(random.bounded(1, 1000));
        fraction = digits(random, random.bounded(0, 10));
        break;
    }
    if (whole.isEmpty() && fraction.isEmpty())
        whole = "0";
    QByteArray shownWhole = whole;
    if (shape == Shape::Grouped) {
        for (int groups = random.bounded(1, 6); groups > 0; --groups) {
            const QByteArray next = digits(random, 3);
            shownWhole += group + next;
            whole += next;
        }
    }
    const QByteArray sign = QByteArrayList{"", "", "-", "+"}.at(random.bounded(4));
    const QByteArray blanks = random.bounded(8) == 0 ? " " : "";
    const bool separator = !fraction.isEmpty() || random.bounded(2) == 0;
    const QByteArray cell = blanks + sign + shownWhole + (separator ? QByteArray(1, decimal) : "")
                            + fraction + exponent + blanks;
    const QByteArray python =
        sign + (whole.isEmpty() ? "0" : whole) + (separator ? "." : "") + fraction + exponent;
    return {cell, python};
}

} // namespace

class TestNumberReading : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nearestDoubleAsPythonReads_data();
    void nearestDoubleAsPythonReads();
    void groupedAmounts_data();
    void groupedAmounts();
};

void TestNumberReading::nearestDoubleAsPythonReads_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("shape");
    QTest::addColumn<quint32>("seed");

    QTest::newRow("German amounts") << "de_DE" << int(Shape::Amount) << 37u;
    QTest::newRow("American amounts") << "en_US" << int(Shape::Amount) << 38u;
    QTest::newRow("German long digits") << "de_DE" << int(Shape::LongDigits) << 39u;
    QTest::newRow("American long digits") << "en_US" << int(Shape::LongDigits) << 40u;
    QTest::newRow("German exponents") << "de_DE" << int(Shape::Exponent) << 41u;
    QTest::newRow("American exponents") << "en_US" << int(Shape::Exponent) << 42u;
    QTest::newRow("German grouped amounts") << "de_DE" << int(Shape::Grouped) << 43u;
    QTest::newRow("American grouped amounts") << "en_US" << int(Shape::Grouped) << 44u;
}

// Every reading of a cell text as a double is the double nearest to its value, bit for bit what
// Python's float() makes of the same number, over many random texts.
void TestNumberReading::nearestDoubleAsPythonReads()
{
    QFETCH(QString, locale);
    QFETCH(int, shape);
    QFETCH(quint32, seed);

    const Regional regional{QLocale(locale)};
    const char group = regional.locale().groupSeparator().at(0).toLatin1();
    QRandomGenerator random(seed);
    QByteArrayList cells;
    QByteArrayList pythonTexts;
    constexpr int Count = 4000;
    for (int i = 0; i < Count; ++i) {
        const auto [cell, python] =
            randomText(random, Shape(shape), regional.decimalSeparator(), group);
        cells.append(cell);
        pythonTexts.append(python);
    }
    const QStringList expected = pythonBits(pythonTexts);
    QVERIFY2(expected.size() == Count, "python3 did not read the texts");
    int differing = 0;
    QString first;
    for (int i = 0; i < Count; ++i) {
        const QString bits = bitsOf(regional.readDouble(cells.at(i)));
        if (bits != expected.at(i) && differing++ == 0)
            first = QStringLiteral("\"%1\": %2, Python %3")
                        .arg(QString::fromLatin1(cells.at(i)), bits, expected.at(i));
    }
    QVERIFY2(differing == 0,
             qPrintable(
                 QStringLiteral("%1 of %2 differ, first %3").arg(differing).arg(Count).arg(first)));
}

void TestNumberReading::groupedAmounts_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QByteArray>("codePage");
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("reads");
    QTest::addColumn<double>("value");

    const auto row = [&](const char *name, const char *locale, const QByteArray &text, bool reads,
                         double value, const QByteArray &codePage = "windows-1252") {
        QTest::newRow(name) << QString::fromLatin1(locale) << codePage << text << reads << value;
    };
    row("German amount", "de_DE", "1.731,07", true, 1731.07);
    row("German millions", "de_DE", "-1.234.567,89", true, -1234567.89);
    row("German whole thousands", "de_DE", "1.500", true, 1500);
    row("German grouped with blanks and sign", "de_DE", " +12.345 ", true, 12345);
    row("German grouped with exponent", "de_DE", "1.234,5e2", true, 123450);
    row("German group before a bare separator", "de_DE", "1.234,", true, 1234);
    row("German group of two", "de_DE", "1.73,07", false, 0);
    row("German group of four", "de_DE", "1.2345,6", false, 0);
    row("German first group of four", "de_DE", "1234.567", false, 0);
    row("German last group of two", "de_DE", "1.234.56", false, 0);
    row("German leading zero group", "de_DE", "0.123", false, 0);
    row("German separator first", "de_DE", ".123", false, 0);
    row("German two separators together", "de_DE", "1..234", false, 0);
    row("German separator last", "de_DE", "1.234.", false, 0);
    row("German group after the decimal comma", "de_DE", "1,234.567", false, 0);
    row("German grouping by commas", "de_DE", "1,234,567", false, 0);
    row("German blank is no separator", "de_DE", "1 234", false, 0);
    row("US millions", "en_US", "1,234,567.89", true, 1234567.89);
    row("US whole thousands", "en_US", "1,500", true, 1500);
    row("US point stays the decimal", "en_US", "1.500", true, 1.5);
    row("US group of two", "en_US", "1,23.5", false, 0);
    row("US German amount", "en_US", "1.731,07", false, 0);
    row("US negative grouped", "en_US", "-12,345", true, -12345);
    row("French typed blanks", "fr_FR", "1 234 567,5", true, 1234567.5);
    row("French blank group of two", "fr_FR", "1 23,5", false, 0);
    row("French trailing blank is no group", "fr_FR", "1234 ", true, 1234);
    row("Swedish no-break space", "sv_SE",
        "12\xa0"
        "345,5",
        true, 12345.5);
    row("Swiss typed apostrophe", "de_CH", "1'234.50", true, 1234.5);
    row("Swiss typographic apostrophe", "de_CH",
        "1\x92"
        "234.50",
        true, 1234.5);
    row("Swiss apostrophe in Cyrillic code page", "de_CH", "1'234.50", true, 1234.5,
        "windows-1251");
    row("C locale writes no groups", "C", "1,234", false, 0);
}

// Grouped digits read where the group separator stands in valid places only, in the database's
// formats and code page; the value is the digits' without the separators.
void TestNumberReading::groupedAmounts()
{
    QFETCH(QString, locale);
    QFETCH(QByteArray, codePage);
    QFETCH(QByteArray, text);
    QFETCH(bool, reads);
    QFETCH(double, value);

    const Regional regional(locale == QLatin1String("C") ? QLocale::c() : QLocale(locale),
                            codePage);
    const std::optional<long double> number = regional.readNumber(text);
    const std::optional<double> nearest = regional.readDouble(text);
    QCOMPARE(number.has_value(), reads);
    QCOMPARE(nearest.has_value(), reads);
    if (reads) {
        QCOMPARE(double(*number), value);
        QCOMPARE(*nearest, value);
    }
}

QTEST_GUILESS_MAIN(TestNumberReading)
#include "tst_number_reading.moc"
