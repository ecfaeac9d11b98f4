// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/view_state_step.h"

#include "gui/grid/database_document.h"

#include <utility>

namespace kribed {

ViewStateStep::ViewStateStep(ViewState before, ViewState after)
    : mBefore(std::move(before))
    , mAfter(std::move(after))
{
}

void ViewStateStep::apply(DatabaseDocument &document)
{
    document.changeViewState(carryChanges(document.viewState(), mBefore, mAfter));
}

void ViewStateStep::revert(DatabaseDocument &document)
{
    document.changeViewState(carryChanges(document.viewState(), mAfter, mBefore));
}

qsizetype ViewStateStep::bytes() const
{
    qsizetype texts = 0;
    for (const ViewState *state : {&mBefore, &mAfter}) {
        for (const FilterCondition &condition : state->filter.conditions)
            texts += qsizetype(sizeof(condition)) + condition.text.size();
    }
    return qsizetype(sizeof(*this)) + texts;
}

bool ViewStateStep::marksChanged() const
{
    return mBefore.filter.first().text != mAfter.filter.first().text;
}

} // namespace kribed
