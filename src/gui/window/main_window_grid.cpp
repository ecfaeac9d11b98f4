// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The grid of the main window: display font, column widths, hidden rows, in-place editing and
// dragging.
#include "gui/window/main_window.h"

#include "core/editing/auto_size.h"
#include "core/editing/column_definition.h"
#include "core/editing/header_hints.h"
#include "core/editing/sums.h"
#include "core/editing/unheld_characters.h"
#include "core/model/database.h"
#include "core/model/limits.h"
#include "core/model/regional.h"
#include "core/platform/code_page.h"
#include "gui/commands/command_groups.h"
#include "gui/commands/wait_cursor.h"
#include "gui/grid/database_document.h"
#include "gui/grid/display_text_width.h"
#include "gui/grid/grid_cell_delegate.h"
#include "gui/grid/grid_header.h"
#include "gui/grid/grid_view.h"
#include "gui/grid/recorded_edits.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QHelpEvent>
#include <QItemSelectionModel>
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

// Tells the widths of one drag of a column border from those of the next: a drag lasts from
// the press of the mouse button on the header to its release.
class BorderDragWatch : public QObject
{
public:
    using QObject::QObject;

    // Whether a new width of `field` goes on with the drag that gave it its last width.
    bool continues(int field)
    {
        const bool same = mPressed && mField == field;
        mField = mPressed ? field : 0;
        return same;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            mPressed = true;
            mField = 0;
            break;
        case QEvent::MouseButtonRelease:
            mPressed = false;
            mField = 0;
            break;
        default: break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool mPressed = false;
    int mField = 0;
};

// The extended-precision constant that turns the width of "0000" into pixels per width unit.
constexpr long double ZerosPerUnit = 56.0L / 3.0L;

} // namespace

// The grid alone in the window's middle; the command groups' bars go above it (placePanels).
void MainWindow::buildGrid()
{
    auto *client = new QWidget(this);
    auto *layout = new QVBoxLayout(client);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto *grid = new GridView(client);
    mGrid = grid;
    mGrid->setObjectName(QStringLiteral("grid"));
    mColumnHeader = new GridHeader(Qt::Horizontal, mGrid);
    mRowHeader = new GridHeader(Qt::Vertical, mGrid);
    grid->setColumnHeader(mColumnHeader);
    mGrid->setVerticalHeader(mRowHeader);
    mGrid->setModel(&mDocument->model());
    mGrid->setItemDelegate(new GridCellDelegate(mGrid));
    mGrid->setWordWrap(false);
    mGrid->setCornerButtonEnabled(false);
    mGrid->setSortingEnabled(false);
    // A rectangle of cells, drawn with Shift+arrows or the mouse, for the range commands.
    mGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    mGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    mGrid->setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    mGrid->setTabKeyNavigation(true);
    mGrid->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    mGrid->installEventFilter(new GridKeyFilter(mGrid));
    setUpHeaders();
    layout->addWidget(mGrid);
    setCentralWidget(client);
}

void MainWindow::setUpHeaders()
{
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
    mRowHeader->fitRecordNumbers();
    // Qt offers no accessor for the top left button; the view makes it as its one child button.
    for (QObject *child : mGrid->children()) {
        if (auto *corner = qobject_cast<QAbstractButton *>(child)) {
            corner->setObjectName(QStringLiteral("gridCorner"));
            corner->installEventFilter(
                new HintFilter(corner, [this] { return recordCountHint(); }));
            break;
        }
    }
}

