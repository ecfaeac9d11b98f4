// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/new_database_dialog.h"

#include "core/model/field_type.h"
#include "gui/dialogs/digit_keys.h"
#include "gui/dialogs/display_font.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kribed {

namespace {

QComboBox *editableBox(const QString &name, const QStringList &items, const QString &text,
                       QWidget *parent)
{
    auto *box = new QComboBox(parent);
    box->setObjectName(name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->addItems(items);
    box->setEditText(text);
    return box;
}

QStringList numbers(std::initializer_list<int> values)
{
    QStringList texts;
    for (const int value : values)
        texts << QString::number(value);
    return texts;
}

} // namespace

NewDatabaseDialog::NewDatabaseDialog(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , mPrompter(prompter)
{
    setObjectName(QStringLiteral("newDatabaseDialog"));
    setWindowTitle(tr("New Database"));

    mName = new QLineEdit(tr("New"), this);
    mName->setObjectName(QStringLiteral("nameEdit"));
    mColumns =
        editableBox(QStringLiteral("columnsCombo"), numbers({1, 2, 3, 5, 10, 15, 20, 30, 40, 50}),
                    QStringLiteral("5"), this);
    mRows = editableBox(QStringLiteral("rowsCombo"),
                        numbers({1, 2, 5, 10, 20, 50, 100, 200, 500, 1000, 2000, 5000, 9999}),
                        QStringLiteral("10"), this);
    mFieldType = new QComboBox(this);
    mFieldType->setObjectName(QStringLiteral("fieldTypeCombo"));
    mFieldType->addItems(typeNames());
    mFieldType->setCurrentIndex(-1);
    mFieldWidth = editableBox(QStringLiteral("fieldWidthCombo"),
                              numbers({10, 16, 20, 30, 40, 50, 60, 80, 100, 160, 300}),
                              QStringLiteral("60"), this);
    mOk = new QPushButton(tr("&OK"), this);
    mOk->setObjectName(QStringLiteral("okButton"));
    mOk->setDefault(true);
    mCancel = new QPushButton(tr("&Cancel"), this);
    mCancel->setObjectName(QStringLiteral("cancelButton"));

    auto *databaseBox = new QGroupBox(tr(" Database setup "), this);
    auto *databaseLayout = new QFormLayout(databaseBox);
    databaseLayout->addRow(tr("Name"), mName);
    databaseLayout->addRow(tr("Columns"), mColumns);
    databaseLayout->addRow(tr("Rows"), mRows);
    auto *fieldBox = new QGroupBox(tr(" Field setup "), this);
    auto *fieldLayout = new QFormLayout(fieldBox);
    fieldLayout->addRow(tr("Type"), mFieldType);
    fieldLayout->addRow(tr("Width"), mFieldWidth);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(mOk);
    buttons->addWidget(mCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(databaseBox);
    layout->addWidget(fieldBox);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    for (QComboBox *box : {mColumns, mRows, mFieldWidth}) {
        box->installEventFilter(this);
        box->lineEdit()->installEventFilter(this);
    }
    connect(mOk, &QPushButton::clicked, this, &NewDatabaseDialog::okClicked);
    connect(mCancel, &QPushButton::clicked, this, &NewDatabaseDialog::cancelClicked);
    setTabOrder(mName, mColumns);
    mName->setFocus();
}

void NewDatabaseDialog::preselectString(bool selectString)
{
    if (selectString)
        mFieldType->setCurrentIndex(StringType);
}

void NewDatabaseDialog::setDisplayFont(const QFont &font)
{
    giveDisplayFont(font, {mName});
}

NewDatabaseChoices NewDatabaseDialog::choices() const
{
    NewDatabaseChoices choices;
    choices.name = mName->text();
    choices.columns = mColumns->currentText();
    choices.rows = mRows->currentText();
    choices.width = mFieldWidth->currentText();
    choices.typeIndex = mFieldType->currentIndex();
    return choices;
}

void NewDatabaseDialog::okClicked()
{
    mShape = validateNewDatabase(choices(), mPrompter, mRegional);
    if (!mShape)
        return; // the dialog stays open with the user's input
    mName->setText(tr("New"));
    accept();
}

void NewDatabaseDialog::cancelClicked()
{
    mShape.reset();
    reject();
}

void NewDatabaseDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    mName->setFocus();
}

void NewDatabaseDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        cancelClicked();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool NewDatabaseDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && dropsKey(static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

bool NewDatabaseDialog::dropsKey(QKeyEvent *event) const
{
    return dropsNonDigitKey(*event);
}

} // namespace kribed
