// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: Kribed PRO developers
#include "demo_window_fixture.h"

#include "core/model/database.h"
#include "core/model/regional.h"
#include "gui/window/main_window.h"
#include "pdb_builder.h"
#include "test_regional.h"

#include <QDate>
#include <QTableView>
#include <QTest>

namespace kribed::test {

void DemoWindowFixture::startDemoTest()
{
    startTest(true);
    if (!QTest::currentTestFailed())
        openDemo();
}

void DemoWindowFixture::endDemoTest()
{
    mTester.reset();
    endTest();
}

void DemoWindowFixture::openDemo()
{
    PdbBuilder builder;
    builder.name("Demo")
        .field("Name", 0x0001, 20)
        .field("Changed", 0x0049, 40)
        .field("Number", 0x0043, 30);
    for (int record = 1; record <= 4; ++record)
        builder.record({"n" + QByteArray::number(record), "1/1/2000", QByteArray::number(record)});
    openBytes(QStringLiteral("Demo.pdb"), builder.build());
    if (QTest::currentTestFailed())
        return;
    mTester = std::make_unique<QAbstractItemModelTester>(
        model(), QAbstractItemModelTester::FailureReportingMode::QtTest);
}

QAbstractItemModel *DemoWindowFixture::model()
{
    return mWindow->grid()->model();
}

QByteArray DemoWindowFixture::row(int record)
{
    return windowDatabase().recordAt(record).toList().join('|');
}

QByteArray DemoWindowFixture::today()
{
    return testRegional().dateText(QDate::currentDate());
}

void DemoWindowFixture::expectQuestion(const QString &text, Answer answer)
{
    mPrompter->expect(QStringLiteral("Confirm"), text, Icon::Question, Buttons::YesNo, answer);
}

} // namespace kribed::test
