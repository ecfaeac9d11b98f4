// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/formats_check.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>
#include <array>

namespace kribed {

namespace {

std::optional<FormatKind> kindOfType(int typeIndex)
{
    if (isNumberType(typeIndex))
        return FormatKind::Number;
    if (isDateType(typeIndex))
        return FormatKind::Date;
    if (isTimeType(typeIndex))
        return FormatKind::Time;
    return std::nullopt;
}

bool isBlank(QByteArrayView text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

// Two locales whose rules for a kind agree read every cell of that kind alike: the key says what
// a reading depends on, so each distinct rule reads the sample once.
QString ruleKey(FormatKind kind, const Regional &regional)
{
    const QLocale &locale = regional.locale();
    switch (kind) {
    case FormatKind::Number: {
        const DigitGrouping &grouping = regional.digitGrouping();
        return QString::fromLatin1(QByteArray(1, regional.decimalSeparator()) + grouping.separator
                                   + grouping.alternative + char('0' + grouping.primary)
                                   + char('0' + grouping.secondary));
    }
    case FormatKind::Date: {
        const QString format = locale.dateFormat(QLocale::ShortFormat);
        // Month and day names are the locale's own words.
        const bool named =
            format.contains(QLatin1String("MMM")) || format.contains(QLatin1String("ddd"));
        return format + u'|' + (named ? locale.name() : QString());
    }
    case FormatKind::Time:
        return locale.timeFormat(QLocale::LongFormat) + u'|'
               + locale.timeFormat(QLocale::ShortFormat) + u'|' + locale.amText() + u'|'
               + locale.pmText();
    }
    return {};
}

// The characters besides digits and blanks that a text may hold to read under formats made of
// numbers and separators only; none when a format has names, AM/PM or quoted text, which only the
// parser can judge. A text with any other character cannot read, so the parser, by far the
// dearest step of the check, never sees it.
std::optional<QString> numericSeparators(const QStringList &formats)
{
    QString separators;
    for (const QString &format : formats) {
        for (qsizetype i = 0; i < format.size(); ++i) {
            const QChar c = format.at(i);
            if (c == u'\'' || (c.isLetter() && !QStringView(u"dMyHhmsz").contains(c)))
                return std::nullopt;
            // Three or more d or M are day and month names.
            if ((c == u'd' || c == u'M') && format.mid(i, 3) == QString(3, c))
                return std::nullopt;
            if (!c.isLetter() && !separators.contains(c))
                separators += c;
        }
    }
    return separators;
}

bool mayRead(QByteArrayView text, const QString &separators)
{
    for (const char c : text) {
        const bool plain = (c >= '0' && c <= '9') || c == ' ' || uchar(c) >= 0x80
                           || separators.contains(QLatin1Char(c));
        if (!plain)
            return false;
    }
    return true;
}

std::optional<QString> separatorsOf(FormatKind kind, const Regional &regional)
{
    const QLocale &locale = regional.locale();
    switch (kind) {
    case FormatKind::Number: return std::nullopt;
    case FormatKind::Date:
        return numericSeparators(
            {regional.shortDateFormat(), locale.dateFormat(QLocale::ShortFormat)});
    case FormatKind::Time:
        return numericSeparators(
            {regional.longTimeFormat(), locale.timeFormat(QLocale::ShortFormat)});
    }
    return std::nullopt;
}

constexpr std::array<FormatKind, 3> Kinds = {FormatKind::Number, FormatKind::Date,
                                             FormatKind::Time};

// The sample's readings under one set of rules, by kind, reusing what an equal rule read before.
class SampleReader
{
public:
    SampleReader(const Database &database, const QList<FormatCell> &sample)
        : mDatabase(database)
        , mSample(sample)
    {
    }

    int readable(const Regional &regional)
    {
        int total = 0;
        for (const FormatKind kind : Kinds) {
            const QString key = QString::number(int(kind)) + ruleKey(kind, regional);
            auto known = mKnown.constFind(key);
            if (known == mKnown.cend())
                known = mKnown.insert(key, readableOfKind(kind, regional));
            total += *known;
        }
        return total;
    }

private:
    int readableOfKind(FormatKind kind, const Regional &regional) const
    {
        const std::optional<QString> separators = separatorsOf(kind, regional);
        int count = 0;
        for (const FormatCell &cell : mSample) {
            if (cell.kind != kind
                || (separators
                    && !mayRead(mDatabase.cellView(cell.field, cell.record), *separators)))
                continue;
            count += cellReads(mDatabase, cell, regional) ? 1 : 0;
        }
        return count;
    }

    const Database &mDatabase;
    const QList<FormatCell> &mSample;
    QHash<QString, int> mKnown;
};

QStringList examplesOf(const Database &database, const QList<FormatCell> &sample,
                       const Regional &desktop, const Regional &suggested)
{
    QStringList examples;
    for (const FormatKind kind : Kinds) {
        for (const FormatCell &cell : sample) {
            if (cell.kind == kind && cellReads(database, cell, suggested)
                && !cellReads(database, cell, desktop)) {
                examples << desktop.toText(database.cellView(cell.field, cell.record)).trimmed();
                break;
            }
        }
    }
    return examples;
}

} // namespace

const QList<QLocale> &offeredFormatLocales()
{
    static const QList<QLocale> locales = [] {
        QList<QLocale> list;
        for (const char *name :
             {"en_US", "en_GB", "de_DE", "de_CH", "fr_FR", "it_IT", "es_ES", "nl_NL", "sv_SE",
              "fi_FI", "pl_PL", "cs_CZ", "ru_RU", "ja_JP", "ko_KR", "zh_CN", "zh_TW", "pt_BR"})
            list << QLocale(QString::fromLatin1(name));
        return list;
    }();
    return locales;
}

// The names formatsName() gives the offered formats, for translation: the toolkit names
// languages and countries in English only.
[[maybe_unused]] const char *const OfferedFormatsNames[] = {
    QT_TRANSLATE_NOOP("FormatsNames", "English"),
    QT_TRANSLATE_NOOP("FormatsNames", "English (United Kingdom)"),
    QT_TRANSLATE_NOOP("FormatsNames", "German"),
    QT_TRANSLATE_NOOP("FormatsNames", "German (Switzerland)"),
    QT_TRANSLATE_NOOP("FormatsNames", "French"),
    QT_TRANSLATE_NOOP("FormatsNames", "Italian"),
    QT_TRANSLATE_NOOP("FormatsNames", "Spanish"),
    QT_TRANSLATE_NOOP("FormatsNames", "Dutch"),
    QT_TRANSLATE_NOOP("FormatsNames", "Swedish"),
    QT_TRANSLATE_NOOP("FormatsNames", "Finnish"),
    QT_TRANSLATE_NOOP("FormatsNames", "Polish"),
    QT_TRANSLATE_NOOP("FormatsNames", "Czech"),
    QT_TRANSLATE_NOOP("FormatsNames", "Russian"),
    QT_TRANSLATE_NOOP("FormatsNames", "Japanese"),
    QT_TRANSLATE_NOOP("FormatsNames", "Korean"),
    QT_TRANSLATE_NOOP("FormatsNames", "Chinese"),
    QT_TRANSLATE_NOOP("FormatsNames", "Chinese (Taiwan)"),
    QT_TRANSLATE_NOOP("FormatsNames", "Portuguese"),
};

QString formatsName(const QLocale &locale)
{
    const QString language = QLocale::languageToString(locale.language());
    const QString english = QLocale(locale.language()).territory() == locale.territory()
                                ? language
                                : QStringLiteral("%1 (%2)").arg(
                                    language, QLocale::territoryToString(locale.territory()));
    // Names outside the list above stay as the toolkit gives them.
    return QCoreApplication::translate("FormatsNames", english.toUtf8().constData());
}

QList<FormatCell> sampleFormatCells(const Database &database, int perKind, int recordLimit)
{
    QList<std::pair<int, FormatKind>> fields;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        if (const std::optional<FormatKind> kind = kindOfType(database.fieldType(field)))
            fields.append({field, *kind});
    }
    QList<FormatCell> sample;
    std::array<int, 3> taken{};
    const int records = std::min(database.recordCount(), recordLimit);
    for (int record = 1; record <= records && !fields.isEmpty(); ++record) {
        for (const auto &[field, kind] : fields) {
            int &count = taken[size_t(kind)];
            if (count < perKind && !isBlank(database.cellView(field, record))) {
                sample.append({kind, field, record});
                ++count;
            }
        }
        if (std::all_of(taken.begin(), taken.end(), [perKind](int n) { return n >= perKind; }))
            break;
    }
    return sample;
}

bool cellReads(const Database &database, const FormatCell &cell, const Regional &regional)
{
    const QByteArrayView text = database.cellView(cell.field, cell.record);
    switch (cell.kind) {
    case FormatKind::Number: return regional.readNumber(text).has_value();
    case FormatKind::Date: return regional.readDate(text).has_value();
    case FormatKind::Time: return regional.readTime(text).has_value();
    }
    return false;
}

bool mayReadAs(FormatKind kind, QByteArrayView text, const Regional &regional)
{
    const std::optional<QString> separators = separatorsOf(kind, regional);
    return !separators || mayRead(text, *separators);
}

int readableCells(const Database &database, const QList<FormatCell> &sample,
                  const Regional &regional)
{
    return int(std::count_if(sample.begin(), sample.end(), [&](const FormatCell &cell) {
        return cellReads(database, cell, regional);
    }));
}

std::optional<FormatsSuggestion> suggestFormats(const Database &database, const Regional &desktop)
{
    const QList<FormatCell> sample = sampleFormatCells(database);
    const int sampled = int(sample.size());
    // At least a quarter of the sample, and never a single cell, must read better.
    const int clearGain = std::max(2, (sampled + 3) / 4);
    SampleReader reader(database, sample);
    const int desktopReads = reader.readable(desktop);
    if (sampled - desktopReads < clearGain)
        return std::nullopt;

    std::optional<QLocale> best;
    int bestReads = desktopReads;
    for (const QLocale &locale : offeredFormatLocales()) {
        const int reads = reader.readable(Regional(locale, desktop.codePage()));
        if (reads > bestReads) {
            best = locale;
            bestReads = reads;
        }
        // Nothing reads more than all, and the earlier locale wins a tie.
        if (bestReads == sampled)
            break;
    }
    if (!best || bestReads - desktopReads < clearGain)
        return std::nullopt;
    const Regional suggested(*best, desktop.codePage());
    return FormatsSuggestion{*best, sampled, desktopReads, bestReads,
                             examplesOf(database, sample, desktop, suggested)};
}

std::optional<FormatCell> firstCellOfKind(const Database &database, FormatKind kind)
{
    // A whole number reads alike everywhere: Float fields, which hold the decimal separator,
    // come first.
    for (const bool floatsOnly : {true, false}) {
        for (int field = 1; field <= database.fieldCount(); ++field) {
            const int type = database.fieldType(field);
            if (kindOfType(type) != kind
                || (floatsOnly && kind == FormatKind::Number && type != FloatType))
                continue;
            for (int record = 1; record <= database.recordCount(); ++record) {
                if (!isBlank(database.cellView(field, record)))
                    return FormatCell{kind, field, record};
            }
        }
    }
    return std::nullopt;
}

std::optional<QString> cellReading(const Database &database, const FormatCell &cell,
                                   const Regional &regional, const QLocale &language)
{
    const QByteArrayView text = database.cellView(cell.field, cell.record);
    switch (cell.kind) {
    case FormatKind::Number:
        if (const std::optional<long double> number = regional.readNumber(text))
            return QString::fromLatin1(regional.numberText(*number));
        break;
    case FormatKind::Date:
        if (const std::optional<QDate> date = regional.readDate(text))
            return language.toString(
                *date, QCoreApplication::translate("FormatsCheck", "d MMMM yyyy",
                                                   "a date read from a cell, as the toolkit's "
                                                   "format: day, month name, year"));
        break;
    case FormatKind::Time:
        if (const std::optional<QTime> time = regional.readTime(text))
            return time->toString(QStringLiteral("HH:mm:ss"));
        break;
    }
    return std::nullopt;
}

} // namespace kribed
