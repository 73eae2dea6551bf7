#include "widgets/PMProgressIndicator.h"
#include "widgets/TKLoadingView.h"

#include <QLabel>
#include <QSignalSpy>

#include <gtest/gtest.h>

// The ticker moves the bar by one tick's share of the limit, ends the display
// on the tick after a stop was asked for, and by itself at the limit.
TEST(TKLoadingView, EndsAtTheTickAfterAStopOrAtTheLimit)
{
    TKLoadingView view;
    view.setTiming(500, 15.0);
    QSignalSpy messages(&view, &TKLoadingView::messageChanged);
    QSignalSpy stopped(&view, &TKLoadingView::stopped);

    view.start("Loading...");
    EXPECT_FALSE(view.isStopped());
    EXPECT_TRUE(view.bar()->isIndeterminate());
    EXPECT_EQ(view.messageField()->text(), "Loading...");
    EXPECT_EQ(messages.count(), 1);
    view.tick(15.0);
    EXPECT_NEAR(view.progress(), 100.0 / 30.0, 1e-9);
    view.stopAtNextTick();
    EXPECT_FALSE(view.isStopped()) << "not before the next tick";
    view.tick(15.0);
    EXPECT_TRUE(view.isStopped());
    EXPECT_EQ(stopped.count(), 1);
    EXPECT_EQ(view.bar()->doubleValue(), view.bar()->minValue());

    view.start("Loading...");
    EXPECT_EQ(view.progress(), 0.0) << "a new display starts from zero";
    EXPECT_EQ(messages.count(), 1) << "the same text is not announced again";
    for (int tick = 0; tick < 29; ++tick)
        view.tick(15.0);
    EXPECT_FALSE(view.isStopped()) << "29 ticks are 14.5 seconds";
    view.tick(15.0);
    EXPECT_TRUE(view.isStopped());
    EXPECT_EQ(view.progress(), 100.0);

    view.start("Saving...");
    view.stop();
    view.stop();
    EXPECT_TRUE(view.isHidden());
    EXPECT_EQ(stopped.count(), 3) << "a stop of a stopped view is not announced";
}
