// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include <QString>

#include <array>

namespace kribed {

class Database;
class Regional;

// The window title with no database, and after a database's name.
QString defaultWindowTitle();
QString windowCaption(const Database &database, const Regional &regional);

constexpr int StatusPanelCount = 7;
using StatusPanels = std::array<QString, StatusPanelCount>;

struct ToggleStates
{
    bool autoSizing = false;
    bool filter = false;
    bool rowSum = false;
};

// The seven status-bar panels for the current cell (field, record): position, the three toggle
// letters, the modification date and the file path with its modified mark.
StatusPanels statusPanelTexts(const Database &database, int field, int record,
                              const ToggleStates &toggles, const Regional &regional);

// The same panels as a screen reader speaks them, in words: "Record 3 of 120", "Column 2 of 5",
// each toggle on or off, "File date" and the date, the path and whether it has unsaved changes.
StatusPanels spokenStatusPanelTexts(const Database &database, int field, int record,
                                    const ToggleStates &toggles, const Regional &regional);

} // namespace kribed
