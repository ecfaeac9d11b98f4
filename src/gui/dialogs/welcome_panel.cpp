// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/welcome_panel.h"

#include "core/platform/recent_files.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace kribed {

namespace {

QToolButton *commandButton(QAction *action, QWidget *parent)
{
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setIconSize(QSize(32, 32));
    button->setMinimumWidth(96);
    button->setAutoRaise(true);
    return button;
}

} // namespace

WelcomePanel::WelcomePanel(QAction *openAction, QAction *newAction, QAction *importAction,
                           QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("WelcomePanel"));
    setFrameShape(QFrame::StyledPanel);
    setFrameShadow(QFrame::Sunken);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Base);

    auto *title = new QLabel(QStringLiteral("Kribed PRO"), this);
    title->setObjectName(QStringLiteral("WelcomeTitle"));
    QFont titleFont = title->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 2.2);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QAction *action : {openAction, newAction, importAction})
        buttons->addWidget(commandButton(action, this));
    buttons->addStretch();

    mRecentHeading = new QLabel(tr("Recent files"), this);
    mRecentHeading->setAlignment(Qt::AlignCenter);
    QFont headingFont = mRecentHeading->font();
    headingFont.setBold(true);
    mRecentHeading->setFont(headingFont);
    mRecentLinks = new QLabel(this);
    mRecentLinks->setObjectName(QStringLiteral("RecentLinks"));
    mRecentLinks->setAlignment(Qt::AlignCenter);
    mRecentLinks->setTextFormat(Qt::RichText);
    mRecentLinks->setTextInteractionFlags(Qt::LinksAccessibleByMouse
                                          | Qt::LinksAccessibleByKeyboard);
    connect(mRecentLinks, &QLabel::linkActivated, this, [this](const QString &link) {
        bool ok = false;
        const int slot = link.toInt(&ok);
        if (ok && slot >= 0 && slot < RecentFileCount)
            Q_EMIT recentFileChosen(slot);
    });

    auto *layout = new QVBoxLayout(this);
    layout->addStretch(2);
    layout->addWidget(title);
    layout->addSpacing(24);
    layout->addLayout(buttons);
    layout->addSpacing(24);
    layout->addWidget(mRecentHeading);
    layout->addWidget(mRecentLinks);
    layout->addStretch(3);

    setRecentFiles(RecentFiles());
}

void WelcomePanel::setRecentFiles(const RecentFiles &recent)
{
    QStringList lines;
    for (int slot = 0; slot < RecentFileCount; ++slot) {
        if (!recent.isFilled(slot))
            continue;
        const QFileInfo file(recent.path(slot));
        // The link carries the slot, never the path: a path may hold any character.
        lines << QStringLiteral("<a href=\"%1\">%2</a> <small>%3</small>")
                     .arg(slot)
                     .arg(file.completeBaseName().toHtmlEscaped(),
                          QDir::toNativeSeparators(file.path()).toHtmlEscaped());
    }
    mRecentLinks->setText(lines.join(QStringLiteral("<br>")));
    mRecentHeading->setVisible(!lines.isEmpty());
    mRecentLinks->setVisible(!lines.isEmpty());
}

} // namespace kribed
