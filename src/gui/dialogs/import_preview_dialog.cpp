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

// The separators offered, in the box's order; "Other" follows them.
constexpr char OfferedSeparators[] = {',', ';', '\t', '|'};
// The quotes offered, in the box's order; 0: values are not quoted.
constexpr char OfferedQuotes[] = {'"', '\'', 0};

// The types a column is offered as: those a file's values can be.
constexpr int OfferedTypes[] = {StringType,     NormalIntegerType, FloatType,      BooleanType,
                                NormalDateType, NormalTimeType,    NormalPopupType};

char formatSeparator(const ExchangeFormat &format)
{
    return format.textType ? separatorOf(*format.textType) : CsvSeparator;
}

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
    refresh();
}

ImportPreviewDialog::~ImportPreviewDialog() = default;

void ImportPreviewDialog::buildControls()
{
    const bool text = mSetup.format && mSetup.format->textType.has_value();
    auto *form = new QFormLayout;

    mSeparator = new QComboBox(this);
    mSeparator->addItems(
        {tr("Comma"), tr("Semicolon"), tr("Tab"), tr("| (vertical bar)"), tr("Other")});
    const char own = mSetup.format ? formatSeparator(*mSetup.format) : ',';
    mSeparator->setCurrentIndex(
        int(std::find(std::begin(OfferedSeparators), std::end(OfferedSeparators), own)
            - std::begin(OfferedSeparators)));
    mOtherSeparator = new QLineEdit(this);
    mOtherSeparator->setMaxLength(1);
    mOtherSeparator->setEnabled(false);
    auto *separatorRow = new QHBoxLayout;
    separatorRow->addWidget(mSeparator);
    separatorRow->addWidget(mOtherSeparator);
    auto *separatorLabel = new QLabel(tr("&Separator:"), this);
    separatorLabel->setBuddy(mSeparator);
    form->addRow(separatorLabel, separatorRow);
    mSeparator->setEnabled(text);
    connect(mSeparator, &QComboBox::currentIndexChanged, this, [this](int index) {
        mOtherSeparator->setEnabled(index == int(std::size(OfferedSeparators)));
        if (index < int(std::size(OfferedSeparators)))
            setSeparator(OfferedSeparators[index]);
        else if (!mOtherSeparator->text().isEmpty())
            setSeparator(mOtherSeparator->text().at(0).toLatin1());
    });
    connect(mOtherSeparator, &QLineEdit::textEdited, this, [this](const QString &other) {
        if (!other.isEmpty() && other.at(0).unicode() < 128)
            setSeparator(other.at(0).toLatin1());
    });

    mQuote = new QComboBox(this);
    mQuote->addItems({tr("Double quote (\")"), tr("Single quote (')"), tr("None")});
    mQuote->setEnabled(text);
    form->addRow(tr("&Quote:"), mQuote);
    connect(mQuote, &QComboBox::currentIndexChanged, this,
            [this](int index) { setQuote(OfferedQuotes[std::clamp(index, 0, 2)]); });

    mEncoding = new QComboBox(this);
    mEncoding->addItems(
        {tr("UTF-8"), tr("Code page %1").arg(QString::fromLatin1(mSetup.regional.codePage()))});
    mEncoding->setCurrentIndex(mSetup.source.encoding == CsvEncoding::Utf8 ? 0 : 1);
    mEncoding->setEnabled(mSetup.format && mSetup.format->asksEncoding);
    form->addRow(tr("&Encoding:"), mEncoding);
    connect(mEncoding, &QComboBox::currentIndexChanged, this, [this](int index) {
        mSetup.source.encoding = index == 0 ? CsvEncoding::Utf8 : CsvEncoding::CodePage;
        reread();
    });

    mFirstLineNames = new QCheckBox(tr("First line holds the field &names"), this);
    mFirstLineNames->setChecked(mChoices.firstLineNames);
    mFirstLineNames->setEnabled(text);
    form->addRow(QString(), mFirstLineNames);
    connect(mFirstLineNames, &QCheckBox::toggled, this, [this](bool on) {
        if (mSetup.kind == ImportPlan::Kind::Import) {
            mChoices.firstLineNames = on;
        } else {
            mChoices.skipFirstLine = on;
            mapColumnsByName(on);
        }
        refresh();
    });

    mStartLine = new QSpinBox(this);
    mStartLine->setRange(1, std::max(1, int(mFile.table.rows.size())));
    mStartLine->setEnabled(text);
    form->addRow(tr("Start at &line:"), mStartLine);
    connect(mStartLine, &QSpinBox::valueChanged, this, [this](int line) {
        mChoices.startLine = line;
        refresh();
    });

    mFormats = new QComboBox(this);
    const QString current = formatsName(mSetup.regional.locale());
    mFormats->addItem(mSetup.kind == ImportPlan::Kind::Import
                          ? tr("The desktop's (%1)").arg(current)
                          : tr("As the open database (%1)").arg(current));
    for (const QLocale &locale : offeredFormatLocales())
        mFormats->addItem(formatsName(locale), locale);
    // The formats the file's own values read best in are named once the preview shows.
    QTimer::singleShot(0, this, &ImportPreviewDialog::suggestFormatsAfterPaint);
    form->addRow(tr("&Regional formats:"), mFormats);
    connect(mFormats, &QComboBox::currentIndexChanged, this, [this] { refresh(); });

    mTrim = new QCheckBox(tr("&Trim blanks around values"), this);
    form->addRow(QString(), mTrim);
    connect(mTrim, &QCheckBox::toggled, this, [this](bool on) {
        mChoices.trim = on;
        refresh();
    });

    mUseDetected = new QCheckBox(tr("&Use detected types"), this);
    mUseDetected->setChecked(mUseDetectedTypes);
    mUseDetected->setEnabled(mSetup.kind == ImportPlan::Kind::Import);
    form->addRow(QString(), mUseDetected);
    connect(mUseDetected, &QCheckBox::toggled, this, &ImportPreviewDialog::setUseDetectedTypes);

    mLimits = new QLabel(this);
    mProblems = new QLabel(this);
    mNewRecords = new QLabel(this);
    for (QLabel *line : {mLimits, mProblems, mNewRecords})
        line->setWordWrap(true);
    mProblems->setStyleSheet(QStringLiteral("color: #a00000"));

    mModel = new ImportPreviewModel(this);
    mGrid = new QTableView(this);
    mGrid->setModel(mModel);
    mGrid->verticalHeader()->setDefaultSectionSize(ShownRowHeight);
    mGrid->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    mGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    mGrid->setAccessibleName(tr("Records as they will be imported"));
    // The header's menu, and the same for the current column from the keyboard (the menu key).
    connect(mGrid->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) {
                showColumnMenu(mGrid->horizontalHeader()->logicalIndexAt(pos),
                               mGrid->horizontalHeader()->mapToGlobal(pos));
            });
    connect(mGrid, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        const int column = mGrid->currentIndex().isValid() ? mGrid->currentIndex().column()
                                                           : mGrid->columnAt(pos.x());
        showColumnMenu(column, mGrid->viewport()->mapToGlobal(pos));
    });

    mButtons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(mButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(mButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(mLimits);
    layout->addWidget(mProblems);
    layout->addWidget(mNewRecords);
    layout->addWidget(mGrid, 1);
    layout->addWidget(mButtons);
    resize(900, 600);
}

std::optional<QLocale> ImportPreviewDialog::chosenFormats() const
{
    if (mFormats->currentIndex() <= 0)
        return std::nullopt;
    return mFormats->currentData().toLocale();
}

namespace {

// How many values of the first records read as a date, time, number or Boolean under the rules.
int typedValues(const ImportedTable &table, int firstRow, const Regional &regional)
{
    constexpr int Sampled = 300;
    QVector<Record> rows = table.rows.mid(firstRow, Sampled);
    int typed = 0;
    for (const DetectedType &type : detectColumnTypes(rows, 0, table.fields, regional)) {
        if (type.type != StringType && !isPopupType(type.type))
            typed += type.values - type.misfits;
    }
    return typed;
}

} // namespace

void ImportPreviewDialog::suggestFormatsAfterPaint()
{
    // Reading the first records in every offered format takes longer than painting the grid:
    // a dialog that shows paints first.
    if (isVisible() && !mPainted) {
        mSuggestionWaits = true;
        return;
    }
    suggestFormats();
}

void ImportPreviewDialog::paintEvent(QPaintEvent *event)
{
    QDialog::paintEvent(event);
    mPainted = true;
    if (mSuggestionWaits) {
        mSuggestionWaits = false;
        QTimer::singleShot(0, this, &ImportPreviewDialog::suggestFormats);
    }
}

void ImportPreviewDialog::suggestFormats()
{
    const int first = firstRecordRow();
    int best = typedValues(mFile.table, first, mSetup.regional);
    int suggested = 0;
    for (int index = 1; index < mFormats->count(); ++index) {
        const Regional regional(mFormats->itemData(index).toLocale(), mSetup.regional.codePage());
        const int typed = typedValues(mFile.table, first, regional);
        if (typed > best) {
            best = typed;
            suggested = index;
        }
    }
    // Another file (another separator) may read best in others: only one is named at a time.
    const QList<QLocale> &offered = offeredFormatLocales();
    for (int index = 1; index < mFormats->count(); ++index) {
        const QString name = formatsName(offered.value(index - 1));
        mFormats->setItemText(index, index == suggested ? tr("%1 (suggested)").arg(name) : name);
    }
}

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
    return mUseDetectedTypes ? mDetected.value(column).type : StringType;
}

