// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/grid/view_state_step.h"

#include "gui/grid/database_document.h"
#include "gui/grid/edit_history.h"

#include <memory>
#include <utility>

namespace kribed {

ViewStateStep::ViewStateStep(ViewState before, ViewState after, QVector<int> widthsBefore,
                             QVector<int> widthsAfter)
    : mBefore(std::move(before))
    , mAfter(std::move(after))
    , mWidthsBefore(std::move(widthsBefore))
    , mWidthsAfter(std::move(widthsAfter))
{
}

void ViewStateStep::apply(DatabaseDocument &document)
{
    document.changeViewState(carryChanges(document.viewState(), mBefore, mAfter));
    if (mWidthsAfter != mWidthsBefore)
        document.setColumnWidths(mWidthsAfter);
}

void ViewStateStep::revert(DatabaseDocument &document)
{
    document.changeViewState(carryChanges(document.viewState(), mAfter, mBefore));
    if (mWidthsAfter != mWidthsBefore)
        document.setColumnWidths(mWidthsBefore);
}

qsizetype ViewStateStep::bytes() const
{
    qsizetype texts = 0;
    for (const ViewState *state : {&mBefore, &mAfter}) {
        for (const FilterCondition &condition : state->filter.conditions)
            texts += qsizetype(sizeof(condition)) + condition.text.size();
        // A value list of thousands of texts is held twice by each step.
        for (const FieldFilter &filter : state->columnFilters.fields) {
            texts += qsizetype(sizeof(filter));
            for (const QByteArray &value : filter.values)
                texts += qsizetype(sizeof(value)) + value.size();
            for (const ColumnCondition &condition : filter.conditions)
                texts +=
                    qsizetype(sizeof(condition))
                    + (condition.value.size() + condition.second.size()) * qsizetype(sizeof(QChar));
        }
    }
    texts += (mBefore.displayFont.size() + mAfter.displayFont.size()) * qsizetype(sizeof(QChar));
    texts += (mWidthsBefore.capacity() + mWidthsAfter.capacity()) * qsizetype(sizeof(int));
    return qsizetype(sizeof(*this)) + texts;
}

bool ViewStateStep::marksChanged() const
{
    return mBefore.filter.first().text != mAfter.filter.first().text;
}

void recordDisplayFont(DatabaseDocument &document, const QString &text, const ViewState &state)
{
    const ViewState before = document.viewState();
    const double oldScale = document.database().widthScale();
    QVector<int> widthsBefore = WidthsStep::widthsOf(document.database());
    {
        const EditHistory::Recording recording(document.history());
        document.changeViewState(state);
        document.keepColumnUnits(oldScale);
    }
    ViewState after = document.viewState();
    QVector<int> widthsAfter = WidthsStep::widthsOf(document.database());
    if (after == before && widthsAfter == widthsBefore)
        return;
    document.history().push(text, std::make_unique<ViewStateStep>(before, std::move(after),
                                                                  std::move(widthsBefore),
                                                                  std::move(widthsAfter)));
}

} // namespace kribed