void MainWindow::connectGrid()
{
    mDocument->model().setTypedTextCheck([this](const QString &text) {
        warnOfUnheldCharacters(mPrompter, text, mDocument->regional());
    });
    connect(mDocument, &DatabaseDocument::columnWidthsChanged, this, &MainWindow::syncColumnWidths);
    connect(mDocument, &DatabaseDocument::rowVisibilityChanged, this, &MainWindow::syncHiddenRows);
    auto *borderDrag = new BorderDragWatch(mColumnHeader);
    mColumnHeader->viewport()->installEventFilter(borderDrag);
    connect(mColumnHeader, &QHeaderView::sectionResized, this,
            [this, borderDrag](int logical, int, int size) {
                if (!mSyncingWidths)
                    columnResized(logical + 1, size, borderDrag->continues(logical + 1));
            });
    // A double-click on a column's right border fits the column as Auto sizing would, not to
    // the view's own size hints.
    disconnect(mColumnHeader, &QHeaderView::sectionHandleDoubleClicked, mGrid, nullptr);
    connect(mColumnHeader, &QHeaderView::sectionHandleDoubleClicked, this,
            [this](int logical) { fitColumn(logical + 1); });
    connect(mColumnHeader, &QHeaderView::sectionMoved, this, [this](int logical, int from, int to) {
        headerSectionMoved(Qt::Horizontal, logical, from, to);
    });
    connect(mRowHeader, &QHeaderView::sectionMoved, this, [this](int logical, int from, int to) {
        headerSectionMoved(Qt::Vertical, logical, from, to);
    });
    mDocument->model().setHeaderHintSource([this](int field) { return headerHint(field); });
    connect(mGrid->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &MainWindow::showCurrentCell);
}

int MainWindow::currentField() const
{
    const QModelIndex current = mGrid->currentIndex();
    return current.isValid() ? current.column() + 1 : 1;
}

int MainWindow::currentRecord() const
{
    const QModelIndex current = mGrid->currentIndex();
    return current.isValid() ? current.row() + 1 : 1;
}

void MainWindow::setCurrentCell(int field, int record)
{
    const QModelIndex index = mDocument->model().index(record - 1, field - 1);
    if (index.isValid())
        mGrid->setCurrentIndex(index);
}

int MainWindow::textWidth(const QString &text) const
{
    return QFontMetrics(mDisplayFont).horizontalAdvance(text);
}

void MainWindow::applyDisplayFont()
{
    const int zeros = textWidth(QStringLiteral("0000"));

    const QByteArray codePage = codePageForCharSet(mSettings.font.charSet);
    if (mDocument->regional().codePage() != codePage) {
        mDocument->setCodePage(codePage);
        mGrid->viewport()->update();
    }

    // The dialogs take the font from their commands as they open; the read-me window, which
    // stays open beside the grid, follows it at once.
    for (CommandGroup *group : mGroups->all())
        group->displayFontChanged(mDisplayFont);
    if (mGrid->font() != mDisplayFont) {
        mGrid->setFont(mDisplayFont);
        mColumnHeader->setFont(mDisplayFont);
        mRowHeader->setFont(mDisplayFont);
    }
    // Column 0 is "0000" + 6 pixels wide, wider only for five-digit record numbers.
    mRowHeader->fitRecordNumbers();
    mDocument->setWidthScale(double(zeros / ZerosPerUnit));
    // The view state names the font in force (the settings' at start), so that a recorded
    // change of it can give it back.
    ViewState view = mDocument->viewState();
    view.displayFont = mDisplayFont.toString();
    view.fontCharSet = mSettings.font.charSet;
    mDocument->changeViewState(view);
}

void MainWindow::setDisplayFont(const QFont &font)
{
    mDisplayFont = font;
    applyDisplayFont();
}

void MainWindow::showViewStateFont()
{
    const ViewState view = mDocument->viewState();
    if (view.displayFont.isEmpty()
        || (view.displayFont == mDisplayFont.toString()
            && view.fontCharSet == mSettings.font.charSet))
        return;
    QFont font;
    font.fromString(view.displayFont);
    mSettings.font.charSet = view.fontCharSet;
    setDisplayFont(font);
}

namespace {

int maxColumnPixels(const Database &database)
{
    return database.unitsToPixels(MaxFieldWidthUnits);
}

} // namespace

