// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/font_script_dialog.h"

#include "core/platform/code_page.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFontComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace kribed {

FontScriptDialog::FontScriptDialog(QWidget *parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Font"));
    mFamily = new QFontComboBox(this);
    mFamily->setObjectName(QStringLiteral("familyCombo"));
    mScript = new QComboBox(this);
    mScript->setObjectName(QStringLiteral("scriptCombo"));
    for (const FontScript &script : fontScripts())
        mScript->addItem(QCoreApplication::translate("FontScript", script.name), script.charSet);
    mSize = new QComboBox(this);
    mSize->setObjectName(QStringLiteral("sizeCombo"));
    for (int size = SmallestSize; size <= LargestSize; ++size)
        mSize->addItem(QString::number(size), size);
    mSample = new QLabel(this);
    mSample->setObjectName(QStringLiteral("sampleLabel"));
    mSample->setMinimumHeight(40);
    mSample->setFrameShape(QFrame::StyledPanel);

    auto *form = new QFormLayout;
    form->addRow(tr("&Font:"), mFamily);
    form->addRow(tr("&Script:"), mScript);
    form->addRow(tr("Si&ze:"), mSize);
    form->addRow(tr("Sample:"), mSample);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(mFamily, &QFontComboBox::currentFontChanged, this, &FontScriptDialog::showSample);
    connect(mScript, &QComboBox::currentIndexChanged, this, &FontScriptDialog::showSample);
    connect(mSize, &QComboBox::currentIndexChanged, this, &FontScriptDialog::showSample);
    showSample();
}

void FontScriptDialog::setChoice(const DisplayFontChoice &choice)
{
    mFamily->setCurrentFont(QFont(choice.family));
    const FontScript *script = fontScriptOf(choice.charSet);
    mScript->setCurrentIndex(std::max(0, mScript->findData(script ? script->charSet : 0)));
    const int size = std::clamp(choice.pointSize, SmallestSize, LargestSize);
    mSize->setCurrentIndex(mSize->findData(size));
    showSample();
}

DisplayFontChoice FontScriptDialog::choice() const
{
    return {mFamily->currentFont().family(), mScript->currentData().toInt(),
            mSize->currentData().toInt()};
}

void FontScriptDialog::showSample()
{
    const DisplayFontChoice chosen = choice();
    QFont font(chosen.family);
    font.setPointSize(chosen.pointSize);
    mSample->setFont(font);
    const FontScript *script = fontScriptOf(chosen.charSet);
    mSample->setText(script ? QString::fromUtf8(script->sample) : QString());
}

} // namespace kribed
