// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/import_preview_dialog.h"

#include "core/editing/formats_check.h"
#include "core/exchange/import_findings.h"
#include "core/model/database.h"
#include "core/model/field_type.h"
#include "core/model/limits.h"
#include "core/platform/settings.h"
#include "gui/dialogs/import_preview_model.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace kribed {

namespace {

const QString UseDetectedKey = QStringLiteral("ImportPreview/UseDetectedTypes");

// The types a column is offered as: those a file's values can be.
constexpr int OfferedTypes[] = {StringType,     NormalIntegerType, FloatType,      BooleanType,
                                NormalDateType, NormalTimeType,    NormalPopupType};

} // namespace

bool rememberedUseDetectedTypes()
{
    return openSettingsStore()->value(UseDetectedKey, false).toBool();
}

void rememberUseDetectedTypes(bool use)
{
    openSettingsStore()->setValue(UseDetectedKey, use);
}

ImportPreviewDialog::ImportPreviewDialog(ImportPreviewSetup setup, QWidget *parent)
    : QDialog(parent)
    , mSetup(std::move(setup))
    , mFile(std::move(mSetup.firstRead))
{
    setWindowTitle(tr("Import preview"));
    mUseDetectedTypes = rememberedUseDetectedTypes();
    mChoices.firstLineNames = mSetup.kind == ImportPlan::Kind::Import;
    if (mSetup.kind == ImportPlan::Kind::Append && mSetup.readAppend)
        mAppendPlan = mSetup.readAppend(mSetup.source);
    buildControls();
    mDetectionDue = true;
    if (mUseDetectedTypes || mSetup.kind != ImportPlan::Kind::Import)
        detected(); // the headers show the detected types, or the target's misfits
    showRecords();
    QTimer::singleShot(0, this, &ImportPreviewDialog::detectAfterPaint);
}

ImportPreviewDialog::~ImportPreviewDialog() = default;

void ImportPreviewDialog::fitHeaders()
{
    // Each column as wide as its header's longest line, so the type and the count show whole;
    // measured on the header alone, never on the records.
    QHeaderView *header = mGrid->horizontalHeader();
    const QFontMetrics metrics(header->font());
    for (int column = 0; column < mModel->columnCount(); ++column) {
        int widest = 0;
        const QStringList lines =
            mModel->headerData(column, Qt::Horizontal).toString().split(u'\n');
        for (const QString &line : lines)
            widest = std::max(widest, metrics.horizontalAdvance(line));
        header->resizeSection(column, std::clamp(widest + 24, 80, 400));
    }
}

Regional ImportPreviewDialog::chosenRegional() const
{
    if (mFormats->currentIndex() <= 0)
        return mSetup.regional;
    return Regional(mFormats->currentData().toLocale(), mSetup.regional.codePage());
}

int ImportPreviewDialog::headerRow() const
{
    return std::clamp(mChoices.startLine - 1, 0, std::max(0, int(mFile.table.rows.size()) - 1));
}

int ImportPreviewDialog::firstRecordRow() const
{
    const bool names =
        mSetup.kind == ImportPlan::Kind::Import ? mChoices.firstLineNames : mChoices.skipFirstLine;
    return std::min(int(mFile.table.rows.size()), headerRow() + (names ? 1 : 0));
}

ColumnChoice &ImportPreviewDialog::choice(int column)
{
    if (mChoices.columns.size() <= column)
        mChoices.columns.resize(column + 1);
    return mChoices.columns[column];
}

int ImportPreviewDialog::columnType(int column) const
{
    if (mSetup.kind == ImportPlan::Kind::Append) {
        const QList<int> targets = appendTargets(mFile.table.fields, mChoices, *mSetup.target);
        const int field = targets.value(column);
        return field > 0 ? mSetup.target->fieldType(field) : StringType;
    }
    const ColumnChoice chosen = mChoices.column(column);
    if (chosen.type)
        return *chosen.type;
    return mUseDetectedTypes ? detected().value(column).type : StringType;
}

ImportChoices ImportPreviewDialog::effectiveChoices() const
{
    ImportChoices choices = mChoices;
    if (mSetup.kind == ImportPlan::Kind::Import && mUseDetectedTypes) {
        choices.columns.resize(std::max(int(choices.columns.size()), mFile.table.fields));
        for (int column = 0; column < mFile.table.fields; ++column) {
            if (!choices.columns[column].type && detected().value(column).type != StringType)
                choices.columns[column].type = detected().value(column).type;
        }
    }
    return choices;
}

ImportPlan ImportPreviewDialog::plan() const
{
    const ImportChoices choices = effectiveChoices();
    if (mSetup.kind == ImportPlan::Kind::Import) {
        ImportPlan planned = mFile;
        applyImportChoices(planned, choices, chosenRegional());
        return planned;
    }
    ImportPlan planned = mAppendPlan;
    if (!choices.leavesPlanAsRead(ImportPlan::Kind::Append)
        && planned.failure != PlanFailure::Unreadable)
        planned.table.rows =
            appendRecords(mFile.table, choices, *mSetup.target, planned.shape.rowLimit);
    return planned;
}