void MainWindow::syncColumnWidths()
{
    const Database &database = mDocument->database();
    // No column is ever wider than the largest field width.
    mDocument->limitColumnWidths(maxColumnPixels(database));
    mSyncingWidths = true;
    for (int field = 1; field <= database.fieldCount(); ++field) {
        mColumnHeader->resizeSection(field - 1, database.columnWidth(field));
    }
    mSyncingWidths = false;
}

void MainWindow::syncHiddenRows()
{
    const Database &database = mDocument->database();
    // While it may repaint, the header works out every row's position again for each row hidden
    // or shown, which makes a filter over thousands of rows take that many times longer; without
    // updates it only notes the sizes, and it repaints once when updates come back.
    const bool headerUpdates = mRowHeader->updatesEnabled();
    mRowHeader->setUpdatesEnabled(false);
    for (int record = 1; record <= database.recordCount(); ++record) {
        if (mGrid->isRowHidden(record - 1) != database.isHidden(record))
            mGrid->setRowHidden(record - 1, database.isHidden(record));
    }
    mRowHeader->setUpdatesEnabled(headerUpdates);
}

void MainWindow::columnResized(int field, int pixels, bool continuesDrag)
{
    const int largest = maxColumnPixels(mDocument->database());
    if (pixels > largest) {
        mSyncingWidths = true;
        mColumnHeader->resizeSection(field - 1, largest);
        mSyncingWidths = false;
        pixels = largest;
    }
    mDocument->setColumnWidth(field, pixels, continuesDrag);
}

void MainWindow::headerSectionMoved(Qt::Orientation orientation, int /*logical*/, int from, int to)
{
    GridHeader *header = orientation == Qt::Horizontal ? mColumnHeader : mRowHeader;
    // The header only shows the move: the database takes it, and the header goes back to showing
    // the model's order.
    {
        const QSignalBlocker blocker(header);
        header->moveSection(to, from);
    }
    if (orientation == Qt::Vertical)
        recordMoved(from + 1, to + 1);
    else
        fieldMoved(from + 1, to + 1);
    bool inOrder = true;
    for (int section = 0; section < header->count() && inOrder; ++section)
        inOrder = header->visualIndex(section) == section;
    if (!inOrder) {
        header->reset();
        syncColumnWidths();
        syncHiddenRows();
    }
}

void MainWindow::recordMoved(int from, int to)
{
    const WaitCursor wait;
    recordRecordMove(*mDocument, tr("Move row"), from, to);
    // Shown rows are always exactly those the filter keeps, whatever moved.
    if (mDocument->database().filterOn())
        mDocument->showFilteredRecords();
}

void MainWindow::fieldMoved(int from, int to)
{
    // The grid has moved the field's name, cells and pixel width (Database::moveField); the field
    // type, the popup list and the remembered automatic width follow here.
    AutoWidths autoWidths = mDocument->viewState().autoWidths;
    recordFieldMove(*mDocument, tr("Move column"), from, to, [&](Database &database) {
        moveColumnDefinition(database, from, to, autoWidths);
    });
    ViewState view = mDocument->viewState();
    view.autoWidths = autoWidths;
    // A moved column takes the row sums off, as any change of the columns does.
    view.rowSumOn = false;
    mDocument->changeViewState(view);
}

void MainWindow::fitColumn(int field)
{
    const Database &database = mDocument->database();
    if (field < 1 || field > database.fieldCount())
        return;
    const int width = autoColumnWidth(
        database, field, displayTextMeasure(mDisplayFont, mDocument->regional().codePage()));
    // The header reports the new width as a dragged border does (columnResized).
    mGrid->horizontalHeader()->resizeSection(field - 1, width);
}

QString MainWindow::headerHint(int field) const
{
    const Database &database = mDocument->database();
    if (field < 0 || field > database.fieldCount())
        return {};
    return headerHintText(database, field, mDocument->regional());
}

QString MainWindow::recordCountHint() const
{
    return recordCountHintText(mDocument->database());
}

} // namespace kribed
