// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/about_dialog.h"

#include "core/platform/project_address.h"
#include "core/platform/prompter.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace kribed {

namespace {

bool openWithDesktopOrBrowser(const QUrl &url)
{
    if (QDesktopServices::openUrl(url))
        return true;
    for (const QString &browser : {QStringLiteral("x-www-browser"), QStringLiteral("firefox")}) {
        if (QProcess::startDetached(browser, {url.toString()}))
            return true;
    }
    return false;
}

} // namespace

QString AboutDialog::webAddress()
{
    return projectWebAddress();
}

QString AboutDialog::mailAddress()
{
    return QStringLiteral("info@kribed.example.org");
}

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent)
    , mOpener(openWithDesktopOrBrowser)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setWindowTitle(tr("About"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("pictureLabel"));
    picture->setPixmap(QApplication::windowIcon().pixmap(48, 48));
    auto *title = new QLabel(tr("Kribed PRO"), this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 6);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto *top = new QHBoxLayout;
    top->addWidget(picture);
    top->addWidget(title, 1);
    layout->addLayout(top);

    auto *version = new QLabel(
        tr("Version %1, built %2").arg(QStringLiteral(KRIBED_VERSION), QStringLiteral(__DATE__)),
        this);
    version->setObjectName(QStringLiteral("versionLabel"));
    layout->addWidget(version);
    layout->addWidget(new QLabel(tr("For more information on Kribed PRO please visit"), this));

    auto *web = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(webAddress()), this);
    web->setObjectName(QStringLiteral("webLabel"));
    web->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(web, &QLabel::linkActivated, this, &AboutDialog::openWebAddress);
    layout->addWidget(web);
    auto *mail =
        new QLabel(tr("<a href=\"%1\">or email %2</a>").arg(webAddress(), mailAddress()), this);
    mail->setObjectName(QStringLiteral("emailLabel"));
    mail->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(mail, &QLabel::linkActivated, this, &AboutDialog::openWebAddress);
    layout->addWidget(mail);

    mHeart = new QLabel(QStringLiteral("\u2665"), this);
    mHeart->setObjectName(QStringLiteral("heartLabel"));
    mHeart->setStyleSheet(QStringLiteral("color: #c02040; font-size: 24px;"));
    mHeart->setVisible(false);
    layout->addWidget(mHeart, 0, Qt::AlignHCenter);

    auto *ok = new QPushButton(tr("&OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void AboutDialog::keyPressEvent(QKeyEvent *event)
{
    if (event->text() == QStringLiteral("@")) {
        mHeart->setVisible(true);
        return;
    }
    QDialog::keyPressEvent(event);
}

void AboutDialog::openWebAddress()
{
    QApplication::beep();
    if (mOpener(QUrl(webAddress())) || !mPrompter)
        return;
    mPrompter->ask({tr("Information"), tr("Sorry your web browser could not be found"),
                    Icon::Information, Buttons::Ok});
}

} // namespace kribed
