// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/formats_suggestion_bar.h"

#include "core/editing/formats_check.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>

namespace kribed {

namespace {

QString quotedExamples(const QStringList &examples)
{
    QStringList quoted;
    for (const QString &example : examples)
        quoted << QStringLiteral("\"%1\"").arg(example);
    return quoted.join(QStringLiteral(", "));
}

} // namespace

FormatsSuggestionBar::FormatsSuggestionBar(QWidget *parent)
    : QWidget(parent)
    , mMessage(new QLabel(this))
    , mUse(new QPushButton(this))
    , mKeep(new QPushButton(tr("&Keep the desktop's formats"), this))
{
    setObjectName(QStringLiteral("formatsSuggestionBar"));
    mMessage->setObjectName(QStringLiteral("formatsSuggestionText"));
    mUse->setObjectName(QStringLiteral("useSuggestedFormats"));
    mKeep->setObjectName(QStringLiteral("keepDesktopFormats"));
    mMessage->setWordWrap(true);
    // The bar stands out from the grid as a note does, in the palette's tool-tip colours.
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, colours.color(QPalette::ToolTipBase));
    colours.setColor(QPalette::WindowText, colours.color(QPalette::ToolTipText));
    setPalette(colours);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(mMessage, 1);
    layout->addWidget(mUse);
    layout->addWidget(mKeep);
    connect(mUse, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT useSuggested();
    });
    connect(mKeep, &QPushButton::clicked, this, [this] {
        hide();
        Q_EMIT keepDesktop();
    });
    hide();
}

void FormatsSuggestionBar::suggest(const FormatsSuggestion &suggestion, const QString &desktopName)
{
    const QString name = formatsName(suggestion.locale);
    QString text = tr("The numbers and dates of this database read better in %1 formats: %2 of "
                      "%3 sampled cells read there, %4 in the desktop's formats (%5).")
                       .arg(name)
                       .arg(suggestion.readUnderSuggested)
                       .arg(suggestion.sampled)
                       .arg(suggestion.readUnderDesktop)
                       .arg(desktopName);
    if (!suggestion.examples.isEmpty())
        text += u' ' + tr("For example %1.").arg(quotedExamples(suggestion.examples));
    mMessage->setText(text);
    mUse->setText(tr("&Use %1 formats").arg(name));
    show();
}

} // namespace kribed
