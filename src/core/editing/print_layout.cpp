// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/print_layout.h"

#include <QCoreApplication>

#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "core/platform/project_address.h"

#include <QStringDecoder>

#include <algorithm>
#include <cmath>

namespace kribed {

namespace {

const QString Ellipsis = QStringLiteral("..");

// Cuts texts to their columns. Where the texts have advances they are cut by running sums of
// them; the buffer and the advances of ".." serve from one text to the next.
class CellCutter
{
public:
    CellCutter(const PrintMeasure &measure, const PrintAdvances &advances)
        : mMeasure(measure)
        , mAdvances(advances)
    {
    }

    QString cut(const QString &text, int width, const PrintFont &font)
    {
        QString printed;
        cut(text, width, font, printed);
        return printed;
    }

    // The same into `printed`, whose room is used again where it has enough.
    void cut(const QString &text, int width, const PrintFont &font, QString &printed)
    {
        printed.truncate(0);
        if (width <= 0 || !mAdvances || !knowEllipsis(font) || !mAdvances(font, text, mSums)
            || qsizetype(mSums.size()) != text.size()) {
            printed.append(printCellText(text, width, font, mMeasure));
            return;
        }
        // mSums[i]: the first i + 1 characters added up in the order the measure adds them, so
        // that each width rounds as the measured one does.
        for (std::size_t i = 1; i < mSums.size(); ++i)
            mSums[i] += mSums[i - 1];
        // A width rounded up to whole tenths fits exactly when the width itself does, so the
        // widths are compared as they are.
        const double room = width - print::CellPadding;
        if (sumOf(int(text.size())) <= room) {
            printed.append(QStringView(text));
            return;
        }
        // The same search as the one that measures, so the same start is found.
        int fits = 0;
        int tooLong = int(text.size());
        while (tooLong - fits > 1) {
            const int middle = fits + (tooLong - fits) / 2;
            if (sumOf(middle) + mEllipsis[0] + mEllipsis[1] <= room)
                fits = middle;
            else
                tooLong = middle;
        }
        printed.append(QStringView(text).first(fits)).append(QStringView(Ellipsis));
    }

private:
    double sumOf(int length) const { return length == 0 ? 0.0 : mSums[std::size_t(length - 1)]; }

    // The advances of ".." in the font, asked for once per font.
    bool knowEllipsis(const PrintFont &font)
    {
        if (!mEllipsisAsked || !(mEllipsisFont == font)) {
            mEllipsisAsked = true;
            mEllipsisFont = font;
            mEllipsisKnown = mAdvances(font, Ellipsis, mEllipsis) && mEllipsis.size() == 2;
        }
        return mEllipsisKnown;
    }

    const PrintMeasure &mMeasure;
    const PrintAdvances &mAdvances;
    std::vector<double> mSums;
    std::vector<double> mEllipsis;
    PrintFont mEllipsisFont;
    bool mEllipsisAsked = false;
    bool mEllipsisKnown = false;
};

// The record font follows the columns of a page fitted to its width down to 6 pt; below that
// the columns cut their texts shorter instead.
double fontScale(const PrintSetup &setup, double scale)
{
    const int height = std::abs(setup.recordFontHeight);
    if (scale >= 1 || height <= print::SmallestFittedFontHeight)
        return 1;
    return std::max(scale, double(print::SmallestFittedFontHeight) / height);
}

// One page being filled: the row block, column block and the texts so far.
class PageBuilder
{
public:
    PageBuilder(const Database &database, const Regional &regional, const PrintSetup &setup,
                const PrintMeasure &measure, const PrintAdvances &advances)
        : mDatabase(database)
        , mRegional(regional)
        , mScale(printWidthFactor(database, setup, measure))
        , mSetup(scaledSetup(setup, mScale))
        , mMeasure(measure)
        , mCutter(measure, advances)
        , mRecordFont(recordFont(mSetup))
        , mNumberWidth(printColumnWidth(database, 0, mSetup, measure))
        , mPitch(std::max(1, int(std::lround(print::LinePitch * fontScale(setup, mScale)))))
        , mDecoder(regional.codePage().constData(), QStringConverter::Flag::Stateless)
        , mKeepsAscii(keepsAscii(regional.codePage()))
    {
    }

