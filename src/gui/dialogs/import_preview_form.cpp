// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
// The preview's form: the choices above the grid (separator, quote, encoding, the names line,
// the first line, the regional formats, trim, the detected types) and what each change reads
// again; the formats the file's values suggest, named once the grid has painted.
#include "gui/dialogs/import_preview_dialog.h"

#include "core/editing/formats_check.h"
#include "core/model/limits.h"
#include "gui/dialogs/import_preview_model.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace kribed {

namespace {

// The separators offered, in the box's order; "Other" follows them.
constexpr char OfferedSeparators[] = {',', ';', '\t', '|'};
// The quotes offered, in the box's order; 0: values are not quoted.
constexpr char OfferedQuotes[] = {'"', '\'', 0};

char formatSeparator(const ExchangeFormat &format)
{
    return format.textType ? separatorOf(*format.textType) : CsvSeparator;
}

} // namespace

void ImportPreviewDialog::buildControls()
{
    auto *form = new QFormLayout;
    addTextChoices(form);
    addRecordChoices(form);

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

void ImportPreviewDialog::addTextChoices(QFormLayout *form)
{
    const bool text = mSetup.format && mSetup.format->textType.has_value();
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
    mEncoding->setCurrentIndex(encoding() == CsvEncoding::Utf8 ? 0 : 1);
    mEncoding->setEnabled(text);
    form->addRow(tr("&Encoding:"), mEncoding);
    connect(mEncoding, &QComboBox::currentIndexChanged, this, [this](int index) {
        setEncoding(index == 0 ? CsvEncoding::Utf8 : CsvEncoding::CodePage);
    });
    mEncodingLine = new QLabel(this);
    mEncodingLine->setWordWrap(true);
    form->addRow(QString(), mEncodingLine);
    updateEncodingLine();

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
}

void ImportPreviewDialog::addRecordChoices(QFormLayout *form)
{
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
    if (mDetectionWaits) {
        mDetectionWaits = false;
        QTimer::singleShot(0, this, &ImportPreviewDialog::finishDetection);
    }
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

CsvEncoding ImportPreviewDialog::encoding() const
{
    if (!mSetup.format || !mSetup.format->textType)
        return CsvEncoding::Utf8;
    if (mSetup.format->asksEncoding)
        return mSetup.source.encoding;
    return mSetup.source.bytes == TextBytes::Utf8 ? CsvEncoding::Utf8 : CsvEncoding::CodePage;
}

void ImportPreviewDialog::setEncoding(CsvEncoding encoding)
{
    if (!mSetup.format || !mSetup.format->textType || encoding == this->encoding())
        return;
    setTextEncoding(mSetup.source, encoding);
    const int index = encoding == CsvEncoding::Utf8 ? 0 : 1;
    if (mEncoding->currentIndex() != index) {
        const QSignalBlocker blocker(mEncoding);
        mEncoding->setCurrentIndex(index);
    }
    updateEncodingLine();
    reread();
}

void ImportPreviewDialog::updateEncodingLine()
{
    const std::optional<DetectedEncoding> &detected = mSetup.detectedEncoding;
    mEncodingLine->setVisible(detected.has_value() && mEncoding->isEnabled());
    if (!detected)
        return;
    const bool utf8 = encoding() == CsvEncoding::Utf8;
    QString line;
    if (detected->encoding != encoding()) {
        // A choice against the bytes: it may well be right, but it is said.
        line = utf8 ? tr("Read as UTF-8, as chosen; by its bytes the file is in the code page.")
                    : tr("Read in the code page, as chosen; by its bytes the file is UTF-8.");
    } else {
        switch (detected->reason) {
        case EncodingReason::ByteOrderMark:
            line = tr("Read as UTF-8: the file starts with a byte order mark.");
            break;
        case EncodingReason::Utf8Bytes:
            line = tr("Read as UTF-8: its bytes are valid UTF-8.");
            break;
        case EncodingReason::AsciiOnly:
            line = tr("Read in the code page: the file holds only ASCII characters.");
            break;
        case EncodingReason::NotUtf8:
            line = tr("Read in the code page: its bytes are not valid UTF-8.");
            break;
        }
    }
    mEncodingLine->setText(line);
    mEncodingLine->setStyleSheet(detected->encoding != encoding() ? QStringLiteral("color: #a00000")
                                                                  : QString());
}

} // namespace kribed
