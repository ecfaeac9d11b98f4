// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/new_database.h"

#include <QCoreApplication>

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QDateTime>
#include <QDir>

#include <optional>

namespace kribed {

namespace {

std::optional<int> readInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool refuse(Prompter &prompter, const QString &text)
{
    prompter.ask(
        {QCoreApplication::translate("NewDatabase", "Error"), text, Icon::Error, Buttons::Ok});
    return false;
}

// Reads one number of the dialog: a text that is no integer gets the numerical message, one out
// of range its own message.
bool readChoice(const QString &text, int low, int high, const QString &rangeMessage,
                Prompter &prompter, int &value)
{
    const std::optional<int> number = readInteger(text);
    if (!number)
        return refuse(prompter,
                      QCoreApplication::translate("NewDatabase", "Please use a numerical value."));
    if (*number < low || *number > high)
        return refuse(prompter, rangeMessage);
    value = *number;
    return true;
}

} // namespace

std::optional<NewDatabaseShape> validateNewDatabase(const NewDatabaseChoices &choices,
                                                    Prompter &prompter, const Regional &regional)
{
    NewDatabaseShape shape;
    // The name is counted in bytes of the code page, as the file's header holds it.
    shape.name = regional.toBytes(choices.name);
    if (shape.name.isEmpty() || shape.name.size() > MaxDatabaseNameLength) {
        refuse(prompter, QCoreApplication::translate(
                             "NewDatabase", "Please use 1 - 30 characters for the database name."));
        return std::nullopt;
    }
    const bool numbersPass =
        readChoice(choices.rows, 1, MaxRecords,
                   QCoreApplication::translate("NewDatabase", "Please use 1 - 9999 rows."),
                   prompter, shape.rows)
        && readChoice(choices.columns, 1, MaxFields,
                      QCoreApplication::translate("NewDatabase", "Please use 1 - 50 columns."),
                      prompter, shape.columns)
        && readChoice(
            choices.width, 1, MaxFieldWidthUnits,
            QCoreApplication::translate("NewDatabase", "Please use 1 - 300 for the field width."),
            prompter, shape.widthUnits);
    if (!numbersPass)
        return std::nullopt;
    shape.typeIndex = choices.typeIndex >= 0 && choices.typeIndex < FieldTypeCount
                          ? choices.typeIndex
                          : StringType;
    shape.filePath =
        QDir::current().absoluteFilePath(sanitizeFileName(choices.name) + QStringLiteral(".pdb"));
    return shape;
}

void buildNewDatabase(const NewDatabaseShape &shape, Database &database)
{
    database.resetAppInfo();
    database.setModificationTime(QDateTime::currentDateTime());
    database.setName(shape.name);
    database.setFilePath(shape.filePath);
    database.setFilterText(QByteArray());
    database.setFilterField(0);
    database.setSecondarySortField(0);
    database.setTertiarySortField(0);
    database.clearPopupLists();

    database.setShape(shape.columns, shape.rows);
    database.setFilterOn(false);
    database.showAllRecords();
    const int pixels = database.unitsToPixels(shape.widthUnits);
    for (int field = 1; field <= shape.columns; ++field) {
        database.setFieldName(field, QByteArrayLiteral("Field ") + QByteArray::number(field));
        database.setColumnWidth(field, pixels);
        database.setFieldType(field, shape.typeIndex);
    }
    database.clearModified();
}

bool createNewDatabase(const NewDatabaseChoices &choices, Database &database, Prompter &prompter,
                       const Regional &regional)
{
    const std::optional<NewDatabaseShape> shape = validateNewDatabase(choices, prompter, regional);
    if (!shape)
        return false;
    buildNewDatabase(*shape, database);
    return true;
}

QString sanitizeFileName(const QString &text)
{
    static constexpr char16_t Forbidden[] = u"\"*/:<>?\\|";
    QString result = text;
    for (QChar &c : result) {
        for (const char16_t bad : Forbidden) {
            if (bad != 0 && c.unicode() == bad)
                c = u'_';
        }
    }
    return result;
}

} // namespace kribed
