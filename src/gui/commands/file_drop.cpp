// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/commands/file_drop.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace kribed {

DroppedFile classifyDrop(const QMimeData *data)
{
    if (!data || !data->hasUrls())
        return {};
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.first().isLocalFile())
        return {};
    const QFileInfo file(urls.first().toLocalFile());
    if (file.isDir())
        return {};
    const QString suffix = file.suffix().toLower();
    if (suffix == QStringLiteral("pdb"))
        return {DroppedFile::Kind::Database, file.absoluteFilePath()};
    if (suffix == QStringLiteral("csv") || suffix == QStringLiteral("txt"))
        return {DroppedFile::Kind::Text, file.absoluteFilePath()};
    return {};
}

FileDropFilter::FileDropFilter(QWidget *window)
    : QObject(window)
{
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

bool FileDropFilter::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        if (classifyDrop(drag->mimeData()).kind == DroppedFile::Kind::Refused) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const DroppedFile file = classifyDrop(drop->mimeData());
        if (file.kind == DroppedFile::Kind::Refused) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        QTimer::singleShot(0, this, [this, file] {
            if (file.kind == DroppedFile::Kind::Database)
                Q_EMIT databaseDropped(file.path);
            else
                Q_EMIT textFileDropped(file.path);
        });
        return true;
    }
    default: return QObject::eventFilter(watched, event);
    }
}

} // namespace kribed