void ImportPreviewDialog::reread()
{
    QTimer::singleShot(0, this, &ImportPreviewDialog::suggestFormats);
    mFile = mSetup.readFile(mSetup.source);
    if (mSetup.kind == ImportPlan::Kind::Append && mSetup.readAppend)
        mAppendPlan = mSetup.readAppend(mSetup.source);
    mStartLine->setMaximum(std::max(1, int(mFile.table.rows.size())));
    refresh();
}

QList<PreviewColumn> ImportPreviewDialog::previewColumns() const
{
    QList<PreviewColumn> columns;
    const bool import = mSetup.kind == ImportPlan::Kind::Import;
    const QList<int> targets =
        import ? QList<int>() : appendTargets(mFile.table.fields, mChoices, *mSetup.target);
    const Regional regional = chosenRegional();
    const int names = headerRow();
    const bool named = import ? mChoices.firstLineNames : mChoices.skipFirstLine;
    for (int column = 0; column < mFile.table.fields; ++column) {
        PreviewColumn shown;
        const ColumnChoice chosen = mChoices.column(column);
        shown.type = columnType(column);
        shown.skipped = chosen.skip || (!import && targets.value(column) == 0);
        QByteArray name = chosen.name;
        if (name.isEmpty())
            name = named && names < mFile.table.rows.size() ? mFile.table.rows[names].value(column)
                                                            : generatedFieldName(column + 1);
        QString header = regional.toText(name);
        if (!import)
            header += targets.value(column) > 0
                          ? QStringLiteral(" → ")
                                + regional.toText(mSetup.target->fieldName(targets[column]))
                          : QStringLiteral(" → ") + tr("(none)");
        // Before the types are detected every column shows as a String, with no misfits.
        const DetectedType detected = mDetectionDue ? DetectedType() : mDetected.value(column);
        int misfits = 0;
        if (detected.type == shown.type) {
            misfits = detected.misfits;
        } else if (shown.type != StringType && !isPopupType(shown.type)) {
            for (int row = firstRecordRow(); row < mFile.table.rows.size(); ++row)
                misfits +=
                    !fitsDetectedType(mFile.table.rows[row].view(column), shown.type, regional);
        }
        header += u'\n' + (shown.skipped ? tr("Skipped") : typeName(shown.type).trimmed());
        if (misfits > 0 && !shown.skipped)
            header += tr(" — %n do(es) not fit", nullptr, misfits);
        shown.header = header;
        if (detected.kept == KeptAsText::LeadingZero)
            shown.toolTip = tr("Stays a String: \"%1\" has a leading zero a number would lose.")
                                .arg(regional.toText(detected.keptExample));
        else if (detected.kept == KeptAsText::TooManyDigits)
            shown.toolTip = tr("Stays a String: \"%1\" has more digits than a number keeps "
                               "exactly.")
                                .arg(regional.toText(detected.keptExample));
        columns.append(shown);
    }
    return columns;
}

void ImportPreviewDialog::refresh()
{
    mDetectionDue = true;
    detected();
    showRecords();
}

void ImportPreviewDialog::showRecords()
{
    mModel->show(mFile.table, firstRecordRow(), previewColumns(), mFile.cutPlaces,
                 chosenRegional());
    fitHeaders();
    updateFindings();
}

const QList<DetectedType> &ImportPreviewDialog::detected() const
{
    if (mDetectionDue) {
        mDetected = detectColumnTypes(mFile.table.rows, firstRecordRow(), mFile.table.fields,
                                      chosenRegional());
        mDetectionDue = false;
    }
    return mDetected;
}

void ImportPreviewDialog::detectAfterPaint()
{
    if (isVisible() && !mPainted) {
        mDetectionWaits = true;
        return;
    }
    finishDetection();
}

void ImportPreviewDialog::finishDetection()
{
    if (!mDetectionDue)
        return;
    detected();
    // Only the headers' tooltips (why a column stays a String) change.
    mModel->setColumns(previewColumns());
    fitHeaders();
}

void ImportPreviewDialog::updateFindings()
{
    const ImportPlan planned = plan();
    // Where the bytes were looked at, the encoding line says what reading them otherwise means.
    const bool readsUtf8 = !mSetup.format || mSetup.format->listTables
                           || encoding() == CsvEncoding::Utf8 || mSetup.detectedEncoding;
    const ImportFindings findings = findingsOf(planned, mSetup.fileStart, readsUtf8);
    mLimits->setText(findings.limits.join(u'\n'));
    mLimits->setVisible(!findings.limits.isEmpty());
    const QStringList &problems = findings.problems;
    mProblems->setText(problems.join(u'\n'));
    mProblems->setVisible(!problems.isEmpty());
    const bool append = mSetup.kind == ImportPlan::Kind::Append;
    mNewRecords->setVisible(append);
    if (append)
        mNewRecords->setText(tr("New records: %1").arg(planned.table.rows.size()));
    const bool anyColumn = planned.failure == PlanFailure::Unreadable || planned.table.fields > 0;
    mButtons->button(QDialogButtonBox::Ok)
        ->setEnabled(findings.importable && anyColumn
                     && planned.failure != PlanFailure::Unreadable);
}