ImportChoices ImportPreviewDialog::effectiveChoices() const
{
    ImportChoices choices = mChoices;
    if (mSetup.kind == ImportPlan::Kind::Import && mUseDetectedTypes) {
        choices.columns.resize(std::max(int(choices.columns.size()), mFile.table.fields));
        for (int column = 0; column < mFile.table.fields; ++column) {
            if (!choices.columns[column].type && mDetected.value(column).type != StringType)
                choices.columns[column].type = mDetected.value(column).type;
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
        const DetectedType detected = mDetected.value(column);
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
    const Regional regional = chosenRegional();
    mDetected = detectColumnTypes(mFile.table.rows, firstRecordRow(), mFile.table.fields, regional);
    mModel->show(mFile.table, firstRecordRow(), previewColumns(), mFile.cutPlaces, regional);
    fitHeaders();
    updateFindings();
}

void ImportPreviewDialog::updateFindings()
{
    const ImportPlan planned = plan();
    const bool readsUtf8 =
        !mSetup.format || mSetup.format->listTables
        || (mSetup.format->asksEncoding && mSetup.source.encoding == CsvEncoding::Utf8);
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

void ImportPreviewDialog::setSeparator(char separator)
{
    const char own = mSetup.format ? formatSeparator(*mSetup.format) : ',';
    const char chosen = separator == own ? 0 : separator;
    if (chosen == mSetup.source.separator)
        return;
    mSetup.source.separator = chosen;
    mChoices.columns.clear(); // the columns are others now
    const int index =
        int(std::find(std::begin(OfferedSeparators), std::end(OfferedSeparators), separator)
            - std::begin(OfferedSeparators));
    if (index < int(std::size(OfferedSeparators)) && mSeparator->currentIndex() != index) {
        const QSignalBlocker blocker(mSeparator);
        mSeparator->setCurrentIndex(index);
    }
    reread();
}

void ImportPreviewDialog::setQuote(char quote)
{
    if (quote == mSetup.source.quote)
        return;
    mSetup.source.quote = quote;
    mChoices.columns.clear(); // other quotes may cut other columns
    const int index = int(std::find(std::begin(OfferedQuotes), std::end(OfferedQuotes), quote)
                          - std::begin(OfferedQuotes));
    if (index < int(std::size(OfferedQuotes)) && mQuote->currentIndex() != index) {
        const QSignalBlocker blocker(mQuote);
        mQuote->setCurrentIndex(index);
    }
    reread();
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
