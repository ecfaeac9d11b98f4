// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/regional.h"
#include "gui/dialogs/properties_dialog.h"
#include "scripted_prompter.h"
#include "test_regional.h"

#include <QComboBox>
#include <QListWidget>
#include <QLocale>
#include <QStringList>

#include <memory>

namespace kribed::test {

inline const QStringList Colours{QStringLiteral("Red"), QStringLiteral("Blue"),
                                 QStringLiteral("Green")};

// Five fields, three records; field 2 is a "Normal PopUp" field with Red, Blue, Green.
inline Database makeDatabase()
{
    Database database;
    database.resetAppInfo();
    database.setShape(5, 3);
    const QList<QByteArray> names{"Name", "Colour", "Town", "Zip", "Note"};
    for (int k = 1; k <= 5; ++k) {
        database.setFieldName(k, names[k - 1]);
        database.setColumnWidth(k, database.unitsToPixels(40));
    }
    database.setName("Customers");
    database.setFieldType(2, NormalPopupType);
    database.popupList(2) = {"Red", "Blue", "Green"};
    const QList<QByteArray> towns{"Berlin", "Bonn", "Aachen"};
    for (int r = 1; r <= 3; ++r)
        database.setCell(3, r, towns[r - 1]);
    return database;
}

inline QStringList items(const QListWidget *list)
{
    QStringList items;
    for (int row = 0; row < list->count(); ++row)
        items << list->item(row)->text();
    return items;
}

inline QStringList items(const QComboBox *box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

inline QStringList texts(const QList<QByteArray> &bytes)
{
    QStringList texts;
    for (const QByteArray &item : bytes)
        texts << QString::fromLatin1(item);
    return texts;
}

// A new dialog on the database above for every test, with scripted messages. A test class
// derives from it next to QObject and calls these helpers from its own init.
class PropertiesDialogFixture
{
protected:
    void startTest()
    {
        mPrompter = ScriptedPrompter();
        mDialog = std::make_unique<PropertiesDialog>(mPrompter);
        mDialog->setRegional(testRegional());
        mDatabase = makeDatabase();
    }

    template<class T> T *child(const char *name)
    {
        T *child = mDialog->findChild<T *>(QString::fromLatin1(name));
        if (!child)
            qFatal("no control %s", name);
        return child;
    }

    void chooseType(int index)
    {
        auto *box = child<QComboBox>("fieldTypeCombo");
        box->setCurrentIndex(index);
        Q_EMIT box->activated(index);
    }

    ScriptedPrompter mPrompter;
    std::unique_ptr<PropertiesDialog> mDialog;
    Database mDatabase;
};

} // namespace kribed::test
