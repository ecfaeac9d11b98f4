// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QObject>
#include <QString>

class QMimeData;

namespace kribed {

// What a drag brings, judged by its one local file's extension: a database to open, a text file
// to import, or something the window refuses.
struct DroppedFile
{
    enum class Kind { Refused, Database, Text };
    Kind kind = Kind::Refused;
    QString path;
};

// A single local file ending in .pdb (database) or .csv/.txt (text), in any letter case; several
// files, folders' contents, remote URLs and plain text are refused.
DroppedFile classifyDrop(const QMimeData *data);

// Watches a window for files dragged onto it. A drag it refuses is ignored at its entry, so the
// desktop shows its no-drop cursor; a drop it accepts is passed on as a signal after the event
// has been handled, so the questions of the open and import routines do not block the drag's
// source application.
class FileDropFilter : public QObject
{
    Q_OBJECT

public:
    // Accepts drops on `window` (and makes it accept them).
    explicit FileDropFilter(QWidget *window);

Q_SIGNALS:
    void databaseDropped(const QString &path);
    void textFileDropped(const QString &path);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace kribed
