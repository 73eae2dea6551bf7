#include "widgets/TKInterfaceHelpers.h"
#include "widgets/TKSegmentedControl.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

TEST(TKSegmentedControl, LabelsSelectionAndUserSignals)
{
    TKSegmentedControl control;
    TKSetSegmentLabels(&control, {"a", "b", "c"});
    ASSERT_EQ(control.segmentCount(), 3);
    EXPECT_EQ(control.labelForSegment(2), "c");
    EXPECT_EQ(control.selectedSegment(), -1);

    QSignalSpy spy(&control, &TKSegmentedControl::selectionChanged);
    control.setSelectedSegment(1);
    EXPECT_EQ(control.selectedSegment(), 1);
    EXPECT_EQ(spy.count(), 0) << "programmatic selection is not a user change";

    QTest::mouseClick(control.buttonForSegment(2), Qt::LeftButton);
    EXPECT_EQ(control.selectedSegment(), 2);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.takeFirst().at(0).toInt(), 2);

    QTest::keyClick(&control, Qt::Key_Right);
    EXPECT_EQ(control.selectedSegment(), 2) << "stays on the last segment";
    EXPECT_EQ(spy.count(), 0);
    QTest::keyClick(&control, Qt::Key_Left);
    EXPECT_EQ(control.selectedSegment(), 1);
    EXPECT_EQ(spy.count(), 1);

    control.setSelectedSegment(7);
    EXPECT_EQ(control.selectedSegment(), -1);

    TKSetSegmentLabels(&control, {"x", "y"});
    EXPECT_EQ(control.segmentCount(), 2);
    EXPECT_EQ(control.labelForSegment(1), "y");
}

TEST(TKSegmentedControl, WithFocusItKeepsTheArrowsAWindowShortcutAlsoUses)
{
    QWidget window;
    int jumps = 0;
    QObject::connect(new QShortcut(QKeySequence(Qt::Key_Right), &window), &QShortcut::activated, [&jumps] { ++jumps; });
    auto *control = new TKSegmentedControl(&window);
    TKSetSegmentLabels(control, {"a", "b"});
    control->setSelectedSegment(0);
    auto *other = new QPushButton(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    other->setFocus();
    QTest::keyClick(other, Qt::Key_Right);
    EXPECT_EQ(jumps, 1) << "elsewhere the window's shortcut acts";
    EXPECT_EQ(control->selectedSegment(), 0);

    control->setFocus();
    QTest::keyClick(control, Qt::Key_Right);
    EXPECT_EQ(control->selectedSegment(), 1);
    EXPECT_EQ(jumps, 1);
}

TEST(TKInterfaceHelpers, ComboItemsCellTitlesAndCentring)
{
    QComboBox combo;
    combo.addItem("old");
    TKSetComboItems(&combo, {"one", "two"});
    ASSERT_EQ(combo.count(), 2);
    EXPECT_EQ(combo.itemText(0), "one");

    QPushButton first, second;
    TKSetCellTitles({&first, &second}, {"A", "B", "C"});
    EXPECT_EQ(first.text(), "A");
    EXPECT_EQ(second.text(), "B");

    QWidget parent;
    QWidget reference(&parent), view(&parent);
    reference.setGeometry(100, 10, 200, 20);
    view.setGeometry(0, 50, 40, 20);
    TKCenterViewHorizontally(&view, &reference);
    EXPECT_EQ(view.geometry().center().x(), reference.geometry().center().x());
    EXPECT_EQ(view.y(), 50);

    EXPECT_TRUE(TKIsEmptyString(QString()));
    EXPECT_TRUE(TKIsEmptyString(QString("")));
    EXPECT_FALSE(TKIsEmptyString(QString(" ")));
}
