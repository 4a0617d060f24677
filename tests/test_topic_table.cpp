// The topic table alone, without any window: its rules and its lookups.

#include "tutorial/topic_table.h"
#include "tutorial/vascular_function_curves_description.h"
#include "window/text.h"

#include <QSet>
#include <QTest>

using namespace quorvel;

namespace {
const ControlDescription *describedControl(std::string_view name)
{
    for (const ControlDescription &d : vascularFunctionCurvesDescription.controls) {
        if (d.name == name)
            return &d;
    }
    return nullptr;
}
} // namespace

class TopicTableTest : public QObject
{
    Q_OBJECT

private slots:
    void topicKSitsAtPositionKPlusOneWithPageK();
    void headingAndEmptyRowOwnNothing();
    void lookupsOutsideTheTable();
};

void TopicTableTest::topicKSitsAtPositionKPlusOneWithPageK()
{
    QCOMPARE(TopicTable::rows().size(), size_t(17));
    QSet<QString> panels;
    for (int topic = 1; topic <= 15; ++topic) {
        const TopicRow *row = TopicTable::atPosition(topic + 1);
        QVERIFY(row && row->ownsTopic());
        QCOMPARE(row->listPosition, topic + 1);
        QCOMPARE(row->topicNumber(), topic);
        QCOMPARE(toQString(row->page), QStringLiteral("Form%1").arg(topic));
        QVERIFY(toQString(row->rowText).startsWith(QStringLiteral(" %1. ").arg(topic)));
        // The panel is a picture box of the tutorial screen with a picture, and no other row's.
        const ControlDescription *box = describedControl(row->panel);
        QVERIFY2(box && box->kind == ControlKind::PictureBox && !box->picture.empty(), row->panel.data());
        QVERIFY(!panels.contains(toQString(row->panel)));
        panels.insert(toQString(row->panel));
        QCOMPARE(TopicTable::byPanel(row->panel), row);
        QCOMPARE(TopicTable::byPage(row->page), row);
    }
}

void TopicTableTest::headingAndEmptyRowOwnNothing()
{
    for (int position : {0, 1}) {
        const TopicRow *row = TopicTable::atPosition(position);
        QVERIFY(row);
        QCOMPARE(row->listPosition, position);
        QVERIFY(!row->ownsTopic());
        QCOMPARE(row->topicNumber(), 0);
        QVERIFY(row->page.empty());
    }
    QCOMPARE(toQString(TopicTable::atPosition(0)->rowText), QStringLiteral("  BASIC BLOOD FLOW TOPICS  "));
    QCOMPARE(toQString(TopicTable::atPosition(1)->rowText), QString());
    // An empty name is no panel or page of any row.
    QCOMPARE(TopicTable::byPanel(""), nullptr);
    QCOMPARE(TopicTable::byPage(""), nullptr);
}

void TopicTableTest::lookupsOutsideTheTable()
{
    QCOMPARE(TopicTable::atPosition(-1), nullptr); // no row selected
    QCOMPARE(TopicTable::atPosition(17), nullptr);
    QCOMPARE(TopicTable::atPosition(-32768), nullptr);
    // The twins that no topic uses, and the title card, belong to no row.
    for (const char *name : {"resistance2", "partition", "reflection1", "title", "master"})
        QVERIFY2(!TopicTable::byPanel(name), name);
    QCOMPARE(TopicTable::byPage("Form16"), nullptr);
    QCOMPARE(TopicTable::byPage("Formq01"), nullptr);
    QCOMPARE(TopicTable::byPage("form1"), nullptr); // names compare exactly
}

QTEST_APPLESS_MAIN(TopicTableTest)
#include "test_topic_table.moc"
