// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/exchange_formats.h"

#include "core/exchange/workbook_export.h"

#include <algorithm>

namespace kribed {

namespace {

// A separated text of the type: read, appended and (all but comma-any) written by the text
// functions, which hand standard CSV on to its own.
ExchangeFormat textFormat(TextType type)
{
    ExchangeFormat format;
    format.id = textTypeName(type);
    format.textType = type;
    format.openEntry = [type] { return textFilterEntry(type); };
    // "*.*" names no extension: a dialog that appended it would look for "name.*.*".
    const QString suffix = defaultExtensionOf(type);
    format.defaultSuffix = suffix == QStringLiteral("*.*") ? QString() : suffix;
    format.asksEncoding = type == TextType::Csv;
    format.readImport = [type](const ImportSource &source, const Regional &regional) {
        return readTextImportFile(source.path, type, regional, source.encoding, source.separator,
                                  source.quote, source.bytes);
    };
    format.readAppend = [type](const ImportSource &source, const Database &target,
                               const Regional &regional) {
        return readTextAppendFile(source.path, type, target, regional, source.encoding,
                                  source.separator, source.quote, source.bytes);
    };
    if (!isExportType(type))
        return format;
    format.saveEntry = format.openEntry;
    format.backupName = [type](const QString &path) { return textBackupFileName(path, type); };
    format.write = [type](const QString &path, const Database &database, Prompter &prompter,
                          const Regional &regional, CsvEncoding encoding) {
        return exportTextFile(path, type, database, prompter, regional, encoding);
    };
    return format;
}

ExchangeFormat sqliteFormat()
{
    ExchangeFormat format;
    format.id = QStringLiteral("sqlite");
    format.openEntry = sqliteImportFilterEntry;
    format.saveEntry = sqliteExportFilterEntry;
    format.defaultSuffix = QStringLiteral("sqlite");
    format.backupName = sqliteBackupFileName;
    format.listTables = readSqliteTables;
    format.readImport = [](const ImportSource &source, const Regional &regional) {
        return readSqliteImport(source.path, source.table, regional, source.progress);
    };
    format.write = [](const QString &path, const Database &database, Prompter &prompter,
                      const Regional &regional,
                      CsvEncoding) { return exportSqliteFile(path, database, prompter, regional); };
    return format;
}

ExchangeFormat workbookFormat()
{
    ExchangeFormat format;
    format.id = QStringLiteral("xlsx");
    format.saveEntry = workbookFilterEntry;
    format.defaultSuffix = workbookExtension();
    format.backupName = workbookBackupFileName;
    format.write = [](const QString &path, const Database &database, Prompter &prompter,
                      const Regional &regional, CsvEncoding) {
        return exportWorkbookFile(path, database, prompter, regional).result;
    };
    return format;
}

QList<ExchangeFormat> makeFormats()
{
    return {
        textFormat(TextType::Comma),
        textFormat(TextType::Semicolon),
        textFormat(TextType::Tab),
        textFormat(TextType::CommaAny),
        textFormat(TextType::Csv),
        sqliteFormat(),
        workbookFormat(),
    };
}

} // namespace

void setTextEncoding(ImportSource &source, CsvEncoding encoding)
{
    source.encoding = encoding;
    source.bytes = encoding == CsvEncoding::Utf8 ? TextBytes::Utf8 : TextBytes::AsTheyStand;
}

bool ExchangeFormat::offeredFor(ExchangeUse use) const
{
    switch (use) {
    case ExchangeUse::Import: return bool(readImport);
    case ExchangeUse::Append: return bool(readAppend);
    case ExchangeUse::Export: return bool(write);
    }
    return false;
}

const QList<ExchangeFormat> &exchangeFormats()
{
    static const QList<ExchangeFormat> formats = makeFormats();
    return formats;
}

QList<const ExchangeFormat *> exchangeFormats(ExchangeUse use)
{
    QList<const ExchangeFormat *> offered;
    for (const ExchangeFormat &format : exchangeFormats()) {
        if (format.offeredFor(use))
            offered.append(&format);
    }
    return offered;
}

QString exchangeFilterText(ExchangeUse use)
{
    QString text;
    for (const ExchangeFormat *format : exchangeFormats(use))
        text += use == ExchangeUse::Export ? format->saveEntry() : format->openEntry();
    return text;
}

const ExchangeFormat *exchangeFormatAt(ExchangeUse use, int filterIndex)
{
    const QList<const ExchangeFormat *> offered = exchangeFormats(use);
    return filterIndex >= 1 && filterIndex <= offered.size() ? offered.at(filterIndex - 1)
                                                             : nullptr;
}

int exchangeFilterIndex(ExchangeUse use, const ExchangeFormat &format)
{
    return int(exchangeFormats(use).indexOf(&format)) + 1;
}

const ExchangeFormat *exchangeFormatNamed(const QString &id)
{
    const QList<ExchangeFormat> &formats = exchangeFormats();
    const auto found = std::find_if(formats.cbegin(), formats.cend(), [&](const auto &format) {
        return format.id.compare(id, Qt::CaseInsensitive) == 0;
    });
    return found == formats.cend() ? nullptr : &*found;
}

const ExchangeFormat &defaultExchangeFormat()
{
    return exchangeFormats().constFirst();
}

} // namespace kribed
