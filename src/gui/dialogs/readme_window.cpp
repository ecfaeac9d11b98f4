// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/readme_window.h"

#include "gui/dialogs/user_guide.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace kribed {

ReadmeWindow::ReadmeWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("readmeWindow"));
    setWindowTitle(QStringLiteral("Read Me"));
    setModal(false);
    setSizeGripEnabled(true);
    resize(438, 315);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mMemo = new QPlainTextEdit(this);
    mMemo->setObjectName(QStringLiteral("guideTextEdit"));
    mMemo->setReadOnly(true);
    mMemo->setLineWrapMode(QPlainTextEdit::NoWrap);
    mMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMemo->setPlainText(guideText());
    layout->addWidget(mMemo);
    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("statusBar"));
    layout->addWidget(status);

    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

QString ReadmeWindow::guideText()
{
    return userGuideText();
}

void ReadmeWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kribed
