// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/record_filter.h"
#include "gui/grid/undo_steps.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace kribed {

// A change of the record filter's settings made from the filter bar: the database's filter
// values and the rows they hide (as a properties step keeps them), and the match options that
// belong to the run ("Field must begin with string", the field searched), which the step hands
// back through `takeOptions` before the settings, so the filter run after an undo or redo
// searches as the step left it.
class FilterStep : public UndoStep
{
public:
    FilterStep(SettingsSnapshot before, SettingsSnapshot after, FilterOptions optionsBefore,
               FilterOptions optionsAfter, std::function<void(const FilterOptions &)> takeOptions,
               bool marksChanged);
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;
    bool marksChanged() const override { return mSettings.marksChanged(); }

private:
    SettingsStep mSettings;
    FilterOptions mOptionsBefore;
    FilterOptions mOptionsAfter;
    std::function<void(const FilterOptions &)> mTakeOptions;
};

bool sameFilterOptions(const FilterOptions &a, const FilterOptions &b);

class DatabaseDocument;

// The filter bar's change as one step: the database's filter text and field are set, the run's
// match options go from `optionsBefore` to `optionsAfter` through `takeOptions`, and `runFilter`
// runs the filter (on or off) through the document. Nothing changed: no step. Only a new text
// marks the database changed, for only the text is kept in the file.
void recordFilterChange(DatabaseDocument &document, const QString &text,
                        const QByteArray &filterText, int filterField,
                        const FilterOptions &optionsBefore, const FilterOptions &optionsAfter,
                        const std::function<void(const FilterOptions &)> &takeOptions,
                        const std::function<void()> &runFilter);

} // namespace kribed