bool ImportPreviewDialog::canImport() const
{
    return mButtons->button(QDialogButtonBox::Ok)->isEnabled();
}

void ImportPreviewDialog::setColumnType(int column, int type)
{
    choice(column).type = type;
    mModel->setColumns(previewColumns());
    fitHeaders();
    updateFindings();
}

void ImportPreviewDialog::setColumnName(int column, const QByteArray &name)
{
    choice(column).name = name;
    mModel->setColumns(previewColumns());
    fitHeaders();
    updateFindings();
}

void ImportPreviewDialog::setColumnWidth(int column, int widthUnits)
{
    choice(column).widthUnits = std::clamp(widthUnits, 0, MaxFieldWidthUnits);
    updateFindings();
}

void ImportPreviewDialog::setColumnSkipped(int column, bool skipped)
{
    choice(column).skip = skipped;
    mModel->setColumns(previewColumns());
    fitHeaders();
    updateFindings();
}

void ImportPreviewDialog::setColumnTarget(int column, int field)
{
    choice(column).target = field;
    mModel->setColumns(previewColumns());
    fitHeaders();
    updateFindings();
}

void ImportPreviewDialog::setUseDetectedTypes(bool use)
{
    if (use == mUseDetectedTypes)
        return;
    mUseDetectedTypes = use;
    rememberUseDetectedTypes(use);
    if (mUseDetected->isChecked() != use) {
        const QSignalBlocker blocker(mUseDetected);
        mUseDetected->setChecked(use);
    }
    mModel->setColumns(previewColumns());
    fitHeaders();
    updateFindings();
}

void ImportPreviewDialog::mapColumnsByName(bool byName)
{
    const int names = headerRow();
    for (int column = 0; column < mFile.table.fields; ++column) {
        std::optional<int> target;
        if (byName && names < mFile.table.rows.size()) {
            const QByteArrayView name = mFile.table.rows[names].view(column);
            for (int field = 1; field <= mSetup.target->fieldCount() && !target; ++field) {
                if (!name.isEmpty() && mSetup.target->fieldName(field) == name)
                    target = field;
            }
        }
        choice(column).target = target;
    }
}

QMenu *ImportPreviewDialog::columnMenu(int column)
{
    delete mMenu;
    mMenu = new QMenu(this);
    if (column < 0 || column >= mFile.table.fields)
        return mMenu;
    if (mSetup.kind == ImportPlan::Kind::Import) {
        QMenu *types = mMenu->addMenu(tr("&Type"));
        for (const int type : OfferedTypes) {
            QAction *action = types->addAction(typeName(type).trimmed());
            action->setCheckable(true);
            action->setChecked(columnType(column) == type);
            connect(action, &QAction::triggered, this,
                    [this, column, type] { setColumnType(column, type); });
        }
        connect(mMenu->addAction(tr("&Name...")), &QAction::triggered, this, [this, column] {
            bool ok = false;
            const QString name = QInputDialog::getText(this, tr("Name"), tr("Field name:"),
                                                       QLineEdit::Normal, QString(), &ok);
            if (ok)
                setColumnName(column, chosenRegional().toBytes(name.left(MaxFieldNameLength)));
        });
        connect(mMenu->addAction(tr("&Width...")), &QAction::triggered, this, [this, column] {
            bool ok = false;
            const int width = QInputDialog::getInt(this, tr("Width"), tr("Width (1 - 300):"), 90, 1,
                                                   MaxFieldWidthUnits, 1, &ok);
            if (ok)
                setColumnWidth(column, width);
        });
    } else {
        QMenu *fields = mMenu->addMenu(tr("&Field"));
        const int current = appendTargets(mFile.table.fields, mChoices, *mSetup.target)[column];
        for (int field = 0; field <= mSetup.target->fieldCount(); ++field) {
            const QString text = field == 0
                                     ? tr("(none)")
                                     : QStringLiteral("%1 %2").arg(field).arg(
                                         mSetup.regional.toText(mSetup.target->fieldName(field)));
            QAction *action = fields->addAction(text);
            action->setCheckable(true);
            action->setChecked(current == field);
            connect(action, &QAction::triggered, this,
                    [this, column, field] { setColumnTarget(column, field); });
        }
    }
    QAction *skip = mMenu->addAction(tr("&Skip"));
    skip->setCheckable(true);
    skip->setChecked(mChoices.column(column).skip);
    connect(skip, &QAction::toggled, this,
            [this, column](bool on) { setColumnSkipped(column, on); });
    return mMenu;
}

void ImportPreviewDialog::showColumnMenu(int column, const QPoint &globalPos)
{
    if (column >= 0)
        columnMenu(column)->popup(globalPos);
}

} // namespace kribed
