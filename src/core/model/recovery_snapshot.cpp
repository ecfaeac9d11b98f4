// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/recovery_snapshot.h"

#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"
#include "core/platform/safe_file.h"

#include <QBuffer>

namespace kribed {

namespace {

// The writer's one message ("Too much popups!") is the user's business at the next save, not
// at a write nobody asked for.
class QuietPrompter : public Prompter
{
public:
    Answer ask(const Message &) override { return Answer::Ok; }
};

QString refusedText()
{
    return QStringLiteral("the database cannot be written as it stands");
}

} // namespace

RecoverySnapshot takeRecoverySnapshot(const Database &database, int currentColumn,
                                      const RecoveryOrigin &origin)
{
    return {database, currentColumn, origin, QDateTime::currentDateTimeUtc()};
}

bool recoveryDataOf(RecoverySnapshot &snapshot, RecoveryData &data, QString *error)
{
    data.origin = snapshot.origin;
    data.written = snapshot.taken;
    data.database.clear();
    QBuffer buffer(&data.database);
    buffer.open(QIODevice::WriteOnly);
    QuietPrompter quiet;
    if (!writeDatabase(buffer, snapshot.database, snapshot.currentColumn,
                       snapshot.taken.toLocalTime(), quiet)) {
        if (error)
            *error = refusedText();
        return false;
    }
    return true;
}

// The database goes from the writer straight into the file: built in memory first, its bytes
// would be copied into a growing buffer and once more on their way to the disk, about a quarter
// of the disk's own time at the largest size.
bool writeRecoverySnapshot(const QString &path, RecoverySnapshot snapshot, QString *error)
{
    QuietPrompter quiet;
    bool refused = false;
    const auto writeFile = [&](QIODevice &device) {
        bool announced = false;
        const auto writeHeader = [&](qint64 databaseBytes) {
            announced = true;
            const QByteArray header =
                recoveryHeader(snapshot.origin, snapshot.taken, databaseBytes);
            return device.write(header) == header.size();
        };
        const bool written = writeDatabase(device, snapshot.database, snapshot.currentColumn,
                                           snapshot.taken.toLocalTime(), quiet, writeHeader);
        refused = !written && !announced;
        return written;
    };
    const bool written = safeWriteFile(path, QString(), writeFile, error);
    if (refused && error)
        *error = refusedText();
    return written;
}

LoadResult readRecoveredDatabase(const QByteArray &bytes, const QString &path, Database &database,
                                 Prompter &prompter)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readDatabase(buffer, path, database, prompter);
}

} // namespace kribed
