// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

// Private to core/editing: the record half of database_compare.cpp.

#include "core/editing/database_compare.h"

namespace kribed {

// Fills comparison.records, the counts and keyPair from the field pairs already made.
void compareRecords(const Database &older, const Database &newer, const CompareOptions &options,
                    DatabaseComparison &comparison);

} // namespace kribed
