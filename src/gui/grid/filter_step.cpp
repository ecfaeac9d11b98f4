// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/filter_step.h"

#include "gui/grid/database_document.h"
#include "gui/grid/document_door_p.h"
#include "gui/grid/edit_history.h"

#include <memory>
#include <utility>

namespace kribed {

FilterStep::FilterStep(SettingsSnapshot before, SettingsSnapshot after, FilterOptions optionsBefore,
                       FilterOptions optionsAfter,
                       std::function<void(const FilterOptions &)> takeOptions, bool marksChanged)
    : mSettings(std::move(before), std::move(after), marksChanged)
    , mOptionsBefore(optionsBefore)
    , mOptionsAfter(optionsAfter)
    , mTakeOptions(std::move(takeOptions))
{
}

void FilterStep::apply(DatabaseDocument &document)
{
    mTakeOptions(mOptionsAfter);
    mSettings.apply(document);
}

void FilterStep::revert(DatabaseDocument &document)
{
    mTakeOptions(mOptionsBefore);
    mSettings.revert(document);
}

qsizetype FilterStep::bytes() const
{
    return sizeof(*this) - sizeof(mSettings) + mSettings.bytes();
}

bool sameFilterOptions(const FilterOptions &a, const FilterOptions &b)
{
    return a.mustBeginWith == b.mustBeginWith && a.exclude == b.exclude && a.field == b.field;
}

void recordFilterChange(DatabaseDocument &document, const QString &text,
                        const QByteArray &filterText, int filterField,
                        const FilterOptions &optionsBefore, const FilterOptions &optionsAfter,
                        const std::function<void(const FilterOptions &)> &takeOptions,
                        const std::function<void()> &runFilter)
{
    SettingsSnapshot before = SettingsSnapshot::of(document.database());
    {
        const EditHistory::Recording recording(document.history());
        takeOptions(optionsAfter);
        DocumentDoor(document).changeSettings([&](Database &database) {
            database.setFilterText(filterText);
            database.setFilterField(filterField);
        });
        runFilter();
    }
    SettingsSnapshot after = SettingsSnapshot::of(document.database());
    if (after == before && sameFilterOptions(optionsBefore, optionsAfter))
        return;
    const bool marksChanged = after.settings.filterText != before.settings.filterText;
    document.history().push(text, std::make_unique<FilterStep>(std::move(before), std::move(after),
                                                               optionsBefore, optionsAfter,
                                                               takeOptions, marksChanged));
}

} // namespace kribed
