// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "gui/dialogs/column_filter_popup.h"

#include "core/model/field_type.h"
#include "gui/dialogs/value_check_model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QVBoxLayout>

namespace kribed {

namespace {

constexpr int NoTest = -1;

struct TestEntry
{
    ColumnTest test;
    const char *text;
};

// The tests each type offers, in the order the box lists them.
QVector<TestEntry> testsFor(int typeIndex)
{
    const QVector<TestEntry> every{
        {ColumnTest::Empty, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "is empty")},
        {ColumnTest::NotEmpty, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "is not empty")}};
    if (typeIndex == BooleanType)
        return QVector<TestEntry>{{ColumnTest::Checked,
                                   QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "is checked")},
                                  {ColumnTest::Unchecked,
                                   QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "is unchecked")}}
               + every;
    if (isNumberType(typeIndex) || isDateType(typeIndex) || isTimeType(typeIndex))
        return QVector<TestEntry>{
                   {ColumnTest::Equals, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "=")},
                   {ColumnTest::NotEquals, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "≠")},
                   {ColumnTest::Less, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "<")},
                   {ColumnTest::LessOrEqual, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "≤")},
                   {ColumnTest::Greater, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", ">")},
                   {ColumnTest::GreaterOrEqual,
                    QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "≥")},
                   {ColumnTest::Between, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "between")},
                   {ColumnTest::Top, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "top N")},
                   {ColumnTest::Bottom, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "bottom N")},
                   {ColumnTest::Contains,
                    QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "contains")}}
               + every;
    return QVector<TestEntry>{
               {ColumnTest::Equals, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "equals")},
               {ColumnTest::NotEquals,
                QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "does not equal")},
               {ColumnTest::Contains, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "contains")},
               {ColumnTest::NotContains,
                QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "does not contain")},
               {ColumnTest::BeginsWith,
                QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "begins with")},
               {ColumnTest::EndsWith, QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "ends with")},
               {ColumnTest::Matches,
                QT_TRANSLATE_NOOP("kribed::ColumnFilterPopup", "matches the regular expression")}}
           + every;
}

bool takesValue(ColumnTest test)
{
    return test != ColumnTest::Empty && test != ColumnTest::NotEmpty && test != ColumnTest::Checked
           && test != ColumnTest::Unchecked;
}

} // namespace

ColumnFilterPopup::ColumnFilterPopup(QWidget *parent)
    : QFrame(parent, Qt::Popup)
    , mTitle(new QLabel(this))
    , mSearch(new QLineEdit(this))
    , mSelectAll(new QCheckBox(tr("Select &all"), this))
    , mValueModel(new ValueCheckModel(this))
    , mValues(new QListView(this))
    , mJoin(new QComboBox(this))
    , mUnreadable(new QLabel(this))
    , mError(new QLabel(this))
    , mClear(new QPushButton(tr("C&lear filter"), this))
{
    setObjectName(QStringLiteral("columnFilterPopup"));
    setFrameShape(QFrame::StyledPanel);
    mSearch->setObjectName(QStringLiteral("columnFilterSearch"));
    mSearch->setPlaceholderText(tr("Search"));
    mSearch->setClearButtonEnabled(true);
    mValues->setObjectName(QStringLiteral("columnFilterValues"));
    mValues->setUniformItemSizes(true);
    mValues->setModel(mValueModel);
    mJoin->addItems({tr("and"), tr("or")});
    mError->setObjectName(QStringLiteral("columnFilterError"));
    mError->setWordWrap(true);
    mError->setStyleSheet(QStringLiteral("color: #b00000"));
    mUnreadable->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(mTitle);
    layout->addWidget(mSearch);
    layout->addWidget(mSelectAll);
    layout->addWidget(mValues);
    auto *conditions = new QGridLayout;
    for (int index = 0; index < 2; ++index) {
        mTests[index] = new QComboBox(this);
        mValueBoxes[index] = new QLineEdit(this);
        mSecondBoxes[index] = new QLineEdit(this);
        mSecondBoxes[index]->setPlaceholderText(tr("and"));
        conditions->addWidget(mTests[index], index * 2, 0);
        conditions->addWidget(mValueBoxes[index], index * 2, 1);
        conditions->addWidget(mSecondBoxes[index], index * 2, 2);
        connect(mTests[index], &QComboBox::currentIndexChanged, this,
                &ColumnFilterPopup::followTests);
        // A test picked by the user is followed by its value: the typing goes there, and
        // Return takes the filter.
        connect(mTests[index], &QComboBox::activated, this, [this, index] {
            if (mValueBoxes[index]->isEnabled())
                mValueBoxes[index]->setFocus(Qt::OtherFocusReason);
        });
    }
    conditions->addWidget(mJoin, 1, 0);
    layout->addLayout(conditions);
    layout->addWidget(mUnreadable);
    layout->addWidget(mError);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(mClear, QDialogButtonBox::ResetRole);
    layout->addWidget(buttons);

    // Tab goes down the popup as it reads: the list, then each condition with its values.
    const QWidgetList order{mSearch,        mSelectAll,      mValues, mTests[0],
                            mValueBoxes[0], mSecondBoxes[0], mJoin,   mTests[1],
                            mValueBoxes[1], mSecondBoxes[1]};
    for (qsizetype at = 1; at < order.size(); ++at)
        QWidget::setTabOrder(order[at - 1], order[at]);
    connect(mSearch, &QLineEdit::textChanged, this, &ColumnFilterPopup::narrowList);
    connect(mValueModel, &QAbstractItemModel::dataChanged, this, [this] {
        if (!mTicking)
            showSelectAll();
    });
    connect(mSelectAll, &QCheckBox::clicked, this, &ColumnFilterPopup::selectAll);
    connect(buttons, &QDialogButtonBox::accepted, this, &ColumnFilterPopup::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QWidget::close);
    connect(mClear, &QPushButton::clicked, this, [this] {
        Q_EMIT cleared(mField);
        close();
    });
}

