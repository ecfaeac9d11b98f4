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

QTEST_GUILESS_MAIN(TestNumberReading)
#include "tst_number_reading.moc"
