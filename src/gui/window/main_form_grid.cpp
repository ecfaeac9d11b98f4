// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The grid of the main window: display font, column widths, header highlight, in-place editing,
// dragging, and the record filter's rows.
#include "gui/window/main_form.h"

#include "core/editing/sums.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "gui/dialogs/file_dialogs.h"
#include "gui/grid/database_document.h"
#include "gui/grid/grid_cell_delegate.h"
#include "gui/grid/grid_header.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>

#include <cmath>
#include <functional>

namespace kribed {

namespace {

// The grid has no clipboard, insert or delete keys of its own: those go through the commands.
class GridKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Cut)
                || key->matches(QKeySequence::Paste) || key->matches(QKeySequence::Delete)
                || key->key() == Qt::Key_Insert || key->key() == Qt::Key_Delete) {
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

// Shows a hint computed when it is asked for (the grid's top left cell counts the records).
class HintFilter : public QObject
{
public:
    HintFilter(QObject *parent, std::function<QString()> hint)
        : QObject(parent)
        , mHint(std::move(hint))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::ToolTip) {
            QString text = mHint();
            text.replace(u'\r', u'\n');
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), text,
                               qobject_cast<QWidget *>(watched));
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<QString()> mHint;
};

// Names of the dialog controls that show cell texts and so take the display font.
const char *const FontedControls[] = {
    "Memo1",           "CB_Popup",        "E_Name",         "E_Find",   "E_FieldName",
    "E_NewEntry",      "LB_Popup",        "C_FilterFields", "E_Filter", "L_PriSortField",
    "C_SecSortFields", "C_TriSortFields", "CB_User"};

// The extended-precision constant that turns the width of "0000" into pixels per width unit.
constexpr long double ZerosPerUnit = 56.0L / 3.0L;

} // namespace

void TMainForm::BuildGrid()
{
    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    mEmptyPanel = new QFrame(client);
    mEmptyPanel->setObjectName(QStringLiteral("Panel1"));
    mEmptyPanel->setFrameShape(QFrame::Panel);
    mEmptyPanel->setFrameShadow(QFrame::Sunken);
    layout->addWidget(mEmptyPanel);

    mGrid = new QTableView(client);
    mGrid->setObjectName(QStringLiteral("StringGrid"));
    mColumnHeader = new GridHeader(Qt::Horizontal, mGrid);
    mRowHeader = new GridHeader(Qt::Vertical, mGrid);
    mGrid->setHorizontalHeader(mColumnHeader);
    mGrid->setVerticalHeader(mRowHeader);
    mGrid->setModel(&mDocument->Model());
    mGrid->setItemDelegate(new GridCellDelegate(mGrid));
    mGrid->setWordWrap(false);
    mGrid->setCornerButtonEnabled(false);
    mGrid->setSortingEnabled(false);
    mGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    mGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    mGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    mGrid->setTabKeyNavigation(true);
    mGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    mGrid->installEventFilter(new GridKeyFilter(mGrid));

    mColumnHeader->setSectionsMovable(true);
    mColumnHeader->setSectionResizeMode(QHeaderView::Interactive);
    mColumnHeader->setMinimumSectionSize(1);
    mColumnHeader->setMinimumHeight(21);
    mRowHeader->setSectionsMovable(true);
    mRowHeader->setSectionResizeMode(QHeaderView::Fixed);
    mRowHeader->setMinimumSectionSize(0);
    mRowHeader->setDefaultSectionSize(ShownRowHeight);
    mRowHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    mColumnHeader->setDefaultAlignment(Qt::AlignLeft | Qt::AlignTop);
    mRowHeader->setFixedWidth(80);
    layout->addWidget(mGrid);
    setCentralWidget(client);

    connect(mGrid, &QAbstractItemView::doubleClicked, this, &TMainForm::StringGridDblClick);
    connect(&mDocument->Model(), &GridModel::CellEdited, this, &TMainForm::StringGridCellValidate);
    connect(mDocument, &DatabaseDocument::ColumnWidthsChanged, this, &TMainForm::SyncColumnWidths);
    connect(mDocument, &DatabaseDocument::RowVisibilityChanged, this, &TMainForm::SyncHiddenRows);
    connect(mColumnHeader, &QHeaderView::sectionResized, this, [this](int logical, int, int size) {
        if (!mSyncingWidths)
            StringGridEndColumnSize(logical + 1, size);
    });
    // A double-click on a column's right border fits the column as Auto sizing would, not to
    // the view's own size hints.
    disconnect(mColumnHeader, &QHeaderView::sectionHandleDoubleClicked, mGrid, nullptr);
    connect(mColumnHeader, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int logical) { StringGridFitColumn(logical + 1); });
    connect(mColumnHeader, &QHeaderView::sectionMoved, this, [this](int logical, int from, int to) {
        AfterHeaderMoved(Qt::Horizontal, logical, from, to);
    });
    connect(mRowHeader, &QHeaderView::sectionMoved, this, [this](int logical, int from, int to) {
        AfterHeaderMoved(Qt::Vertical, logical, from, to);
    });
    mDocument->Model().SetHeaderHintSource([this](int field) { return HeaderHint(field); });
    if (auto *corner = mGrid->findChild<QAbstractButton *>()) {
        corner->setObjectName(QStringLiteral("StringGridCorner"));
        corner->installEventFilter(new HintFilter(corner, [this] { return RecordCountHint(); }));
    }
}

