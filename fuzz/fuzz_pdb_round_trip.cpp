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
#include "fuzz_doubles.h"

#include <QBuffer>
#include <QDateTime>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace kribed;

// Goes on wherever the reader asks, and remembers whether the writer had to leave popups out.
class SilentPrompter : public fuzz::GoingOnPrompter
{
public:
    Answer ask(const Message &message) override
    {
        if (message.text == QLatin1String("Too much popups!"))
            popupsLeftOut = true;
        return GoingOnPrompter::ask(message);
    }
    bool popupsLeftOut = false;
};

[[noreturn]] void differ(const char *what, int field = 0, int record = 0)
{
    std::fprintf(stderr, "round trip changed %s (field %d, record %d)\n", what, field, record);
    std::abort();
}

// A value as it comes back from a save: what the file holds of it, with LF shown as CR LF.
QByteArray afterSave(const QByteArray &cell)
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

bool load(const QByteArray &bytes, Database &database, Prompter &prompter)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return readDatabase(buffer, QStringLiteral("/fuzz/input.pdb"), database, prompter)
           == LoadResult::Loaded;
}

void compareDefinitions(const Database &first, const Database &second)
{
    if (second.name() != first.name().left(MaxStoredDatabaseName))
        differ("the database name");
    if (second.fieldCount() != first.fieldCount() || second.recordCount() != first.recordCount())
        differ("the shape");
    for (int field = 1; field <= first.fieldCount(); ++field) {
        if (second.fieldName(field) != first.fieldName(field).left(AppInfo::NameSlotSize - 1))
            differ("a field name", field);
        if (second.fieldType(field) != first.fieldType(field))
            differ("a field type", field);
        if (second.widthUnits(field) != first.widthUnits(field))
            differ("a field width", field);
    }
    const DatabaseFlags &a = first.flags();
    const DatabaseFlags &b = second.flags();
    if (a.autoLock != b.autoLock || a.readOnly != b.readOnly || a.isPrivate != b.isPrivate
        || a.kriboFilter != b.kriboFilter)
        differ("the flags");
    if (second.secondarySortField() != first.secondarySortField()
        || second.tertiarySortField() != first.tertiarySortField())
        differ("the sort fields");
    if (second.filterText() != first.filterText().left(AppInfo::TextFieldSize - 1))
        differ("the filter text");
    // The writer put the model's values into the first image: the file must hold exactly that.
    if (second.appInfoImage().bytes() != first.appInfoImage().bytes())
        differ("the application-info block");
}

void compareContent(const Database &first, const Database &second, bool popupsLeftOut)
{
    for (int record = 1; record <= first.recordCount(); ++record) {
        for (int field = 1; field <= first.fieldCount(); ++field) {
            if (second.cell(field, record) != afterSave(first.cell(field, record)))
                differ("a value", field, record);
        }
    }
    for (int field = 1; field <= MaxFields; ++field) {
        // Lists of fields the database does not have are not written.
        const QList<QByteArray> expected =
            field <= first.fieldCount() ? first.popupList(field) : QList<QByteArray>();
        if (!popupsLeftOut && second.popupList(field) != expected)
            differ("a popup list", field);
    }
    if (!popupsLeftOut && second.extras() != first.extras())
        differ("the extras");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    SilentPrompter prompter;
    Database first;
    if (!load(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), first, prompter))
        return 0;

    QBuffer output;
    output.open(QIODevice::WriteOnly);
    const QDateTime saveTime(QDate(2024, 1, 1), QTime(0, 0));
    if (!writeDatabase(output, first, 1, saveTime, prompter))
        std::abort();

    Database second;
    SilentPrompter again;
    if (!load(output.data(), second, again))
        differ("whether it loads");
    compareDefinitions(first, second);
    compareContent(first, second, prompter.popupsLeftOut);
    return 0;
}