    // Lays out the page of column block starting at firstColumn and row block starting at
    // firstRow. Returns the first row not printed.
    int layout(PrintPage &page, int firstRow, int firstColumn)
    {
        const QString number =
            QString::number(page.rowBlock) + u'.' + QString::number(page.columnBlock);
        page.jobTitle = QCoreApplication::translate("PrintLayout", "Kribed - Page ") + number;
        page.label = QCoreApplication::translate("PrintLayout", "Page ") + number;
        // The items of the page before serve again, with the room of their texts.
        page.items = std::move(mSpareItems);
        mSpareItems = {};
        mUsedItems = 0;
        nextItem(page) = {print::LeftMargin, print::HeadingY, headingFont(),
                          text(mDatabase.name())};
        nextItem(page) = {print::LabelX, print::HeadingY, headingFont(), page.label};

        const int lastColumn = lastColumnFrom(firstColumn);
        // Room for the heading, the field names, every line of records and the footer at once.
        const int lines =
            std::max(0, mSetup.printableHeight - print::BottomReserve - print::FirstRecordY)
                / mPitch
            + 2;
        page.items.reserve(mUsedItems + 3 + (lastColumn - firstColumn + 2) * lines);
        page.firstColumn = firstColumn;
        page.lastColumn = lastColumn;
        int y = print::FieldNameY;
        if (mSetup.repeatFieldNames || page.rowBlock == 1) {
            addLine(
                page, y, firstColumn, lastColumn,
                [&](int k) -> decltype(auto) { return mDatabase.fieldName(k); }, false);
            y += mPitch;
        }

        const int records = mDatabase.recordCount();
        const int lowestY = mSetup.printableHeight - print::BottomReserve;
        int r = firstRow;
        do {
            if (!mDatabase.isHidden(r)) {
                nextItem(page) = {print::LeftMargin, y, mRecordFont, recordNumberText(r)};
                addLine(
                    page, y, firstColumn, lastColumn,
                    [&](int k) { return mDatabase.cellView(k, r); }, true);
            }
            ++r;
            // Hidden rows get no line; the end of the table counts as hidden, so the footer
            // follows the last record line directly.
            if (r <= records && !mDatabase.isHidden(r))
                y += mPitch;
        } while (r <= records && y <= lowestY);

        page.items.resize(mUsedItems);
        page.firstRecord = firstRow;
        page.lastRecord = r - 1;
        mLastY = y;
        mNextColumn = lastColumn + 1;
        return r;
    }

    int nextColumn() const { return mNextColumn; }
    // Takes back the items of a page the sink is done with.
    void recycle(QList<PrintItem> &&items) { mSpareItems = std::move(items); }
    int lastY() const { return mLastY; }

private:
    // Cell bytes as text in the display code page; one decoder serves the whole print, and ASCII
    // needs none.
    QString text(const QByteArray &bytes)
    {
        if (!mDecoder.isValid())
            return mRegional.toText(bytes);
        if (mKeepsAscii && isAscii(bytes))
            return QString::fromLatin1(bytes);
        return mDecoder.decode(bytes);
    }

    // The same into a buffer kept from cell to cell: a cell that is cut then takes one
    // allocation, for the text printed.
    void decode(QByteArrayView bytes, QString &into)
    {
        if (!mDecoder.isValid()) {
            into = mRegional.toText(bytes);
            return;
        }
        if (mKeepsAscii && widenAscii(bytes, into))
            return;
        into.resize(mDecoder.requiredSpace(bytes.size()));
        const QChar *end = mDecoder.appendToBuffer(into.data(), bytes);
        into.truncate(end - into.constData());
    }