int TMainForm::CurrentField() const
{
    const QModelIndex current = mGrid->currentIndex();
    return current.isValid() ? current.column() + 1 : 1;
}

int TMainForm::CurrentRecord() const
{
    const QModelIndex current = mGrid->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void TMainForm::SetCurrentCell(int field, int record)
{
    const QModelIndex index = mDocument->Model().index(record - 1, field - 1);
    if (index.isValid())
        mGrid->setCurrentIndex(index);
}

int TMainForm::TextWidth(const QString &text) const
{
    return QFontMetrics(mDisplayFont).horizontalAdvance(text);
}

void TMainForm::ApplyDisplayFont()
{
    const int zeros = TextWidth(QStringLiteral("0000"));

    const QByteArray codePage = codePageForCharSet(mSettings.font.charSet);
    if (currentRegional().codePage() != codePage) {
        Regional regional = currentRegional();
        regional.setCodePage(codePage);
        setCurrentRegional(regional);
        mGrid->viewport()->update();
    }

    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this)
            ApplyFontToDialog(window);
    }
    if (mGrid->font() != mDisplayFont) {
        mGrid->setFont(mDisplayFont);
        mColumnHeader->setFont(mDisplayFont);
        mRowHeader->setFont(mDisplayFont);
    }
    mRowHeader->setFixedWidth(zeros + 6);
    mDocument->Data().setWidthScale(double(zeros / ZerosPerUnit));
}

void TMainForm::ApplyFontToDialog(QWidget *window)
{
    for (const char *name : FontedControls) {
        for (QWidget *control : window->findChildren<QWidget *>(QString::fromLatin1(name))) {
            if (control->font() != mDisplayFont)
                control->setFont(mDisplayFont);
        }
    }
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Show && watched != this && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->isWindow())
            ApplyFontToDialog(widget);
    }
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::FontSetting1Click()
{
    const std::optional<QFont> chosen = mDialogs.ChooseFont(mDisplayFont, 10);
    if (!chosen)
        return;
    const double oldScale = mDocument->Data().widthScale();
    // The dialog chooses face and size only; the style stays as it was.
    QFont font(chosen->family());
    font.setPointSize(std::min(chosen->pointSize() > 0 ? chosen->pointSize() : 8, 10));
    font.setBold(mDisplayFont.bold());
    font.setItalic(mDisplayFont.italic());
    font.setUnderline(mDisplayFont.underline());
    font.setStrikeOut(mDisplayFont.strikeOut());
    mDisplayFont = font;
    ApplyDisplayFont();

    Database &database = mDocument->Data();
    const double newScale = database.widthScale();
    if (oldScale > 0) {
        // Every column keeps its width in units: pixels follow the new scale.
        for (int field = 1; field <= database.fieldCount(); ++field) {
            const double pixels = double(database.columnWidth(field)) * newScale / oldScale;
            database.setColumnWidth(field, int(std::nearbyint(pixels)));
        }
    }
    mDocument->NotifyColumnWidthsChanged();
}

