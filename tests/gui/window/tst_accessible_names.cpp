// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/editing/formats_check.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/status/status_texts.h"
#include "gui/commands/navigation_commands.h"
#include "gui/commands/regional_commands.h"
#include "gui/commands/replace_commands.h"
#include "gui/dialogs/about_dialog.h"
#include "gui/dialogs/cell_editor_dialog.h"
#include "gui/dialogs/find_dialog.h"
#include "gui/dialogs/font_script_dialog.h"
#include "gui/dialogs/formats_suggestion_bar.h"
#include "gui/dialogs/go_to_record_dialog.h"
#include "gui/dialogs/new_database_dialog.h"
#include "gui/dialogs/properties_dialog.h"
#include "gui/dialogs/readme_window.h"
#include "gui/dialogs/recovery_dialog.h"
#include "gui/dialogs/regional_formats_dialog.h"
#include "gui/dialogs/replace_dialog.h"
#include "main_window_fixture.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

using namespace kribed;

namespace {

// Widgets that only hold others, and the scroll bars of a scroll area (which a screen reader
// presents through the area itself): it passes through them unless they take the focus.
bool isBareContainer(const QWidget &widget, const QAccessibleInterface &face)
{
    switch (face.role()) {
    case QAccessible::Client:
    case QAccessible::Pane:
    case QAccessible::LayeredPane:
    case QAccessible::Grouping:
    case QAccessible::Border:
    case QAccessible::Splitter:
    case QAccessible::Separator:
    case QAccessible::ScrollBar: return widget.focusPolicy() == Qt::NoFocus || widget.focusProxy();
    default: return false;
    }
}

// A label that names the control: the control's buddy label, whose text a screen reader says
// with it (for combo boxes, which say their value as their name).
bool hasNamingLabel(const QAccessibleInterface &face)
{
    for (const auto &[related, relation] : face.relations(QAccessible::Label)) {
        Q_UNUSED(relation)
        if (related && related->role() == QAccessible::StaticText
            && !related->text(QAccessible::Name).trimmed().isEmpty()) {
            return true;
        }
    }
    return false;
}

bool isNamed(const QAccessibleInterface &face)
{
    return !face.text(QAccessible::Name).trimmed().isEmpty() || hasNamingLabel(face);
}

// The text field inside a spin box or an editable combo box hands the focus to its box: the
// screen reader says the box, so the box's name counts.
bool isPartOfNamedControl(const QWidget &widget)
{
    QWidget *proxy = widget.focusProxy();
    QAccessibleInterface *face = proxy ? QAccessible::queryAccessibleInterface(proxy) : nullptr;
    return face && isNamed(*face);
}

QString described(const QWidget &widget, const QAccessibleInterface *face)
{
    return QStringLiteral("%1 \"%2\" (role %3)")
        .arg(QString::fromLatin1(widget.metaObject()->className()), widget.objectName())
        .arg(face ? int(face->role()) : -1);
}

// The visible widgets of `top` (itself included) that a screen reader reaches without a name:
// neither a name of their own nor a label naming them, and not labels themselves.
QStringList unnamedWidgets(QWidget &top)
{
    QList<QWidget *> widgets{&top};
    widgets += top.findChildren<QWidget *>();
    QStringList unnamed;
    for (QWidget *widget : std::as_const(widgets)) {
        if (!widget->isVisible())
            continue;
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
        if (!face || !face->isValid()) {
            unnamed << described(*widget, face);
            continue;
        }
        if (face->role() == QAccessible::StaticText || isBareContainer(*widget, *face))
            continue;
        if (isNamed(*face) || isPartOfNamedControl(*widget))
            continue;
        unnamed << described(*widget, face);
    }
    return unnamed;
}

QAccessibleInterface *gridFace(QTableView &grid)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(&grid);
    return face && face->tableInterface() ? face : nullptr;
}

} // namespace

// Every widget a screen reader reaches in the main window and in the dialogs has a name, and the
// grid, its headers and its cells say what they hold.
class TestAccessibleNames
    : public QObject
    , private test::MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startTest(true); }
    void cleanup() { endTest(); }

    void everyWidgetNamed_data();
    void everyWidgetNamed();
    void gridNames();
    void currentCellAnnounced();
    void statusPanelNames();
    void walkFindsUnnamedWidget();

