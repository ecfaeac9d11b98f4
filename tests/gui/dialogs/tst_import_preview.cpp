// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "core/exchange/exchange_formats.h"
#include "core/exchange/text_exchange.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "gui/commands/exchange_commands.h"
#include "gui/dialogs/import_preview_dialog.h"
#include "gui/dialogs/import_preview_model.h"
#include "gui/window/main_window.h"
#include "main_window_fixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QTableView>
#include <QTest>

using namespace kribed;
using namespace kribed::test;

namespace {

// A bank's export: semicolons, decimal comma, dates of German formats, postcodes with a leading
// zero, one impossible date.
const QByteArray BankCsv = "Buchungstag;PLZ;Umsatz;Art\r\n"
                           "05.03.2024;01067;-12,50;Karte\r\n"
                           "06.03.2024;10115;1.234,00;Karte\r\n"
                           "2023-02-29;80331;7,5;Karte\r\n"
                           "07.03.2024;20095;0,99;Karte\r\n";

QString header(const ImportPreviewDialog &dialog, int column)
{
    return dialog.model()->headerData(column, Qt::Horizontal).toString();
}

void chooseGermanFormats(ImportPreviewDialog &dialog)
{
    QComboBox *formats = dialog.formatsBox();
    formats->setCurrentIndex(formats->findData(QLocale(QLocale::German, QLocale::Germany)));
    QVERIFY(formats->currentIndex() > 0);
}

} // namespace

