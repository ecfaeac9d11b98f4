// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/find_dialog.h"

#include "core/model/regional.h"
#include "gui/dialogs/display_font.h"
#include "gui/dialogs/named_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace kribed {

FindDialog::FindDialog(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(tr("Find"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setModal(true);

    mFind = named(new QLineEdit(this), "findEdit");
    mFields = named(new QComboBox(this), "findFieldCombo");
    mFields->setEditable(false);
    mMustBegin =
        named(new QCheckBox(tr("Field must begin with String"), this), "mustBeginCheckBox");
    mFromStart = named(new QCheckBox(tr("Find from the start"), this), "fromStartCheckBox");
    mFindButton = named(new QPushButton(tr("&Find"), this), "findButton");
    mCloseButton = named(new QPushButton(tr("&Close"), this), "closeButton");
    mFindButton->setDefault(true);
    mFindButton->setAutoDefault(true);
    mCloseButton->setAutoDefault(false);

    auto *findLabel = named(new QLabel(tr("Find  String"), this), "findLabel");
    findLabel->setBuddy(mFind);
    auto *fieldLabel = named(new QLabel(tr("in Field"), this), "findFieldLabel");
    fieldLabel->setBuddy(mFields);

    auto *form = new QGridLayout;
    form->addWidget(findLabel, 0, 0);
    form->addWidget(mFind, 0, 1);
    form->addWidget(fieldLabel, 1, 0);
    form->addWidget(mFields, 1, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(mFindButton);
    buttons->addWidget(mCloseButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mMustBegin);
    layout->addWidget(mFromStart);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(280, 162);

    connect(mFindButton, &QPushButton::clicked, this, &FindDialog::findClicked);
    connect(mCloseButton, &QPushButton::clicked, this, &FindDialog::closeClicked);
}

void FindDialog::prepare(const QStringList &fieldNames, int currentRow)
{
    {
        const QSignalBlocker blocker(mFields);
        mFields->clear();
        mFields->addItem(tr("All Fields"));
        mFields->addItems(fieldNames);
    }
    mFromStart->setChecked(currentRow == 1);
    mFields->setCurrentIndex(0);
    mFind->setFocus();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void FindDialog::setDisplayFont(const QFont &font)
{
    giveDisplayFont(font, {mFind});
}

FindSettings FindDialog::settings(const Regional &regional) const
{
    FindSettings settings;
    settings.text = regional.toBytes(mFind->text());
    settings.field = qMax(0, mFields->currentIndex());
    settings.mustBegin = mMustBegin->isChecked();
    settings.fromStart = mFromStart->isChecked();
    return settings;
}

void FindDialog::findClicked()
{
    accept();
}

void FindDialog::closeClicked()
{
    mState.findActive = false;
    reject();
}

} // namespace kribed
