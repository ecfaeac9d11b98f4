// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/go_to_record_dialog.h"

#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/platform/prompter.h"
#include "gui/dialogs/display_font.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace kribed {

namespace {

// As many digits as the largest record number has, and nothing else (signs, blanks and
// separators included, typed or pasted).
constexpr int NumberDigits = 4;
static_assert(MaxRecords < 10000, "the record number box holds four digits");

} // namespace

GoToRecordDialog::GoToRecordDialog(Prompter &prompter, QWidget *parent)
    : QDialog(parent)
    , mPrompter(prompter)
{
    setObjectName(QStringLiteral("goToRecordDialog"));
    setWindowTitle(tr("Go to record"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setModal(true);

    mNumber = new QLineEdit(this);
    mNumber->setObjectName(QStringLiteral("recordNumberEdit"));
    mNumber->setMaxLength(NumberDigits);
    mNumber->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(NumberDigits)), mNumber));
    auto *label = new QLabel(tr("&Record number"), this);
    label->setBuddy(mNumber);
    mRange = new QLabel(this);
    mRange->setObjectName(QStringLiteral("recordRangeLabel"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    mOk = buttons->button(QDialogButtonBox::Ok);
    mOk->setObjectName(QStringLiteral("okButton"));
    mOk->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));

    auto *form = new QFormLayout;
    form->addRow(label, mNumber);
    form->addRow(QString(), mRange);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // OK checks first; only a number it takes closes the dialog.
    connect(mOk, &QPushButton::clicked, this, &GoToRecordDialog::okClicked);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void GoToRecordDialog::prepare(const Database &database, int currentRecord)
{
    mDatabase = &database;
    mRecord = 0;
    mRange->setText(tr("1 to %1").arg(database.recordCount()));
    mNumber->setText(QString::number(currentRecord));
    mNumber->selectAll();
    mNumber->setFocus();
}

void GoToRecordDialog::setDisplayFont(const QFont &font)
{
    giveDisplayFont(font, {mNumber});
}

QString GoToRecordDialog::refusal(const QString &text) const
{
    const int count = mDatabase ? mDatabase->recordCount() : 0;
    bool isNumber = false;
    const int record = text.toInt(&isNumber);
    if (!isNumber || record < 1 || record > count)
        return tr("Please use a record number from 1 to %1.").arg(count);
    if (mDatabase->isHidden(record))
        return tr("Record %1 is hidden by the record filter.").arg(record);
    return QString();
}

void GoToRecordDialog::okClicked()
{
    const QString text = mNumber->text();
    const QString message = refusal(text);
    if (!message.isEmpty()) {
        mPrompter.ask({tr("Go to record"), message, Icon::Warning, Buttons::Ok});
        mNumber->selectAll();
        mNumber->setFocus();
        return;
    }
    mRecord = text.toInt();
    accept();
}

} // namespace kribed
