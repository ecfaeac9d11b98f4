// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"
#include "core/exchange/import_plan.h"
#include "core/exchange/new_database.h"
#include "core/exchange/text_exchange.h"
#include "core/exchange/text_reading.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/checked_file.h"
#include "core/platform/code_page_converter.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <string>

namespace kribed {

namespace {

// Reads the lines into the table: line k into row k, fields beyond the last column all land in
// the last column, so it ends up with the line's last field. The plan counts the values the table
// holds that were cut to what a record can store. `utf8`, when given, turns the values from UTF-8.
// A line is read in pieces and only the part of each value a cell can take is kept, so a line
// of any length costs little.
class TableFiller
{
public:
    TableFiller(ImportPlan &plan, CodePageConverter &converter, Utf8Cells *utf8)
        : mPlan(plan)
        , mConverter(converter)
        , mUtf8(utf8)
    {
    }

    void field(int field, QByteArrayView value)
    {
        if (field < mPlan.table.fields) {
            mPlan.table.rows[mRow].replace(field - 1, cell(value, field == 1, mCut));
            if (mCut) {
                ++mPlan.cutValues;
                noteCutPlace(mPlan.cutPlaces, mRow, field);
            }
            return;
        }
        // Only the last of the fields that share the last column stays: it is made at the end.
        mLast.assign(value.data(), size_t(value.size()));
        mHasLast = true;
        mLastIsFirst = field == 1;
    }

    bool endLine()
    {
        if (mHasLast) {
            const int lastField = mPlan.table.fields;
            const QByteArrayView last(mLast.data(), qsizetype(mLast.size()));
            mPlan.table.rows[mRow].replace(lastField - 1, cell(last, mLastIsFirst, mCut));
            if (mCut) {
                ++mPlan.cutValues;
                noteCutPlace(mPlan.cutPlaces, mRow, lastField);
            }
            mHasLast = false;
        }
        return ++mRow < mPlan.table.rows.size();
    }

private:
    QByteArray cell(QByteArrayView view, bool first, bool &cut)
    {
        QByteArray value = view.toByteArray();
        cut = false;
        if (mUtf8) {
            if (mRow == 0 && first && value.startsWith(utf8ByteOrderMark()))
                value.remove(0, utf8ByteOrderMark().size());
            value = mUtf8->convert(std::move(value), mRow, cut);
        }
        cut = cutToStoredSize(value, &mConverter) || cut;
        return value;
    }

    ImportPlan &mPlan;
    CodePageConverter &mConverter;
    Utf8Cells *mUtf8;
    int mRow = 0;
    bool mCut = false;
    std::string mLast; // the last field so far; its room is kept from field to field
    bool mHasLast = false;
    bool mLastIsFirst = false;
};

bool fillTable(QIODevice &device, char separator, char quote, ImportPlan &plan,
               CodePageConverter &converter, Utf8Cells *utf8)
{
    TableFiller filler(plan, converter, utf8);
    FieldSplitter splitter(
        separator, quote, KeptLineValueBytes,
        [&filler](int field, QByteArrayView value, bool) { filler.field(field, value); });
    return readLinePieces(
        device, [&splitter](QByteArrayView piece) { splitter.feed(piece); },
        [&] {
            splitter.endLine();
            return filler.endLine();
        });
}

} // namespace

ImportPlan readTextImport(QIODevice &device, TextType type, const Regional &regional,
                          CsvEncoding encoding, char chosenSeparator, char quote, TextBytes bytes)
{
    if (type == TextType::Csv)
        return readCsvImport(device, encoding, regional,
                             chosenSeparator ? chosenSeparator : CsvSeparator, quote);
    const char separator = chosenSeparator ? chosenSeparator : separatorOf(type);
    ImportPlan plan;
    const qint64 start = device.pos();
    EncodingDetector bytesSeen;
    const bool asTheyStand = bytes == TextBytes::AsTheyStand;
    const std::optional<FormatCheck> check =
        checkFormat(device, separator, quote, asTheyStand ? &bytesSeen : nullptr);
    if (!check) {
        plan.fail(PlanFailure::Unreadable, openErrorMessage());
        return plan;
    }
    if (asTheyStand)
        plan.bytesEncoding = bytesSeen.result(true);
    plan.shape = shapeOfText(*check, MaxRecords + 1, MaxFields);
    if (importAsksFormatQuestion(*check))
        plan.questions.append(goOnQuestion(formatQuestionText()));
    plan.table.shapeFor(*check);
    std::optional<Utf8Cells> utf8;
    if (bytes == TextBytes::Utf8)
        utf8.emplace(regional.codePage());
    if (!device.seek(start)
        || !fillTable(device, separator, quote, plan,
                      CodePageConverter::shared(regional.codePage()), utf8 ? &*utf8 : nullptr)) {
        plan.fail(PlanFailure::BrokenAfter, openErrorMessage());
        return plan;
    }
    if (utf8 && !utf8->losses().isEmpty()) {
        plan.losses = utf8->losses();
        plan.questions.append(importLossQuestion(plan.losses, regional.codePage()));
    }
    if (const std::optional<Message> notice = cutValuesNotice(plan.cutValues))
        plan.notices.append(*notice);
    return plan;
}

ImportPlan readTextImportFile(const QString &path, TextType type, const Regional &regional,
                              CsvEncoding encoding, char separator, char quote, TextBytes bytes)
{
    CheckedFile file(path);
    if (!file.openForReading()) {
        ImportPlan plan;
        plan.fail(PlanFailure::Unreadable, openErrorMessage());
        return plan;
    }
    ImportPlan plan = readTextImport(file, type, regional, encoding, separator, quote, bytes);
    file.close();
    plan.origin = originOf(path, regional);
    return plan;
}

PlannedOrigin originOf(const QString &path, const Regional &regional)
{
    const QFileInfo info(path);
    const QString baseName = info.completeBaseName();
    return {regional.toBytes(sanitizeFileName(baseName)),
            info.absoluteDir().absoluteFilePath(baseName + QStringLiteral(".pdb")),
            info.lastModified()};
}

ExchangeResult importText(QIODevice &device, TextType type, Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding)
{
    return carryOutImport(readTextImport(device, type, regional, encoding), database, prompter);
}

ExchangeResult importTextFile(const QString &path, TextType type, Database &database,
                              Prompter &prompter, const Regional &regional, CsvEncoding encoding)
{
    return carryOutImport(readTextImportFile(path, type, regional, encoding), database, prompter);
}

} // namespace kribed
