#pragma once

#include "player/VRDVideoView.h"
#include "demo/FrameNumberStrip.h"

#include <QImage>
#include <QTest>
#include <optional>

// The demo frame number a video view shows now, read from the strip along the bottom
// of its picture (the picture is fitted into the view with its aspect kept); nothing
// when the view is hidden or the strip does not read.
inline std::optional<std::uint32_t> shownFrame(VRDVideoView *view, QSize videoSize)
{
    if (view == nullptr || videoSize.isEmpty() || !view->isVisible())
        return std::nullopt;
    const QImage grabbed = view->grabPicture();
    if (grabbed.isNull())
        return std::nullopt;
    const QSize fitted = videoSize.scaled(grabbed.size(), Qt::KeepAspectRatio);
    const QRect picture((grabbed.width() - fitted.width()) / 2, (grabbed.height() - fitted.height()) / 2,
                        fitted.width(), fitted.height());
    const QImage rgb = grabbed.copy(picture).convertToFormat(QImage::Format_RGB888);
    return FrameNumberStrip::decode(rgb.constBits(), rgb.width(), rgb.height(),
                                    static_cast<std::size_t>(rgb.bytesPerLine()));
}

// Both views show the same readable frame and, within waitMs, a later same frame:
// the pair plays. frameOf(view) reads the frame a view shows now.
template <typename FrameOf>
bool bothViewsShowTheSameMovingFrame(FrameOf frameOf, int waitMs)
{
    std::optional<std::uint32_t> first;
    return QTest::qWaitFor([&] {
        const auto main = frameOf(VRDMediaEngine::View::Main);
        const auto sub = frameOf(VRDMediaEngine::View::Sub);
        if (!main || !sub || *main != *sub)
            return false;
        if (!first)
            first = main;
        return *main != *first;
    }, waitMs);
}
