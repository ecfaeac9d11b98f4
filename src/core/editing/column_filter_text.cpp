// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The column filters as texts: the header's tooltip, and the lasting form the settings keep.
#include "core/editing/column_filter.h"

#include "core/model/database.h"
#include "core/model/regional.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <optional>

namespace kribed {

namespace {

QString translated(const char *text)
{
    return QCoreApplication::translate("ColumnFilter", text);
}

struct TestName
{
    ColumnTest test;
    const char *key;       // the lasting form's name; never translated
    const char *described; // the tooltip's, with %1 and %2 for the values
};

const TestName testNames[] = {
    {ColumnTest::Equals, "equals", QT_TRANSLATE_NOOP("ColumnFilter", "= %1")},
    {ColumnTest::NotEquals, "not-equals", QT_TRANSLATE_NOOP("ColumnFilter", "≠ %1")},
    {ColumnTest::Contains, "contains", QT_TRANSLATE_NOOP("ColumnFilter", "contains %1")},
    {ColumnTest::NotContains, "not-contains",
     QT_TRANSLATE_NOOP("ColumnFilter", "does not contain %1")},
    {ColumnTest::BeginsWith, "begins", QT_TRANSLATE_NOOP("ColumnFilter", "begins with %1")},
    {ColumnTest::EndsWith, "ends", QT_TRANSLATE_NOOP("ColumnFilter", "ends with %1")},
    {ColumnTest::Matches, "matches", QT_TRANSLATE_NOOP("ColumnFilter", "matches %1")},
    {ColumnTest::Less, "less", QT_TRANSLATE_NOOP("ColumnFilter", "< %1")},
    {ColumnTest::LessOrEqual, "less-or-equal", QT_TRANSLATE_NOOP("ColumnFilter", "≤ %1")},
    {ColumnTest::Greater, "greater", QT_TRANSLATE_NOOP("ColumnFilter", "> %1")},
    {ColumnTest::GreaterOrEqual, "greater-or-equal", QT_TRANSLATE_NOOP("ColumnFilter", "≥ %1")},
    {ColumnTest::Between, "between", QT_TRANSLATE_NOOP("ColumnFilter", "between %1 and %2")},
    {ColumnTest::Top, "top", QT_TRANSLATE_NOOP("ColumnFilter", "top %1")},
    {ColumnTest::Bottom, "bottom", QT_TRANSLATE_NOOP("ColumnFilter", "bottom %1")},
    {ColumnTest::Checked, "checked", QT_TRANSLATE_NOOP("ColumnFilter", "checked")},
    {ColumnTest::Unchecked, "unchecked", QT_TRANSLATE_NOOP("ColumnFilter", "unchecked")},
    {ColumnTest::Empty, "empty", QT_TRANSLATE_NOOP("ColumnFilter", "empty")},
    {ColumnTest::NotEmpty, "not-empty", QT_TRANSLATE_NOOP("ColumnFilter", "not empty")},
};

const TestName *nameOf(ColumnTest test)
{
    for (const TestName &name : testNames) {
        if (name.test == test)
            return &name;
    }
    return nullptr;
}

const TestName *nameOf(const QString &key)
{
    for (const TestName &name : testNames) {
        if (key == QLatin1String(name.key))
            return &name;
    }
    return nullptr;
}

// Cell texts are kept byte for byte: each byte one character of the first 256.
QString lastingBytes(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

QByteArray bytesOfLasting(const QString &text)
{
    return text.toLatin1();
}

QJsonObject lastingFilter(const FieldFilter &filter, const Database &database)
{
    QJsonObject object;
    object[QStringLiteral("field")] = filter.field;
    object[QStringLiteral("name")] = lastingBytes(database.fieldName(filter.field));
    if (filter.listOn) {
        QJsonArray values;
        for (const QByteArray &value : filter.values)
            values.append(lastingBytes(value));
        object[QStringLiteral("values")] = values;
    }
    QJsonArray conditions;
    for (const ColumnCondition &condition : filter.conditions) {
        QJsonObject lasting;
        lasting[QStringLiteral("test")] = QLatin1String(nameOf(condition.test)->key);
        lasting[QStringLiteral("value")] = condition.value;
        if (!condition.second.isEmpty())
            lasting[QStringLiteral("second")] = condition.second;
        conditions.append(lasting);
    }
    object[QStringLiteral("conditions")] = conditions;
    object[QStringLiteral("any")] = filter.anyCondition;
    return object;
}

std::optional<FieldFilter> filterOfLasting(const QJsonObject &object, const Database &database)
{
    FieldFilter filter;
    filter.field = object.value(QStringLiteral("field")).toInt();
    if (filter.field < 1 || filter.field > database.fieldCount()
        || database.fieldName(filter.field)
               != bytesOfLasting(object.value(QStringLiteral("name")).toString()))
        return std::nullopt;
    filter.listOn = object.contains(QStringLiteral("values"));
    for (const QJsonValue &value : object.value(QStringLiteral("values")).toArray())
        filter.values.append(bytesOfLasting(value.toString()));
    for (const QJsonValue &value : object.value(QStringLiteral("conditions")).toArray()) {
        const QJsonObject lasting = value.toObject();
        const TestName *name = nameOf(lasting.value(QStringLiteral("test")).toString());
        if (!name)
            return std::nullopt;
        filter.conditions.append({name->test, lasting.value(QStringLiteral("value")).toString(),
                                  lasting.value(QStringLiteral("second")).toString()});
    }
    filter.anyCondition = object.value(QStringLiteral("any")).toBool();
    if (!filter.isActive())
        return std::nullopt;
    return filter;
}

} // namespace

QString describeFieldFilter(const FieldFilter &filter, const Regional &regional)
{
    QStringList parts;
    if (filter.listOn) {
        // A long list is cut: the tooltip is a reminder, not the list itself.
        constexpr int shownValues = 8;
        QStringList values;
        for (int index = 0; index < filter.values.size() && index < shownValues; ++index) {
            const QByteArray &value = filter.values[index];
            values << (value.isEmpty() ? translated(QT_TRANSLATE_NOOP("ColumnFilter", "(empty)"))
                                       : regional.toText(value));
        }
        if (filter.values.size() > shownValues)
            values << QStringLiteral("…");
        parts << (filter.values.isEmpty()
                      ? translated(QT_TRANSLATE_NOOP("ColumnFilter", "no value"))
                      : translated(QT_TRANSLATE_NOOP("ColumnFilter", "one of: %1"))
                            .arg(values.join(u", ")));
    }
    QStringList conditions;
    for (const ColumnCondition &condition : filter.conditions) {
        const TestName *name = nameOf(condition.test);
        const QString text = translated(name->described);
        if (condition.test == ColumnTest::Between)
            conditions << text.arg(condition.value, condition.second);
        else
            conditions << (text.contains(u"%1") ? text.arg(condition.value) : text);
    }
    if (!conditions.isEmpty())
        parts << conditions.join(filter.anyCondition
                                     ? translated(QT_TRANSLATE_NOOP("ColumnFilter", " or "))
                                     : translated(QT_TRANSLATE_NOOP("ColumnFilter", " and ")));
    return parts.join(QStringLiteral("; "));
}

QString columnFiltersText(const ColumnFilters &filters, const Database &database)
{
    QJsonArray lasting;
    for (const FieldFilter &filter : filters.fields) {
        if (filter.field >= 1 && filter.field <= database.fieldCount())
            lasting.append(lastingFilter(filter, database));
    }
    if (lasting.isEmpty())
        return {};
    return QString::fromUtf8(QJsonDocument(lasting).toJson(QJsonDocument::Compact));
}

ColumnFilters columnFiltersFromText(const QString &text, const Database &database)
{
    ColumnFilters filters;
    for (const QJsonValue &value : QJsonDocument::fromJson(text.toUtf8()).array()) {
        if (const std::optional<FieldFilter> filter = filterOfLasting(value.toObject(), database))
            filters.set(*filter);
    }
    return filters;
}

} // namespace kribed
