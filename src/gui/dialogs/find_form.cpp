// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/find_form.h"

#include "core/model/regional.h"

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

namespace {

template<typename Widget> Widget *Named(Widget *widget, const char *name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

TFindForm::TFindForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TFindForm"));
    setWindowTitle(QStringLiteral("Find"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowCloseButtonHint);
    setModal(true);

    mFind = Named(new QLineEdit(this), "E_Find");
    mFields = Named(new QComboBox(this), "C_FindFields");
    mFields->setEditable(false);
    mMustBegin =
        Named(new QCheckBox(QStringLiteral("Field must begin with String"), this), "CB_FmbwS");
    mFromStart = Named(new QCheckBox(QStringLiteral("Find from the start"), this), "CB_FftS");
    mFindButton = Named(new QPushButton(QStringLiteral("&Find"), this), "B_Find");
    mCloseButton = Named(new QPushButton(QStringLiteral("&Close"), this), "B_Close");
    mFindButton->setDefault(true);
    mFindButton->setAutoDefault(true);
    mCloseButton->setAutoDefault(false);

    auto *findLabel = Named(new QLabel(QStringLiteral("Find  String"), this), "L_Find");
    findLabel->setBuddy(mFind);
    auto *fieldLabel = Named(new QLabel(QStringLiteral("in Field"), this), "L_FindFields");
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

    connect(mFindButton, &QPushButton::clicked, this, &TFindForm::B_FindClick);
    connect(mCloseButton, &QPushButton::clicked, this, &TFindForm::B_CloseClick);
}

void TFindForm::FormShow(const QStringList &fieldNames, int currentRow)
{
    {
        const QSignalBlocker blocker(mFields);
        mFields->clear();
        mFields->addItem(QStringLiteral("All Fields"));
        mFields->addItems(fieldNames);
    }
    mFromStart->setChecked(currentRow == 1);
    mFields->setCurrentIndex(0);
    mFind->setFocus();
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

FindSettings TFindForm::Settings() const
{
    FindSettings settings;
    settings.text = currentRegional().toBytes(mFind->text());
    settings.field = qMax(0, mFields->currentIndex());
    settings.mustBegin = mMustBegin->isChecked();
    settings.fromStart = mFromStart->isChecked();
    return settings;
}

void TFindForm::B_FindClick()
{
    accept();
}

void TFindForm::B_CloseClick()
{
    mState.findActive = false;
    reject();
}

} // namespace kribed
