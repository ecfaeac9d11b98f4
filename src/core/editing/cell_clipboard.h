// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/edit_result.h"

#include <QByteArray>
#include <QDateTime>

namespace kribed {

class Database;
class Regional;

// The cell commands' work on the database; the GUI moves the text to and from the system
// clipboard. Cut returns the cell's text for the clipboard, stamps the record and then empties
// the cell (so a Modification Date or Time cell that is cut ends empty) and marks the database
// changed.
EditResult cutCell(Database &database, int field, int record, const QDateTime &now,
                   const Regional &regional, QByteArray *cutText);
// Copy changes nothing: the text is simply the cell's.
QByteArray copyCell(const Database &database, int field, int record);
// Paste stores the clipboard's text as it is (line breaks and tabs included, whatever the type),
// then stamps the record and marks the database changed.
EditResult pasteCell(Database &database, int field, int record, const QByteArray &text,
                     const QDateTime &now, const Regional &regional);

// The cell editor's OK with a changed text: the database counts as changed, the record is stamped,
// and only then is the text stored, so a text typed into a Modification Date or Time cell stays.
// A text equal to the cell's changes nothing.
EditResult storeEditedText(Database &database, int field, int record, const QByteArray &text,
                           const QDateTime &now, const Regional &regional);

} // namespace kribed