    // Widens the bytes one to one in a single pass; false when one is not ASCII.
    static bool widenAscii(QByteArrayView bytes, QString &into)
    {
        into.resize(bytes.size());
        char16_t *out = reinterpret_cast<char16_t *>(into.data());
        uchar seen = 0;
        for (const char c : bytes) {
            seen |= uchar(c);
            *out++ = uchar(c);
        }
        return seen < 0x80;
    }

    static bool isAscii(QByteArrayView bytes)
    {
        return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return uchar(c) < 0x80; });
    }

    // The next item of the page: one left from the page before where there is one. A cell text
    // written into it takes no allocation when its old text had the room; a page the sink kept
    // shares its texts, which then get room of their own as they are written.
    PrintItem &nextItem(PrintPage &page)
    {
        if (mUsedItems == page.items.size())
            page.items.append(PrintItem());
        return page.items[mUsedItems++];
    }

    // The last column that still fits beside the first; the first is printed even when it alone
    // is wider than the paper.
    int lastColumnFrom(int first) const
    {
        int last = first;
        int used = mNumberWidth + print::LeftMargin + columnWidth(first);
        while (last < mDatabase.fieldCount()
               && used + columnWidth(last + 1) < mSetup.printableWidth) {
            ++last;
            used += columnWidth(last);
        }
        return last;
    }

    int columnWidth(int column) const
    {
        const int width = printColumnWidth(mDatabase, column, mSetup, mMeasure);
        return mScale < 1 ? int(width * mScale) : width;
    }

    static PrintSetup scaledSetup(PrintSetup setup, double scale)
    {
        const double font = fontScale(setup, scale);
        if (font < 1) {
            const int height = int(std::lround(std::abs(setup.recordFontHeight) * font));
            setup.recordFontHeight = setup.recordFontHeight < 0 ? -height : height;
        }
        return setup;
    }

    // A record line's cells; the values of number, date and time fields stand at the right.
    template<typename BytesOf>
    void addLine(PrintPage &page, int y, int first, int last, BytesOf bytesOf, bool values)
    {
        int x = print::LeftMargin + mNumberWidth;
        for (int k = first; k <= last; ++k) {
            const int width = columnWidth(k);
            decode(bytesOf(k), mText);
            PrintItem &item = nextItem(page);
            item.x = x;
            item.y = y;
            item.font = mRecordFont;
            mCutter.cut(mText, width, mRecordFont, item.text);
            if (values && !item.text.isEmpty() && isRightAlignedType(mDatabase.fieldType(k))) {
                item.x +=
                    std::max(0, width - print::CellPadding - mMeasure(mRecordFont, item.text));
            }
            x += width;
        }
    }

    const Database &mDatabase;
    const Regional &mRegional;
    const double mScale;
    const PrintSetup mSetup;
    const PrintMeasure &mMeasure;
    CellCutter mCutter;
    const PrintFont mRecordFont;
    const int mNumberWidth;
    const int mPitch;
    QStringDecoder mDecoder;
    const bool mKeepsAscii;
    QString mText; // the cell being printed, decoded
    QList<PrintItem> mSpareItems;
    qsizetype mUsedItems = 0;
    int mNextColumn = 1;
    int mLastY = 0;
};

} // namespace

int recordFontHeight(int displayPixelHeight)
{
    return int(std::nearbyint(double(displayPixelHeight) * 2.5));
}

PrintFont headingFont()
{
    return PrintFont{print::HeadingHeight, true, true};
}

PrintFont recordFont(const PrintSetup &setup)
{
    return PrintFont{setup.recordFontHeight, false, true};
}

PrintFont footerFont()
{
    return PrintFont{print::FooterHeight, false, false};
}

QString printFooterText()
{
    return QStringLiteral("Kribed PRO ") + QLatin1String(KRIBED_VERSION)
           + QStringLiteral(" by Kribed PRO developers [") + projectWebAddress() + u']';
}

