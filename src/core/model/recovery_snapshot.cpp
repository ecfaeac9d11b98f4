// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/model/recovery_snapshot.h"

#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"

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
            *error = QStringLiteral("the database cannot be written as it stands");
        return false;
    }
    return true;
}

bool writeRecoverySnapshot(const QString &path, RecoverySnapshot snapshot, QString *error)
{
    RecoveryData data;
    return recoveryDataOf(snapshot, data, error) && writeRecoveryFile(path, data, error);
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