private:
    // "Kunden" with 10 fields and 20 records: field 2 Boolean, 3 Normal Date, 4 Normal Popup.
    void openTypedDatabase();
    // Shows the surface named `which` and returns its top widget.
    QWidget *showSurface(const QString &which, int field);

    std::unique_ptr<FontScriptDialog> mFontDialog;
    std::unique_ptr<RecoveryDialog> mRecoveryDialog;
};

// What the description of a cell in the typed database's date field adds.
const QString NotADate =
    QStringLiteral("Does not read as a date in the regional formats of this database (M/d/yyyy).");

void TestAccessibleNames::openTypedDatabase()
{
    openBytes(QStringLiteral("Kunden.pdb"), test::kunden(10, 20));
    setUpWindowDatabase([](Database &database) {
        database.setFieldType(2, BooleanType);
        database.setFieldType(3, NormalDateType);
        database.setFieldType(4, NormalPopupType);
        database.popupList(4) = {"red", "green"};
    });
}

QWidget *TestAccessibleNames::showSurface(const QString &which, int field)
{
    const Database &database = windowDatabase();
    const Regional &regional = windowDocument().regional();
    QWidget *surface = nullptr;
    if (which == QLatin1String("main window") || which == QLatin1String("welcome")) {
        surface = mWindow.get();
    } else if (which == QLatin1String("bars")) {
        mWindow->commandGroups().get<NavigationCommands>().actionFilterBar->trigger();
        FormatsSuggestion suggestion;
        suggestion.locale = QLocale(QStringLiteral("de_DE"));
        suggestion.sampled = suggestion.readUnderSuggested = 4;
        suggestion.examples = QStringList{QStringLiteral("1520,50")};
        mWindow->commandGroups().get<RegionalCommands>().suggestionBar()->suggest(
            suggestion, QStringLiteral("en_US"));
        surface = mWindow.get();
    } else if (which == QLatin1String("replace")) {
        mWindow->commandGroups().get<ReplaceCommands>().dialog().prepare({QStringLiteral("Feld1")},
                                                                         true, true);
        surface = &mWindow->commandGroups().get<ReplaceCommands>().dialog();
    } else if (which == QLatin1String("go to record")) {
        mWindow->commandGroups().get<NavigationCommands>().goToRecordDialog().prepare(database, 1);
        surface = &mWindow->commandGroups().get<NavigationCommands>().goToRecordDialog();
    } else if (which == QLatin1String("regional formats")) {
        mWindow->commandGroups().get<RegionalCommands>().dialog().prepare(database, regional,
                                                                          FormatsChoice());
        surface = &mWindow->commandGroups().get<RegionalCommands>().dialog();
    } else if (which == QLatin1String("recovery")) {
        mRecoveryDialog = std::make_unique<RecoveryDialog>(mWindow.get());
        RecoveryEntry entry;
        entry.path = QStringLiteral("/home/user/Kunden.pdb");
        entry.written = QDateTime(QDate(2026, 3, 14), QTime(9, 30));
        mRecoveryDialog->setEntries({entry});
        surface = mRecoveryDialog.get();
    } else if (which == QLatin1String("font")) {
        mFontDialog = std::make_unique<FontScriptDialog>(mWindow.get());
        surface = mFontDialog.get();
    } else if (which == QLatin1String("properties")) {
        PropertiesDialog &dialog = mWindow->commandGroups().get<PropertiesCommands>().dialog();
        dialog.setRegional(regional);
        PropertiesChoices choices;
        choices.userNames = QStringList{QStringLiteral("Smith J")};
        dialog.prepare(database, field, choices);
        surface = &dialog;
    } else if (which == QLatin1String("new database")) {
        surface = &mWindow->commandGroups().get<FileCommands>().newDatabaseDialog();
    } else if (which == QLatin1String("cell editor")) {
        CellEditorDialog &dialog = mWindow->commandGroups().get<EditCommands>().cellEditor();
        dialog.prepare(database, field, 1, mWindow->displayFont(), regional,
                       QDateTime(QDate(2026, 3, 14), QTime(9, 30)));
        surface = &dialog;
    } else if (which == QLatin1String("find")) {
        FindDialog &dialog = mWindow->commandGroups().get<ToolsCommands>().findDialog();
        dialog.prepare({QStringLiteral("Feld1"), QStringLiteral("Feld2")}, 1);
        surface = &dialog;
    } else if (which == QLatin1String("about")) {
        surface = &mWindow->commandGroups().get<HelpCommands>().aboutDialog();
    } else if (which == QLatin1String("read me")) {
        surface = &mWindow->commandGroups().get<HelpCommands>().readmeWindow();
    }
    if (surface) {
        // Shown without waiting for an answer: the walk reads the controls while it is open.
        surface->show();
        if (!QTest::qWaitForWindowExposed(surface))
            return nullptr;
    }
    return surface;
}

