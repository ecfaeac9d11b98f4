// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/new_database.h"

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "core/platform/prompter.h"

#include <QDateTime>
#include <QDir>

#include <optional>

namespace kribed {

namespace {

std::optional<int> ReadInteger(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool Refuse(Prompter &prompter, const QString &text)
{
    prompter.Ask({QStringLiteral("Error"), text, Icon::Error, Buttons::Ok});
    return false;
}

// Reads one number of the dialog: a text that is no integer gets the numerical message, one out
// of range its own message.
bool ReadChoice(const QString &text, int low, int high, const QString &rangeMessage,
                Prompter &prompter, int &value)
{
    const std::optional<int> number = ReadInteger(text);
    if (!number)
        return Refuse(prompter, QStringLiteral("Please use a numerical value."));
    if (*number < low || *number > high)
        return Refuse(prompter, rangeMessage);
    value = *number;
    return true;
}

} // namespace

std::optional<NewDatabaseShape> ValidateNewDatabase(const NewDatabaseChoices &choices,
                                                    Prompter &prompter)
{
    NewDatabaseShape shape;
    // The name is counted in bytes of the code page, as the file's header holds it.
    shape.name = CurrentRegional().ToBytes(choices.name);
    if (shape.name.isEmpty() || shape.name.size() > MaxDatabaseNameLength) {
        Refuse(prompter, QStringLiteral("Please use 1 - 30 characters for the database name."));
        return std::nullopt;
    }
    const bool numbersPass =
        ReadChoice(choices.rows, 1, MaxRecords, QStringLiteral("Please use 1 - 9999 rows."),
                   prompter, shape.rows)
        && ReadChoice(choices.columns, 1, MaxFields, QStringLiteral("Please use 1 - 50 columns."),
                      prompter, shape.columns)
        && ReadChoice(choices.width, 1, MaxFieldWidthUnits,
                      QStringLiteral("Please use 1 - 300 for the field width."), prompter,
                      shape.widthUnits);
    if (!numbersPass)
        return std::nullopt;
    shape.typeIndex = choices.typeIndex >= 0 && choices.typeIndex < FieldTypeCount
        ? choices.typeIndex
        : StringType;
    shape.filePath =
        QDir::current().absoluteFilePath(SanitizeFileName(choices.name) + QStringLiteral(".pdb"));
    return shape;
}

void BuildNewDatabase(const NewDatabaseShape &shape, Database &database)
{
    database.ResetAppInfo();
    database.SetModificationTime(QDateTime::currentDateTime());
    database.SetName(shape.name);
    database.SetFilePath(shape.filePath);
    database.SetFilterText(QByteArray());
    database.SetFilterField(0);
    database.SetSecondarySortField(0);
    database.SetTertiarySortField(0);
    database.ClearPopupLists();

    database.SetShape(shape.columns, shape.rows);
    database.SetFilterOn(false);
    database.ShowAllRecords();
    const int pixels = database.UnitsToPixels(shape.widthUnits);
    for (int field = 1; field <= shape.columns; ++field) {
        database.SetFieldName(field, QByteArrayLiteral("Field ") + QByteArray::number(field));
        database.SetColumnWidth(field, pixels);
        database.SetFieldType(field, shape.typeIndex);
    }
    database.ClearModified();
}

bool CreateNewDatabase(const NewDatabaseChoices &choices, Database &database, Prompter &prompter)
{
    const std::optional<NewDatabaseShape> shape = ValidateNewDatabase(choices, prompter);
    if (!shape)
        return false;
    BuildNewDatabase(*shape, database);
    return true;
}

QString SanitizeFileName(const QString &text)
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
