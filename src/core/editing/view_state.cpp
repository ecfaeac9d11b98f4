// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/view_state.h"

namespace kribed {

bool FilterCondition::operator==(const FilterCondition &other) const
{
    return field == other.field && text == other.text && mustBeginWith == other.mustBeginWith
           && exclude == other.exclude;
}

FilterOptions FilterSpec::options() const
{
    FilterOptions options;
    options.mustBeginWith = first().mustBeginWith;
    options.exclude = first().exclude;
    options.field = first().field;
    return options;
}

bool ViewState::operator==(const ViewState &other) const
{
    return filter == other.filter && storedFilterField == other.storedFilterField
           && filterOn == other.filterOn && columnFilters == other.columnFilters
           && rowSumOn == other.rowSumOn && autoSizing == other.autoSizing
           && autoWidths == other.autoWidths && secondaryReverse == other.secondaryReverse
           && tertiaryReverse == other.tertiaryReverse && displayFont == other.displayFont
           && fontCharSet == other.fontCharSet;
}

namespace {

template<class T> void carry(T &current, const T &from, const T &to)
{
    if (!(from == to))
        current = to;
}

} // namespace

ViewState carryChanges(ViewState current, const ViewState &from, const ViewState &to)
{
    carry(current.filter, from.filter, to.filter);
    carry(current.storedFilterField, from.storedFilterField, to.storedFilterField);
    carry(current.filterOn, from.filterOn, to.filterOn);
    carry(current.columnFilters, from.columnFilters, to.columnFilters);
    carry(current.rowSumOn, from.rowSumOn, to.rowSumOn);
    // Automatic sizing and the widths it keeps go together: one without the other would give
    // back widths that were never taken.
    if (from.autoSizing != to.autoSizing || !(from.autoWidths == to.autoWidths)) {
        current.autoSizing = to.autoSizing;
        current.autoWidths = to.autoWidths;
    }
    carry(current.secondaryReverse, from.secondaryReverse, to.secondaryReverse);
    carry(current.tertiaryReverse, from.tertiaryReverse, to.tertiaryReverse);
    // A font and its script's character set are one choice.
    if (from.displayFont != to.displayFont || from.fontCharSet != to.fontCharSet) {
        current.displayFont = to.displayFont;
        current.fontCharSet = to.fontCharSet;
    }
    return current;
}

} // namespace kribed
