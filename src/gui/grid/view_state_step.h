// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/editing/view_state.h"
#include "gui/grid/undo_steps.h"

#include <QString>
#include <QVector>

namespace kribed {

// A recorded change of the view state (DatabaseDocument::changeViewState): the state before and
// after, and for a new display font the pixel widths before and after, nothing else. Applied
// again or taken back, it sets only the parts it changed, over whatever the toggles did since,
// the font before the widths (the font sets the scale they are shown with). Only a new filter
// text counts as a change of the database, for of the view state only the text and the stored
// field are kept in the file, and the stored field is written as 0.
class ViewStateStep : public UndoStep
{
public:
    ViewStateStep(ViewState before, ViewState after, QVector<int> widthsBefore = {},
                  QVector<int> widthsAfter = {});
    void apply(DatabaseDocument &document) override;
    void revert(DatabaseDocument &document) override;
    qsizetype bytes() const override;
    bool marksChanged() const override;

private:
    ViewState mBefore;
    ViewState mAfter;
    QVector<int> mWidthsBefore;
    QVector<int> mWidthsAfter;
};

// Another display font (and script) as the view state `state` gives it: the window shows it at
// once, with the scale of its width unit, and every column keeps its width in units. One step
// named `text`, which leaves the modified mark; none when nothing changes.
void recordDisplayFont(DatabaseDocument &document, const QString &text, const ViewState &state);

} // namespace kribed