namespace {

int MaxColumnPixels(const Database &database)
{
    return database.unitsToPixels(MaxFieldWidthUnits);
}

} // namespace

void TMainForm::SyncColumnWidths()
{
    Database &database = mDocument->Data();
    const int largest = MaxColumnPixels(database);
    mSyncingWidths = true;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        // No column is ever wider than the largest field width.
        if (database.columnWidth(field) > largest)
            database.setColumnWidth(field, largest);
        mColumnHeader->resizeSection(field - 1, database.columnWidth(field));
    }
    mSyncingWidths = false;
}

void TMainForm::SyncHiddenRows()
{
    const Database &database = mDocument->Data();
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (mGrid->isRowHidden(record - 1) != database.isHidden(record))
            mGrid->setRowHidden(record - 1, database.isHidden(record));
    }
}

void TMainForm::StringGridEndColumnSize(int field, int pixels)
{
    const int largest = MaxColumnPixels(mDocument->Data());
    if (pixels > largest) {
        mSyncingWidths = true;
        mColumnHeader->resizeSection(field - 1, largest);
        mSyncingWidths = false;
        pixels = largest;
    }
    mDocument->setColumnWidth(field, pixels);
}

void TMainForm::applyFilter(bool on)
{
    mFilterOn = on;
    mActions.value(QStringLiteral("Filter1"))->setChecked(on);
    Database &database = mDocument->Data();
    database.setFilterOn(on);
    database.showAllRecords();
    if (on && !database.filterText().isEmpty())
        ApplyRecordFilter();
    SyncHiddenRows();
}

void TMainForm::Filter1Click()
{
    applyFilter(!mFilterOn);
}

void TMainForm::StringGridDblClick()
{
    const QModelIndex current = mGrid->currentIndex();
    if (current.isValid())
        Edit1Click();
}

// The grid model has stamped the record and stored the typed text (stamp first, so a date typed
// into a Modification Date cell stays).
void TMainForm::StringGridCellValidate(int /*field*/, int /*record*/)
{
    mDocument->setModified();
    if (!mRowSumOn)
        return;
    // Without a single sum field the row sum is a one-shot command that would write into the
    // current cell, which is the one just typed into: the mode only goes off.
    if (singleSumField(mDocument->Data()) > 0)
        computeRowSums();
    else
        rowSumOff();
}

void TMainForm::AfterHeaderMoved(Qt::Orientation orientation, int /*logical*/, int from, int to)
{
    GridHeader *header = orientation == Qt::Horizontal ? mColumnHeader : mRowHeader;
    // The header only shows the move: the database takes it, and the header goes back to showing
    // the model's order.
    {
        const QSignalBlocker blocker(header);
        header->moveSection(to, from);
    }
    if (orientation == Qt::Vertical)
        StringGridRowMoved(from + 1, to + 1);
    else
        StringGridColumnMoved(from + 1, to + 1);
    bool inOrder = true;
    for (int section = 0; section < header->count() && inOrder; ++section)
        inOrder = header->visualIndex(section) == section;
    if (!inOrder) {
        header->reset();
        SyncColumnWidths();
        SyncHiddenRows();
    }
}

void TMainForm::StringGridRowMoved(int from, int to)
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    mDocument->moveRecord(from, to);
    // Shown rows are always exactly those the filter keeps, whatever moved.
    if (mFilterOn)
        applyFilter(true);
    QApplication::restoreOverrideCursor();
}

void TMainForm::StringGridColumnMoved(int from, int to)
{
    mDocument->moveField(from, to);
    MoveColumnDefinitionOf(from, to);
    rowSumOff();
    mDocument->setModified();
}

} // namespace kribed