void TestAccessibleNames::everyWidgetNamed_data()
{
    QTest::addColumn<QString>("surface");
    QTest::addColumn<int>("field");
    QTest::newRow("main window with a database") << "main window" << 1;
    QTest::newRow("main window without a database") << "welcome" << 1;
    QTest::newRow("properties of a string field") << "properties" << 1;
    QTest::newRow("properties of a popup field") << "properties" << 4;
    QTest::newRow("new database") << "new database" << 1;
    QTest::newRow("cell editor, string") << "cell editor" << 1;
    QTest::newRow("cell editor, boolean") << "cell editor" << 2;
    QTest::newRow("cell editor, date") << "cell editor" << 3;
    QTest::newRow("cell editor, popup") << "cell editor" << 4;
    QTest::newRow("find") << "find" << 1;
    QTest::newRow("about") << "about" << 1;
    QTest::newRow("read me") << "read me" << 1;
    QTest::newRow("font") << "font" << 1;
    QTest::newRow("main window with the filter and formats bars") << "bars" << 1;
    QTest::newRow("replace") << "replace" << 1;
    QTest::newRow("go to record") << "go to record" << 1;
    QTest::newRow("regional formats") << "regional formats" << 1;
    QTest::newRow("recovery") << "recovery" << 1;
}

void TestAccessibleNames::everyWidgetNamed()
{
    QFETCH(QString, surface);
    QFETCH(int, field);
    if (surface != QLatin1String("welcome"))
        openTypedDatabase();
    mWindow->updateStatus();
    QWidget *top = showSurface(surface, field);
    QVERIFY(top);

    // Each page of a tabbed dialog in turn: only the shown page's controls are reached.
    QStringList unnamed;
    QList<QTabWidget *> tabs = top->findChildren<QTabWidget *>();
    tabs.removeIf([top](const QTabWidget *pages) { return pages->window() != top; });
    if (tabs.isEmpty()) {
        unnamed = unnamedWidgets(*top);
    } else {
        for (int page = 0; page < tabs.first()->count(); ++page) {
            if (!tabs.first()->isTabVisible(page))
                continue;
            tabs.first()->setCurrentIndex(page);
            for (const QString &widget : unnamedWidgets(*top))
                unnamed << tabs.first()->tabText(page) + QStringLiteral(": ") + widget;
        }
    }
    if (top != mWindow.get())
        top->hide();
    mFontDialog.reset();
    mRecoveryDialog.reset();
    unnamed.removeDuplicates();
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral("\n"))));
}

void TestAccessibleNames::gridNames()
{
    openTypedDatabase();
    setUpWindowDatabase([](Database &database) { database.setFieldName(5, {}); });
    setUpWindowCell(1, 2, "");
    mWindow->setCurrentCell(3, 2);
    mWindow->updateStatus();

    QAccessibleInterface *grid = gridFace(*mWindow->grid());
    QVERIFY(grid);
    QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Records of Kunden"));
    QAccessibleTableInterface *table = grid->tableInterface();

    // The header cells of a cell: the field's name above, the record below the numbers.
    const auto headerNames = [&](int row, int column) {
        QStringList names;
        QAccessibleInterface *cell = table->cellAt(row, column);
        QAccessibleTableCellInterface *place = cell ? cell->tableCellInterface() : nullptr;
        if (!place)
            return names;
        for (QAccessibleInterface *header : place->columnHeaderCells())
            names << header->text(QAccessible::Name);
        for (QAccessibleInterface *header : place->rowHeaderCells())
            names << header->text(QAccessible::Name);
        return names;
    };
    QCOMPARE(headerNames(1, 2), (QStringList{QStringLiteral("Feld3"), QStringLiteral("Record 2")}));
    QCOMPARE(headerNames(0, 4),
             (QStringList{QStringLiteral("Column 5"), QStringLiteral("Record 1")}));

    // The cells say their field with their text; an empty one says so.
    const auto cellName = [&](int row, int column) {
        QAccessibleInterface *cell = table->cellAt(row, column);
        return cell ? cell->text(QAccessible::Name) : QString();
    };
    QCOMPARE(cellName(1, 2), QStringLiteral("Feld3: 23"));
    QCOMPARE(cellName(1, 0), QStringLiteral("Feld1: empty"));
    QCOMPARE(cellName(0, 4), QStringLiteral("Column 5: 15"));
    QAccessibleInterface *current = table->cellAt(1, 2);
    QVERIFY(current);
    // "23" in a date field: the description tells why it is marked.
    QCOMPARE(current->text(QAccessible::Description), QStringLiteral("Record 2. ") + NotADate);
}

