// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/csv_exchange.h"

#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/platform/prompter.h"
#include "core/platform/safe_file.h"
#include <QCoreApplication>

#include <QFileInfo>
#include <QIODevice>

#include <cstring>

namespace kribed {

namespace {

constexpr qsizetype FlushSize = 1 << 16;

void showSaveError(Prompter &prompter)
{
    prompter.ask({QCoreApplication::translate("TextExport", "Error"), saveErrorText(), Icon::Error,
                  Buttons::Ok});
}

void appendLine(QByteArray &out, const Record &values, const QByteArray &quote, char separator)
{
    // The line's length first, then one copy per value into room made once.
    const qsizetype count = values.size();
    qsizetype length = 2 + (count > 0 ? count - 1 : 0) + count * 2 * quote.size();
    for (qsizetype i = 0; i < count; ++i)
        length += values.view(i).size();
    const qsizetype start = out.size();
    out.resize(start + length);
    char *p = out.data() + start;
    for (qsizetype i = 0; i < count; ++i) {
        if (i > 0)
            *p++ = separator;
        if (!quote.isEmpty())
            *p++ = quote[0];
        const QByteArrayView value = values.view(i);
        if (!value.isEmpty()) // an empty value may have no data: never a null pointer to memcpy
            std::memcpy(p, value.data(), size_t(value.size()));
        p += value.size();
        if (!quote.isEmpty())
            *p++ = quote[0];
    }
    *p++ = '\r';
    *p++ = '\n';
}

} // namespace

QString textBackupFileName(const QString &path, TextType type)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString stem = dot < 0 ? name : name.left(dot);
    const QString folder = path.left(path.size() - name.size());
    return folder + stem + backupExtensionOf(type);
}

bool writeText(QIODevice &device, TextType type, const Database &database, const Regional &regional,
               CsvEncoding encoding)
{
    if (type == TextType::Csv)
        return writeCsv(device, encoding, database, regional);
    const QByteArray quote = exportQuoteOf(type);
    const char separator = separatorOf(type);
    Record names;
    for (int field = 1; field <= database.fieldCount(); ++field)
        names.append(database.fieldName(field));

    QByteArray out;
    appendLine(out, names, quote, separator);
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (database.rowHeight(record) == 0)
            continue; // hidden by the record filter
        appendLine(out, database.recordAt(record), quote, separator);
        if (out.size() >= FlushSize) {
            if (device.write(out) != out.size())
                return false;
            out.resize(0); // keeps the room for the next lines
        }
    }
    return device.write(out) == out.size();
}

ExchangeResult exportTextFile(const QString &path, TextType type, const Database &database,
                              Prompter &prompter, const Regional &regional, CsvEncoding encoding)
{
    if (type == TextType::Csv)
        return exportCsvFile(path, encoding, database, prompter, regional);
    if (!isExportType(type)) {
        showSaveError(prompter);
        return ExchangeResult::Failed;
    }
    // The previous file becomes the backup, unless the chosen name is the backup name itself.
    const auto write = [&](QIODevice &device) {
        return writeText(device, type, database, regional);
    };
    if (!safeWriteFile(path, textBackupFileName(path, type), write)) {
        showSaveError(prompter);
        return ExchangeResult::Failed;
    }
    return ExchangeResult::Done;
}

} // namespace kribed