class TestImportPreview
    : public QObject
    , private MainWindowFixture
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { initFixture(); }
    void init() { startTest(); }
    void cleanup()
    {
        mDialogs->onConfirmDialog = nullptr;
        endTest();
    }

    void typesAndSeparatorUpdateAndOkImports()
    {
        const QString path = writeFile(QStringLiteral("bank.csv"), BankCsv);
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Semicolon));
        bool shown = false;
        mDialogs->onConfirmDialog = [&](QDialog &base) {
            auto &dialog = static_cast<ImportPreviewDialog &>(base);
            shown = true;
            [&] {
                QCOMPARE(dialog.windowTitle(), QStringLiteral("Import preview"));
                // The file's dates and decimal commas read best in German formats.
                QCoreApplication::processEvents();
                QComboBox *formats = dialog.formatsBox();
                QVERIFY(
                    formats->itemText(formats->findData(QLocale(QLocale::German, QLocale::Germany)))
                        .endsWith(QStringLiteral("(suggested)")));
                QCOMPARE(dialog.model()->rowCount(), 4);
                QVERIFY(header(dialog, 0).contains(QStringLiteral("String")));
                chooseGermanFormats(dialog);
                dialog.detectedTypesBox()->setChecked(true);
                QVERIFY2(header(dialog, 0).contains(QStringLiteral("Normal Date")),
                         qPrintable(header(dialog, 0)));
                QVERIFY(header(dialog, 0).contains(QStringLiteral("1")));
                QVERIFY(dialog.model()->isMisfit(2, 0));
                QVERIFY(!dialog.model()->isMisfit(1, 0));
                QVERIFY(header(dialog, 1).contains(QStringLiteral("String")));
                QVERIFY(dialog.model()
                            ->headerData(1, Qt::Horizontal, Qt::ToolTipRole)
                            .toString()
                            .contains(QStringLiteral("01067")));
                QVERIFY(header(dialog, 2).contains(QStringLiteral("Float")));
                QVERIFY(header(dialog, 3).contains(QStringLiteral("PopUp")));

                // A type chosen in the header, then the separator: the grid follows at once.
                dialog.setColumnType(3, StringType);
                QVERIFY(header(dialog, 3).contains(QStringLiteral("String")));
                const int german = formats->findData(QLocale(QLocale::German, QLocale::Germany));
                dialog.separatorBox()->setCurrentIndex(0);  // comma
                QCOMPARE(dialog.model()->columnCount(), 2); // "-12,50" holds one
                QCoreApplication::processEvents();
                QCOMPARE(formats->itemText(german), QStringLiteral("German"));
                dialog.separatorBox()->setCurrentIndex(1); // semicolon again
                QCOMPARE(dialog.model()->columnCount(), 4);
                QCoreApplication::processEvents();
                QVERIFY(formats->itemText(german).endsWith(QStringLiteral("(suggested)")));
                dialog.setColumnType(3, StringType);
                QVERIFY(dialog.canImport());
            }();
            return true;
        };
        mPrompter->expect(QStringLiteral("Information"),
                          QStringLiteral("1 value does not fit its field's type and was imported "
                                         "as its text."),
                          Icon::Information, Buttons::Ok, Answer::Ok);
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QVERIFY(shown);
        QVERIFY(mWindow->isDatabaseOpen());
        const Database &database = windowDatabase();
        QCOMPARE(database.fieldCount(), 4);
        QCOMPARE(database.fieldType(1), int(NormalDateType));
        QCOMPARE(database.fieldType(2), int(StringType));
        QCOMPARE(database.fieldType(3), int(FloatType));
        QCOMPARE(database.fieldType(4), int(StringType));
        QCOMPARE(database.cell(1, 3), QByteArray("2023-02-29"));
        QCOMPARE(database.cell(2, 1), QByteArray("01067"));
        QCOMPARE(database.cell(3, 2), QByteArray("1.234,00"));
        // The formats the file was read in are the new database's.
        QCOMPARE(windowDocument().formatsChoice().localeName, QStringLiteral("de_DE"));
        // The choice is remembered for the next preview.
        QVERIFY(rememberedUseDetectedTypes());
        rememberUseDetectedTypes(false);
    }

    void quoteChoiceReachesTheImport()
    {
        const QString path =
            writeFile(QStringLiteral("quoted.csv"), "Name;Note;More\r\n'Kiel; Nord';\"x;y\"\r\n");
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Semicolon));
        mDialogs->onConfirmDialog = [](QDialog &base) {
            auto &dialog = static_cast<ImportPreviewDialog &>(base);
            [&] {
                QCOMPARE(dialog.quoteBox()->currentText(), QStringLiteral("Double quote (\")"));
                QCOMPARE(dialog.model()->columnCount(), 3);
                dialog.quoteBox()->setCurrentIndex(2); // none: every semicolon cuts
                QCOMPARE(dialog.model()->columnCount(), 4);
                dialog.quoteBox()->setCurrentIndex(1); // single quote
                QCOMPARE(dialog.model()->columnCount(), 3);
            }();
            return true;
        };
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QVERIFY(mWindow->isDatabaseOpen());
        QCOMPARE(windowDatabase().fieldCount(), 3);
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("Kiel; Nord"));
        QCOMPARE(windowDatabase().cell(2, 1), QByteArray("\"x"));
        QCOMPARE(windowDatabase().cell(3, 1), QByteArray("y\""));
    }

    void gridPaintsBeforeTypesAndFormatsAreFound()
    {
        const QString path = writeFile(QStringLiteral("bank.csv"), BankCsv);
        ImportPreviewSetup setup;
        setup.format = exchangeFormatNamed(QStringLiteral("semicolon"));
        QVERIFY(setup.format);
        setup.regional = Regional(QLocale(QLocale::English, QLocale::UnitedStates));
        setup.source.path = path;
        setup.readFile = [&setup](const ImportSource &source) {
            return setup.format->readImport(source, setup.regional);
        };
        setup.firstRead = setup.readFile(setup.source);
        ImportPreviewDialog dialog(setup);
        // Whether a format was suggested, and the types detected, when the grid first painted.
        struct FirstPaint : QObject
        {
            ImportPreviewDialog *dialog = nullptr;
            std::optional<bool> suggestedThen;
            bool detectedThen = false;
            bool eventFilter(QObject *, QEvent *event) override
            {
                if (event->type() == QEvent::Paint && !suggestedThen) {
                    suggestedThen = false;
                    QComboBox *formats = dialog->formatsBox();
                    for (int index = 0; index < formats->count(); ++index)
                        *suggestedThen |= formats->itemText(index).endsWith(u"(suggested)");
                    detectedThen = dialog->typesDetected();
                }
                return false;
            }
        } paint;
        paint.dialog = &dialog;
        dialog.grid()->viewport()->installEventFilter(&paint);
        dialog.show();
        QTRY_VERIFY(paint.suggestedThen.has_value());
        QVERIFY(!*paint.suggestedThen);
        QVERIFY(!paint.detectedThen);
        // Then the postcodes' column says why it stays a String.
        QTRY_VERIFY(dialog.typesDetected());
        QVERIFY(dialog.model()
                    ->headerData(1, Qt::Horizontal, Qt::ToolTipRole)
                    .toString()
                    .contains(QStringLiteral("01067")));
        const int german =
            dialog.formatsBox()->findData(QLocale(QLocale::German, QLocale::Germany));
        QTRY_VERIFY(dialog.formatsBox()->itemText(german).endsWith(u"(suggested)"));
    }

    void cancelChangesNothing()
    {
        openTable({{"Old"}, {"keep"}});
        const QString path = writeFile(QStringLiteral("bank.csv"), BankCsv);
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Semicolon));
        mDialogs->onConfirmDialog = [](QDialog &base) {
            static_cast<ImportPreviewDialog &>(base).setColumnSkipped(0, true);
            return false;
        };
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QCOMPARE(windowDatabase().fieldCount(), 1);
        QCOMPARE(windowDatabase().cell(1, 1), QByteArray("keep"));
        QVERIFY(!windowDatabase().isModified());
    }

    void badInputIsNamed_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("okEnabled");
        QTest::newRow("UTF-8 read as UTF-8")
            << QByteArray("Name;Ort\r\nJ\xC3\xBCrgen;K\xC3\xB6ln\r\n")
            << QStringLiteral("Read as UTF-8: its bytes are valid UTF-8.") << true;
        QTest::newRow("not in the code page")
            << QByteArray("Name;Ort\r\nJ\xC3\xBCrgen;\xC5\x81\xC3\xB3"
                          "d\xC5\xBA\r\n")
            << QStringLiteral("2 character(s) cannot be held by the code page") << true;
        QTest::newRow("empty") << QByteArray() << QStringLiteral("The file is empty.") << false;
        QTest::newRow("binary") << QByteArray("\x00\x01\x02;\x00\r\n", 6)
                                << QStringLiteral("NUL bytes") << false;
    }

    void badInputIsNamed()
    {
        QFETCH(QByteArray, bytes);
        const QString path = writeFile(QStringLiteral("bad.csv"), bytes);
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Semicolon));
        bool enabled = true;
        QString problems;
        mDialogs->onConfirmDialog = [&](QDialog &base) {
            auto &dialog = static_cast<ImportPreviewDialog &>(base);
            enabled = dialog.canImport();
            problems = dialog.problemsLine()->text() + u'\n' + dialog.encodingLine()->text();
            return false;
        };
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QTEST(enabled, "okEnabled");
        QFETCH(QString, line);
        QVERIFY2(problems.contains(line), qPrintable(problems));
        QVERIFY(!mWindow->isDatabaseOpen());
    }

    void encodingIsChosenByTheBytes_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("encoding"); // the box's entry: 0 UTF-8, 1 the code page
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("shown");   // the first value as read at first
        QTest::addColumn<QByteArray>("cell"); // the same, imported after switching
        const int semicolon = int(TextType::Semicolon);
        const QByteArray utf8 = "Name;Ort\r\nJ\xC3\xBCrgen;K\xC3\xB6ln\r\n";
        const QString juergen = QStringLiteral("J\u00FCrgen");
        QTest::newRow("UTF-8 with a mark")
            << semicolon << QByteArray("\xEF\xBB\xBF") + utf8 << 0
            << QStringLiteral("Read as UTF-8: the file starts with a byte order mark.") << juergen
            << QByteArray("J\xC3\xBCrgen");
        QTest::newRow("UTF-8 without a mark")
            << semicolon << utf8 << 0 << QStringLiteral("Read as UTF-8: its bytes are valid UTF-8.")
            << juergen << QByteArray("J\xC3\xBCrgen");
        QTest::newRow("standard CSV in UTF-8")
            << int(TextType::Csv) << QByteArray(utf8).replace(';', ',') << 0
            << QStringLiteral("Read as UTF-8: its bytes are valid UTF-8.") << juergen
            << QByteArray("J\xC3\xBCrgen");
        QTest::newRow("Latin-1") << semicolon << QByteArray("Name;Ort\r\nJ\xFCrgen;K\xF6ln\r\n")
                                 << 1
                                 << QStringLiteral("Read in the code page: its bytes are not valid "
                                                   "UTF-8.")
                                 << juergen << QByteArray("J?rgen");
        QTest::newRow("ASCII") << semicolon << QByteArray("Name;Ort\r\nAnn;Kiel\r\n") << 1
                               << QStringLiteral("Read in the code page: the file holds only ASCII "
                                                 "characters.")
                               << QStringLiteral("Ann") << QByteArray("Ann");
    }

    void encodingIsChosenByTheBytes()
    {
        QFETCH(int, type);
        QFETCH(QByteArray, bytes);
        const QString path = writeFile(QStringLiteral("people.csv"), bytes);
        mDialogs->expectOpen(QStringLiteral("Import"), path, type);
        int encoding = -1;
        QString line;
        QString shown;
        QString switchedLine;
        mDialogs->onConfirmDialog = [&](QDialog &base) {
            auto &dialog = static_cast<ImportPreviewDialog &>(base);
            encoding = dialog.encodingBox()->currentIndex();
            line = dialog.encodingLine()->text();
            shown = dialog.model()->data(dialog.model()->index(0, 0)).toString();
            if (!dialog.encodingBox()->isEnabled())
                return false;
            // The other encoding reads the file again at once.
            dialog.encodingBox()->setCurrentIndex(1 - encoding);
            switchedLine = dialog.encodingLine()->text();
            return true;
        };
        // Read against its bytes, a UTF-8 text loses nothing; a Latin-1 one has a byte that is no
        // UTF-8, asked about before it becomes '?'.
        QFETCH(QByteArray, cell);
        if (cell.contains('?'))
            mPrompter->expect(QStringLiteral("Warning"),
                              QStringLiteral("2 bytes of the text are not UTF-8*"), Icon::Warning,
                              Buttons::OkCancel, Answer::Ok);
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QTEST(encoding, "encoding");
        QTEST(line, "line");
        QTEST(shown, "shown");
        QVERIFY2(switchedLine.contains(u"as chosen"), qPrintable(switchedLine));
        QVERIFY(mWindow->isDatabaseOpen());
        QCOMPARE(windowDatabase().cell(1, 1), cell);
    }

    void appendMapsByNameAndCountsNewRecords()
    {
        openTable({{"Name", "Age"}, {"Ann", "30"}});
        const QString path = writeFile(QStringLiteral("more.csv"), "Age;Name\r\n41;Bob\r\n");
        mDialogs->expectOpen(QStringLiteral("Append"), path, int(TextType::Semicolon));
        QString before;
        QString after;
        mDialogs->onConfirmDialog = [&](QDialog &base) {
            auto &dialog = static_cast<ImportPreviewDialog &>(base);
            before = dialog.newRecordsLine()->text();
            dialog.firstLineNamesBox()->setChecked(true);
            after = dialog.newRecordsLine()->text();
            return true;
        };
        mWindow->commandGroups().get<ExchangeCommands>().appendText();
        QCOMPARE(before, QStringLiteral("New records: 2"));
        QCOMPARE(after, QStringLiteral("New records: 1"));
        QCOMPARE(windowDatabase().recordCount(), 2);
        QCOMPARE(windowDatabase().cell(1, 2), QByteArray("Bob"));
        QCOMPARE(windowDatabase().cell(2, 2), QByteArray("41"));
    }

    void columnMenuFromTheKeyboard()
    {
        const QString path = writeFile(QStringLiteral("bank.csv"), BankCsv);
        mDialogs->expectOpen(QStringLiteral("Import"), path, int(TextType::Semicolon));
        mDialogs->onConfirmDialog = [&](QDialog &base) {
            auto &dialog = static_cast<ImportPreviewDialog &>(base);
            dialog.grid()->setCurrentIndex(dialog.model()->index(0, 2));
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(5, 5));
            QApplication::sendEvent(dialog.grid()->viewport(), &menuKey);
            QMenu *menu = dialog.openedMenu();
            if (!menu)
                return false;
            for (QAction *action : menu->actions()) {
                if (action->text() == QStringLiteral("&Skip"))
                    action->trigger();
            }
            menu->close();
            return header(dialog, 2).contains(QStringLiteral("Skipped"));
        };
        mWindow->commandGroups().get<ExchangeCommands>().importText();
        QVERIFY(mWindow->isDatabaseOpen());
        QCOMPARE(windowDatabase().fieldCount(), 3);
        QCOMPARE(windowDatabase().fieldName(3), QByteArray("Art"));
    }
};

QTEST_MAIN(TestImportPreview)
#include "tst_import_preview.moc"