void TestAccessibleNames::currentCellAnnounced()
{
    openTypedDatabase();
    mWindow->setCurrentCell(3, 2);
    QAccessibleInterface *grid = gridFace(*mWindow->grid());
    QVERIFY(grid);
    // The reader asks the grid for its focused cell each time the current cell moves.
    QStringList spoken;
    for (const Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_Up}) {
        QTest::keyClick(mWindow->grid(), key);
        QAccessibleInterface *focused = grid->focusChild();
        QVERIFY(focused);
        spoken << focused->text(QAccessible::Name) + QStringLiteral(" / ")
                      + focused->text(QAccessible::Description);
    }
    QCOMPARE(spoken, (QStringList{QStringLiteral("Feld3: 33 / Record 3. ") + NotADate,
                                  QStringLiteral("Feld4: 34 / Record 3"),
                                  QStringLiteral("Feld4: 24 / Record 2")}));
}

void TestAccessibleNames::statusPanelNames()
{
    openTypedDatabase();
    mWindow->setCurrentCell(2, 3);
    windowAction(QStringLiteral("actionAutoSizing"))->trigger();
    mWindow->updateStatus();

    QStringList names;
    for (int index = 0; index < StatusPanelCount; ++index) {
        QAccessibleInterface *face =
            QAccessible::queryAccessibleInterface(mWindow->statusPanel(index));
        QVERIFY(face);
        names << face->text(QAccessible::Name);
    }
    QCOMPARE(names.mid(0, 5),
             (QStringList{QStringLiteral("Record 3 of 20"), QStringLiteral("Column 2 of 10"),
                          QStringLiteral("Auto sizing on"), QStringLiteral("Filter off"),
                          QStringLiteral("Row sum off")}));
    QVERIFY2(names[5].startsWith(QStringLiteral("File date ")), qPrintable(names[5]));
    QVERIFY2(names[6].startsWith(windowDatabase().filePath()), qPrintable(names[6]));
    // The panels still show the letters.
    QCOMPARE(panel(0), QStringLiteral("R3 of 20"));
    QCOMPARE(panel(2), QStringLiteral("A"));

    windowAction(QStringLiteral("actionAutoSizing"))->trigger();
    mWindow->updateStatus();
    QCOMPARE(
        QAccessible::queryAccessibleInterface(mWindow->statusPanel(2))->text(QAccessible::Name),
        QStringLiteral("Auto sizing off"));
}

// The walk is worth something only if it catches a control added without a name.
void TestAccessibleNames::walkFindsUnnamedWidget()
{
    openTypedDatabase();
    mWindow->updateStatus();
    QVERIFY(unnamedWidgets(*mWindow).isEmpty());
    auto *unnamed = new QLineEdit(mWindow->centralWidget());
    unnamed->setObjectName(QStringLiteral("unnamedEdit"));
    unnamed->show();
    QCOMPARE(unnamedWidgets(*mWindow).size(), 1);
    QVERIFY(unnamedWidgets(*mWindow).first().contains(QStringLiteral("unnamedEdit")));
    auto *label = new QLabel(QStringLiteral("&Note"), mWindow->centralWidget());
    label->setBuddy(unnamed);
    label->show();
    QVERIFY(unnamedWidgets(*mWindow).isEmpty());
    delete label;
    delete unnamed;
}

QTEST_MAIN(TestAccessibleNames)
#include "tst_accessible_names.moc"
