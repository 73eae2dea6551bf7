#pragma once

#include <QObject>
#include <QParallelAnimationGroup>

class QWidget;

// The picture of a swap: the main video grows in from the right edge of its
// container and the small one from the bottom-left corner of its own, both
// with ease-out timing.
class VRDSwapAnimation : public QObject
{
    Q_OBJECT

public:
    static constexpr int kDurationMs = 1500;

    using QObject::QObject;

    // Either view may be null (a channel without a picture).
    void run(QWidget *mainView, QWidget *subView);

private:
    void addGrowth(QWidget *view, QPoint startCorner);

    QParallelAnimationGroup m_group;
};
