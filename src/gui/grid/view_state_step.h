// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/view_state.h"
#include "gui/grid/undo_steps.h"

namespace kribed {

// A recorded change of the view state (DatabaseDocument::changeViewState): the state before and
// after, nothing else. Applied again or taken back, it sets only the parts it changed, over
// whatever the toggles did since. Only a new filter text counts as a change of the database, for
// of the view state only the text and the stored field are kept in the file, and the stored
// field is written as 0.
class ViewStateStep : public UndoStep
{
public:
    ViewStateStep(ViewState before, ViewState after);
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;
    bool marksChanged() const override;

private:
    ViewState mBefore;
    ViewState mAfter;
};

} // namespace kribed
