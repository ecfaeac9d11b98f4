// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

namespace kribed {

constexpr int MaxFields = 50;
constexpr int MaxRecords = 9999;
constexpr int MaxFieldNameLength = 20;    // stored and accepted by the dialogs
constexpr int MaxDatabaseNameLength = 30; // accepted by the dialogs
constexpr int MaxStoredDatabaseName = 31; // written to the header
constexpr int MaxFieldWidthUnits = 300;
constexpr int MaxValueBytes = 4000;
constexpr int MaxPopupAreaBytes = 2500;
constexpr int MaxFilterTextLength = 15;
constexpr int ShownRowHeight = 22;
constexpr int MinLoadedColumnWidth = 10; // pixels

} // namespace kribed
