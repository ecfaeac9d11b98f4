// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/readme_window.h"

#include "gui/dialogs/accessible_parts.h"
#include "gui/dialogs/display_font.h"
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
    setWindowTitle(tr("Read Me"));
    setModal(false);
    setSizeGripEnabled(true);
    resize(438, 315);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    mMemo = new QPlainTextEdit(this);
    mMemo->setObjectName(QStringLiteral("guideTextEdit"));
    mMemo->setReadOnly(true);
    mMemo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mMemo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mMemo->setPlainText(flowingText(guideText()));
    layout->addWidget(mMemo);
    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("statusBar"));
    layout->addWidget(status);
    mMemo->setAccessibleName(windowTitle());
    status->setAccessibleName(tr("Status"));
    nameSizeGrips(*this);
    nameSizeGrips(*status);

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

QString ReadmeWindow::flowingText(const QString &text)
{
    QStringList lines;
    bool continues = false; // the line before goes on in the next one
    bool afterEmpty = true;
    for (const QString &line : text.split(u'\n')) {
        const QString trimmed = line.trimmed();
        if (continues && !trimmed.isEmpty() && !trimmed.startsWith(QStringLiteral("- ")))
            lines.last() += u' ' + trimmed;
        else
            lines << line;
        const bool heading = afterEmpty && !trimmed.isEmpty();
        continues =
            !trimmed.isEmpty() && !heading && !QStringView(u".:!?").contains(trimmed.back());
        afterEmpty = trimmed.isEmpty();
    }
    return lines.join(u'\n');
}

void ReadmeWindow::setDisplayFont(const QFont &font)
{
    giveDisplayFont(font, {mMemo});
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
