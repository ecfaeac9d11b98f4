// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
//
// Whatever the reader accepts is written and read again, and the second database must equal the
// first: name, field definitions, every value, the popup lists, the extras, the database-level
// values and the whole application-info block. Only what the file format itself cannot hold may
// differ, and only as the writer documents it: names and texts cut to their fields, control
// characters other than LF and TAB left out of values, values cut to 4000 bytes.
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/pdb_reader.h"
#include "core/model/pdb_writer.h"
#include "core/platform/prompter.h"

#include <QBuffer>
#include <QDateTime>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace kribed;

// Goes on wherever the reader asks, and remembers whether the writer had to leave popups out.
class SilentPrompter : public Prompter
{
public:
    Answer Ask(const Message &message) override
    {
        if (message.text == QLatin1String("Too much popups!"))
            popupsLeftOut = true;
        return message.buttons == Buttons::RetryCancel ? Answer::Retry : Answer::Ok;
    }
    bool popupsLeftOut = false;
};

[[noreturn]] void Differ(const char *what, int field = 0, int record = 0)
{
    std::fprintf(stderr, "round trip changed %s (field %d, record %d)\n", what, field, record);
    std::abort();
}

// A value as it comes back from a save: what the file holds of it, with LF shown as CR LF.
QByteArray AfterSave(const QByteArray &cell)
{
    QByteArray stored;
    for (const char byte : cell) {
        if (stored.size() == MaxValueBytes)
            break;
        if (uchar(byte) >= 0x20 || byte == '\n' || byte == '\t')
            stored.append(byte);
    }
    return stored.replace("\n", "\r\n");
}

bool Load(const QByteArray &bytes, Database &database, Prompter &prompter)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ReadDatabase(buffer, QStringLiteral("/fuzz/input.pdb"), database, prompter)
           == LoadResult::Loaded;
}

void CompareDefinitions(const Database &first, const Database &second)
{
    if (second.Name() != first.Name().left(MaxStoredDatabaseName))
        Differ("the database name");
    if (second.FieldCount() != first.FieldCount() || second.RecordCount() != first.RecordCount())
        Differ("the shape");
    for (int field = 1; field <= first.FieldCount(); ++field) {
        if (second.FieldName(field) != first.FieldName(field).left(AppInfo::NameSlotSize - 1))
            Differ("a field name", field);
        if (second.FieldType(field) != first.FieldType(field))
            Differ("a field type", field);
        if (second.WidthUnits(field) != first.WidthUnits(field))
            Differ("a field width", field);
    }
    const DatabaseFlags &a = first.Flags();
    const DatabaseFlags &b = second.Flags();
    if (a.autoLock != b.autoLock || a.readOnly != b.readOnly || a.isPrivate != b.isPrivate
        || a.kriboFilter != b.kriboFilter)
        Differ("the flags");
    if (second.SecondarySortField() != first.SecondarySortField()
        || second.TertiarySortField() != first.TertiarySortField())
        Differ("the sort fields");
    if (second.FilterText() != first.FilterText().left(AppInfo::TextFieldSize - 1))
        Differ("the filter text");
    // The writer put the model's values into the first image: the file must hold exactly that.
    if (second.AppInfoImage().Bytes() != first.AppInfoImage().Bytes())
        Differ("the application-info block");
}

void CompareContent(const Database &first, const Database &second, bool popupsLeftOut)
{
    for (int record = 1; record <= first.RecordCount(); ++record) {
        for (int field = 1; field <= first.FieldCount(); ++field) {
            if (second.Cell(field, record) != AfterSave(first.Cell(field, record)))
                Differ("a value", field, record);
        }
    }
    for (int field = 1; field <= MaxFields; ++field) {
        // Lists of fields the database does not have are not written.
        const QList<QByteArray> expected =
            field <= first.FieldCount() ? first.PopupList(field) : QList<QByteArray>();
        if (!popupsLeftOut && second.PopupList(field) != expected)
            Differ("a popup list", field);
    }
    if (!popupsLeftOut && second.Extras() != first.Extras())
        Differ("the extras");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SilentPrompter prompter;
    Database first;
    if (!Load(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), first, prompter))
        return 0;

    QBuffer output;
    output.open(QIODevice::WriteOnly);
    const QDateTime saveTime(QDate(2024, 1, 1), QTime(0, 0));
    if (!WriteDatabase(output, first, 1, saveTime, prompter))
        std::abort();

    Database second;
    SilentPrompter again;
    if (!Load(output.data(), second, again))
        Differ("whether it loads");
    CompareDefinitions(first, second);
    CompareContent(first, second, prompter.popupsLeftOut);
    return 0;
}
