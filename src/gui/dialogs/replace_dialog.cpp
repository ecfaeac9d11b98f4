// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/replace_dialog.h"

#include "gui/dialogs/display_font.h"
#include "gui/dialogs/named_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kribed {

ReplaceDialog::ReplaceDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("replaceDialog"));
    setWindowTitle(tr("Replace"));
    setModal(false);

    mFind = named(new QLineEdit(this), "replaceFindEdit");
    mReplacement = named(new QLineEdit(this), "replaceWithEdit");
    mExpressionError = named(new QLabel(this), "expressionErrorLabel");
    mExpressionError->setWordWrap(true);
    QPalette errorPalette = mExpressionError->palette();
    errorPalette.setColor(QPalette::WindowText, Qt::red);
    mExpressionError->setPalette(errorPalette);
    mExpressionError->hide();
    mFields = named(new QComboBox(this), "replaceFieldCombo");
    mFields->setPlaceholderText(tr("Choose a field"));
    mMatchCase = named(new QCheckBox(tr("&Match case"), this), "matchCaseCheckBox");
    mWholeCell = named(new QCheckBox(tr("&Whole cell"), this), "wholeCellCheckBox");
    mRegularExpression =
        named(new QCheckBox(tr("Regular e&xpression"), this), "regularExpressionCheckBox");
    mInSelection = named(new QCheckBox(tr("In &selection"), this), "inSelectionCheckBox");
    mIncludeHidden =
        named(new QCheckBox(tr("Include &hidden records"), this), "includeHiddenCheckBox");
    mFindNext = named(new QPushButton(tr("&Find next"), this), "findNextButton");
    mReplace = named(new QPushButton(tr("&Replace"), this), "replaceButton");
    mReplaceAll = named(new QPushButton(tr("Replace &all"), this), "replaceAllButton");
    mClose = named(new QPushButton(tr("&Close"), this), "closeButton");
    mFindNext->setDefault(true);

    auto *findLabel = named(new QLabel(tr("Fi&nd"), this), "replaceFindLabel");
    findLabel->setBuddy(mFind);
    auto *withLabel = named(new QLabel(tr("Replace wi&th"), this), "replaceWithLabel");
    withLabel->setBuddy(mReplacement);
    auto *fieldLabel = named(new QLabel(tr("in Fiel&d"), this), "replaceFieldLabel");
    fieldLabel->setBuddy(mFields);

    auto *form = new QGridLayout;
    form->addWidget(findLabel, 0, 0);
    form->addWidget(mFind, 0, 1);
    form->addWidget(mExpressionError, 1, 1);
    form->addWidget(withLabel, 2, 0);
    form->addWidget(mReplacement, 2, 1);
    form->addWidget(fieldLabel, 3, 0);
    form->addWidget(mFields, 3, 1);
    auto *options = new QGridLayout;
    options->addWidget(mMatchCase, 0, 0);
    options->addWidget(mWholeCell, 0, 1);
    options->addWidget(mRegularExpression, 1, 0);
    options->addWidget(mInSelection, 1, 1);
    options->addWidget(mIncludeHidden, 2, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    for (QPushButton *button : {mFindNext, mReplace, mReplaceAll, mClose})
        buttons->addWidget(button);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addLayout(options);
    left->addStretch();
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
    setMinimumWidth(460);

    connect(mFindNext, &QPushButton::clicked, this, &ReplaceDialog::findNextRequested);
    connect(mReplace, &QPushButton::clicked, this, &ReplaceDialog::replaceRequested);
    connect(mReplaceAll, &QPushButton::clicked, this, &ReplaceDialog::replaceAllRequested);
    connect(mClose, &QPushButton::clicked, this, &QDialog::close);
    connect(mFind, &QLineEdit::textChanged, this, &ReplaceDialog::checkExpression);
    connect(mRegularExpression, &QCheckBox::toggled, this, &ReplaceDialog::checkExpression);
    connect(mFields, &QComboBox::currentIndexChanged, this, &ReplaceDialog::checkExpression);
    connect(mInSelection, &QCheckBox::toggled, this, [this] { offerSelection(mBlockSelected); });
    checkExpression();
}

void ReplaceDialog::prepare(const QStringList &fieldNames, bool blockSelected, bool filterOn)
{
    {
        const QSignalBlocker blocker(mFields);
        const int chosen = mFields->currentIndex();
        mFields->clear();
        mFields->addItem(tr("All Fields"));
        mFields->addItems(fieldNames);
        mFields->setCurrentIndex(chosen > 0 && chosen < mFields->count() ? chosen : 0);
    }
    if (!blockSelected)
        mInSelection->setChecked(false);
    offerSelection(blockSelected);
    mIncludeHidden->setEnabled(filterOn);
    mFind->setFocus();
    mFind->selectAll();
}

void ReplaceDialog::showFields(const QStringList &fieldNames, int chosenField)
{
    {
        const QSignalBlocker blocker(mFields);
        mFields->clear();
        mFields->addItem(tr("All Fields"));
        mFields->addItems(fieldNames);
        mFields->setCurrentIndex(chosenField >= 0 && chosenField < mFields->count() ? chosenField
                                                                                    : -1);
    }
    checkExpression();
}

int ReplaceDialog::chosenField() const
{
    return mFields->currentIndex();
}

void ReplaceDialog::offerSelection(bool blockSelected)
{
    mBlockSelected = blockSelected;
    mInSelection->setEnabled(blockSelected || mInSelection->isChecked());
}

void ReplaceDialog::setDisplayFont(const QFont &font)
{
    giveDisplayFont(font, {mFind, mReplacement, mFields});
}

ReplaceSettings ReplaceDialog::settings() const
{
    ReplaceSettings settings;
    settings.find = mFind->text();
    settings.replacement = mReplacement->text();
    settings.field = chosenField();
    settings.matchCase = mMatchCase->isChecked();
    settings.wholeCell = mWholeCell->isChecked();
    settings.regularExpression = mRegularExpression->isChecked();
    settings.includeHidden = mIncludeHidden->isEnabled() && mIncludeHidden->isChecked();
    return settings;
}

bool ReplaceDialog::inSelection() const
{
    return mInSelection->isEnabled() && mInSelection->isChecked();
}

void ReplaceDialog::checkExpression()
{
    QString error;
    if (mRegularExpression->isChecked()) {
        const QRegularExpression expression(mFind->text());
        if (!expression.isValid())
            error = expression.errorString();
    }
    mExpressionError->setText(error);
    mExpressionError->setVisible(!error.isEmpty());
    for (QPushButton *button : {mFindNext, mReplace, mReplaceAll})
        button->setEnabled(error.isEmpty() && chosenField() >= 0);
}

} // namespace kribed