void ColumnFilterPopup::prepare(int field, const QString &fieldName, int typeIndex,
                                const Regional &regional, const QVector<ValueCount> &counts,
                                const FieldFilter &filter, int unreadable)
{
    mField = field;
    mType = typeIndex;
    mRegional = regional;
    mTitle->setText(fieldName);
    mSearch->clear();
    mError->clear();
    // The model makes each row's text only when the list shows it: thousands of values are
    // ready at once.
    const QSet<QByteArray> ticked(filter.values.cbegin(), filter.values.cend());
    mTicking = true;
    mValueModel->reset(counts, regional, !filter.listOn, ticked, typeIndex == BooleanType);
    mTicking = false;
    showSelectAll();
    fillTests(typeIndex);
    for (int index = 0; index < 2; ++index)
        showCondition(index,
                      index < filter.conditions.size() ? &filter.conditions[index] : nullptr);
    mJoin->setCurrentIndex(filter.anyCondition ? 1 : 0);
    mUnreadable->setText(unreadable > 0 ? tr("%n value(s) of this field do not read as its "
                                             "type and match no condition on it.",
                                             nullptr, unreadable)
                                        : QString());
    mUnreadable->setVisible(unreadable > 0);
    followTests();
}

void ColumnFilterPopup::fillTests(int typeIndex)
{
    for (QComboBox *box : mTests) {
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItem(tr("(no condition)"), NoTest);
        for (const TestEntry &entry : testsFor(typeIndex))
            box->addItem(tr(entry.text), int(entry.test));
    }
}

void ColumnFilterPopup::showCondition(int index, const ColumnCondition *condition)
{
    QComboBox *box = mTests[index];
    const QSignalBlocker blocker(box);
    const int at = condition ? box->findData(int(condition->test)) : 0;
    box->setCurrentIndex(std::max(at, 0));
    mValueBoxes[index]->setText(condition ? condition->value : QString());
    mSecondBoxes[index]->setText(condition ? condition->second : QString());
}

void ColumnFilterPopup::followTests()
{
    for (int index = 0; index < 2; ++index) {
        const int test = mTests[index]->currentData().toInt();
        mValueBoxes[index]->setEnabled(test != NoTest && takesValue(ColumnTest(test)));
        mSecondBoxes[index]->setVisible(test == int(ColumnTest::Between));
    }
}

FieldFilter ColumnFilterPopup::filter() const
{
    FieldFilter filter;
    filter.field = mField;
    const bool allTicked = mValueModel->allTicked();
    if (!allTicked)
        filter.values = mValueModel->tickedValues();
    // Every value ticked is no value list: records of values added later still show.
    filter.listOn = !allTicked;
    if (!filter.listOn)
        filter.values.clear();
    for (int index = 0; index < 2; ++index) {
        const int test = mTests[index]->currentData().toInt();
        if (test == NoTest)
            continue;
        ColumnCondition condition{ColumnTest(test), {}, {}};
        if (takesValue(condition.test))
            condition.value = mValueBoxes[index]->text();
        if (condition.test == ColumnTest::Between)
            condition.second = mSecondBoxes[index]->text();
        filter.conditions << condition;
    }
    filter.anyCondition = mJoin->currentIndex() == 1;
    return filter;
}

void ColumnFilterPopup::accept()
{
    const FieldFilter chosenFilter = filter();
    for (const ColumnCondition &condition : chosenFilter.conditions) {
        const QString error = columnConditionError(condition, mType, mRegional);
        if (!error.isEmpty()) {
            mError->setText(error);
            return;
        }
    }
    mError->clear();
    Q_EMIT chosen(chosenFilter);
    close();
}

void ColumnFilterPopup::narrowList(const QString &text)
{
    mValueModel->narrow(text);
    showSelectAll();
}

void ColumnFilterPopup::selectAll(bool on)
{
    // Only what the search leaves is ticked or cleared.
    mTicking = true;
    mValueModel->tickShown(on);
    mTicking = false;
    showSelectAll();
}

void ColumnFilterPopup::showSelectAll()
{
    // Ticked while every value the list shows is ticked, so a click always does what it shows.
    mSelectAll->setChecked(mValueModel->allShownTicked());
}

void ColumnFilterPopup::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        accept();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QFrame::keyPressEvent(event);
}

} // namespace kribed
