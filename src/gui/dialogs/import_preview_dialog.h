// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#pragma once

#include "core/exchange/encoding_detection.h"
#include "core/exchange/exchange_formats.h"
#include "core/exchange/import_choices.h"
#include "core/exchange/import_plan.h"
#include "core/exchange/type_detection.h"
#include "core/model/regional.h"

#include <QDialog>
#include <QLocale>

#include <functional>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QMenu;
class QSpinBox;
class QTableView;

namespace kribed {

class Database;
class ImportPreviewModel;
struct PreviewColumn;

// What the preview is shown for and how it reads the file again when the separator or the
// encoding changes.
struct ImportPreviewSetup
{
    ImportPlan::Kind kind = ImportPlan::Kind::Import;
    const ExchangeFormat *format = nullptr;
    ImportSource source;
    Regional regional;                // the open database's formats
    const Database *target = nullptr; // append: the open database
    // The file read as an import (row 0 its first line); for an append the columns to map.
    std::function<ImportPlan(const ImportSource &)> readFile;
    // Append: the records as the append reads them with the format's own choices.
    std::function<ImportPlan(const ImportSource &)> readAppend;
    ImportPlan firstRead; // readFile's plan for `source`, already read
    QByteArray fileStart; // the first bytes of the file, where a binary one shows
    // A text file's encoding as its bytes tell; `source` is read in it at first.
    std::optional<DetectedEncoding> detectedEncoding;
};

// "Import preview": the records as they will be imported, each column's type (detected from all
// its values) and the values that do not fit it, the limits met and what is wrong with the input,
// before anything is written. Untouched, OK gives the import the format gives on its own.
class ImportPreviewDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ImportPreviewDialog(ImportPreviewSetup setup, QWidget *parent = nullptr);
    ~ImportPreviewDialog() override;

    // The plan the choices make; the import or append to carry out.
    ImportPlan plan() const;

    // The choices the header menu and the controls change.
    void setColumnType(int column, int type);
    void setColumnName(int column, const QByteArray &name);
    void setColumnWidth(int column, int widthUnits);
    void setColumnSkipped(int column, bool skipped);
    void setColumnTarget(int column, int field);
    void setSeparator(char separator);
    // '"' (as the formats read), '\'' or 0 (no value is quoted).
    void setQuote(char quote);
    void setUseDetectedTypes(bool use);
    // The encoding the text is read in (formats of tables: none); changing it reads it again.
    void setEncoding(CsvEncoding encoding);
    CsvEncoding encoding() const;

    // Each column's type from all its values; detected when first needed, and at the latest
    // once the grid has painted.
    const QList<DetectedType> &detectedTypes() const { return detected(); }
    bool typesDetected() const { return !mDetectionDue; }
    // The type each column gets as things stand.
    int columnType(int column) const;
    QMenu *columnMenu(int column);

    QTableView *grid() const { return mGrid; }
    ImportPreviewModel *model() const { return mModel; }
    QComboBox *separatorBox() const { return mSeparator; }
    QComboBox *quoteBox() const { return mQuote; }
    QCheckBox *detectedTypesBox() const { return mUseDetected; }
    QCheckBox *firstLineNamesBox() const { return mFirstLineNames; }
    QComboBox *formatsBox() const { return mFormats; }
    QComboBox *encodingBox() const { return mEncoding; }
    // What the file's bytes told of its encoding, and how it is read.
    QLabel *encodingLine() const { return mEncodingLine; }
    // The column menu last opened (the header's or the grid's), or none.
    QMenu *openedMenu() const { return mMenu; }
    QLabel *limitsLine() const { return mLimits; }
    QLabel *problemsLine() const { return mProblems; }
    QLabel *newRecordsLine() const { return mNewRecords; }
    bool canImport() const;
    // The formats other than the preset ones the user chose, or none.
    std::optional<QLocale> chosenFormats() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildControls();
    void addTextChoices(QFormLayout *form);
    void addRecordChoices(QFormLayout *form);
    void updateEncodingLine();
    // The suggestion, after the first paint once the dialog shows.
    void suggestFormatsAfterPaint();
    void reread();
    void refresh();
    void showRecords();
    const QList<DetectedType> &detected() const;
    // The untouched import shows every column as a String: its types are detected after the
    // first paint, since the detection takes about as long as the painting.
    void detectAfterPaint();
    void finishDetection();
    void updateFindings();
    int headerRow() const;
    int firstRecordRow() const;
    QList<PreviewColumn> previewColumns() const;
    ImportChoices effectiveChoices() const;
    ColumnChoice &choice(int column);
    void showColumnMenu(int column, const QPoint &globalPos);
    // Append: each column goes to the field of its name in the names line, or by position.
    void mapColumnsByName(bool byName);
    Regional chosenRegional() const;
    // Names the offered formats the first records read best in, when they read better than in
    // the preset ones.
    void suggestFormats();
    void fitHeaders();

    ImportPreviewSetup mSetup;
    ImportPlan mFile;
    ImportPlan mAppendPlan;
    ImportChoices mChoices;
    mutable QList<DetectedType> mDetected;
    mutable bool mDetectionDue = false; // the choices changed since the types were detected
    bool mUseDetectedTypes = false;

    ImportPreviewModel *mModel = nullptr;
    QTableView *mGrid = nullptr;
    QComboBox *mSeparator = nullptr;
    QLineEdit *mOtherSeparator = nullptr;
    QComboBox *mQuote = nullptr;
    QComboBox *mEncoding = nullptr;
    QLabel *mEncodingLine = nullptr;
    QCheckBox *mFirstLineNames = nullptr;
    QSpinBox *mStartLine = nullptr;
    QComboBox *mFormats = nullptr;
    QCheckBox *mTrim = nullptr;
    QCheckBox *mUseDetected = nullptr;
    QLabel *mLimits = nullptr;
    QLabel *mProblems = nullptr;
    QLabel *mNewRecords = nullptr;
    QDialogButtonBox *mButtons = nullptr;
    QMenu *mMenu = nullptr;
    bool mPainted = false;
    bool mSuggestionWaits = false;
    bool mDetectionWaits = false;
};

// Whether the detected types are used, as the user last chose (false at first).
bool rememberedUseDetectedTypes();
void rememberUseDetectedTypes(bool use);

} // namespace kribed