int printColumnWidth(const Database &database, int column, const PrintSetup &setup,
                     const PrintMeasure &measure)
{
    if (column == 0)
        return measure(recordFont(setup), QStringLiteral("0000_"));
    return database.columnWidth(column) * 290 / 100;
}

double printWidthFactor(const Database &database, const PrintSetup &setup,
                        const PrintMeasure &measure)
{
    if (!setup.fitToPageWidth || database.fieldCount() == 0)
        return 1;
    const double numbers = printColumnWidth(database, 0, setup, measure);
    qint64 columns = 0;
    for (int k = 1; k <= database.fieldCount(); ++k)
        columns += printColumnWidth(database, k, setup, measure);
    // The last column must end short of the printable width.
    const int room = setup.printableWidth - print::LeftMargin - 1;
    if (numbers + columns <= room || columns == 0)
        return 1;
    // The record numbers shrink with the font only, which stops at 6 pt: the columns share what
    // the numbers leave, a little less for the rounding of measured widths.
    const double font = fontScale(setup, room / (numbers + columns));
    return std::max(0.01, 0.98 * (room - numbers * font) / double(columns));
}

QString printCellText(const QString &text, int width, const PrintFont &font,
                      const PrintMeasure &measure)
{
    const int room = width - print::CellPadding;
    if (width <= 0 || measure(font, text) <= room)
        return text;
    // The longest start of the text that fits with ".." behind it; widths grow with the length,
    // so a binary search finds what cutting one character after another would.
    int fits = 0;
    int tooLong = int(text.size());
    QString candidate; // one buffer for every try
    candidate.reserve(text.size() + Ellipsis.size());
    while (tooLong - fits > 1) {
        const int middle = fits + (tooLong - fits) / 2;
        candidate.truncate(0);
        candidate.append(QStringView(text).left(middle)).append(Ellipsis);
        if (measure(font, candidate) <= room)
            fits = middle;
        else
            tooLong = middle;
    }
    candidate.truncate(0);
    return candidate.append(QStringView(text).left(fits)).append(Ellipsis);
}

QString printCellText(const QString &text, int width, const PrintFont &font,
                      const PrintMeasure &measure, const PrintAdvances &advances)
{
    return CellCutter(measure, advances).cut(text, width, font);
}

void printDatabase(const Database &database, const Regional &regional, const PrintSetup &setup,
                   const PrintMeasure &measure, const PrintSink &sink)
{
    printDatabase(database, regional, setup, measure, PrintAdvances(), sink);
}

void printDatabase(const Database &database, const Regional &regional, const PrintSetup &setup,
                   const PrintMeasure &measure, const PrintAdvances &advances,
                   const PrintSink &sink)
{
    const int records = database.recordCount();
    const int fields = database.fieldCount();
    PageBuilder builder(database, regional, setup, measure, advances);
    int rowBlock = 1;
    int firstRow = 1;
    while (firstRow <= records) {
        int columnBlock = 1;
        int firstColumn = 1;
        int nextRow = firstRow;
        while (firstColumn <= fields) {
            PrintPage page;
            page.rowBlock = rowBlock;
            page.columnBlock = columnBlock;
            nextRow = builder.layout(page, firstRow, firstColumn);
            firstColumn = builder.nextColumn();
            ++columnBlock;
            if (nextRow > records && firstColumn > fields) {
                page.last = true;
                page.items.append({print::LeftMargin, builder.lastY() + print::LinePitch,
                                   footerFont(), printFooterText()});
            }
            sink(page);
            builder.recycle(std::move(page.items));
        }
        ++rowBlock;
        firstRow = nextRow;
    }
}

QList<PrintPage> printPages(const Database &database, const Regional &regional,
                            const PrintSetup &setup, const PrintMeasure &measure)
{
    QList<PrintPage> pages;
    printDatabase(database, regional, setup, measure,
                  [&](const PrintPage &page) { pages.append(page); });
    return pages;
}

} // namespace kribed
