#include "viewer/VRDSwapAnimation.h"

#include <QPropertyAnimation>
#include <QWidget>

void VRDSwapAnimation::run(QWidget *mainView, QWidget *subView)
{
    m_group.stop();
    m_group.clear();
    if (mainView != nullptr && mainView->parentWidget() != nullptr)
        addGrowth(mainView, QPoint(mainView->parentWidget()->width(), 0));
    if (subView != nullptr && subView->parentWidget() != nullptr)
        addGrowth(subView, QPoint(0, subView->parentWidget()->height()));
    m_group.start();
}

void VRDSwapAnimation::addGrowth(QWidget *view, QPoint startCorner)
{
    auto *animation = new QPropertyAnimation(view, "geometry", &m_group);
    animation->setDuration(kDurationMs);
    animation->setEasingCurve(QEasingCurve::OutCubic);
    animation->setStartValue(QRect(startCorner, QSize(0, 0)));
    animation->setEndValue(view->parentWidget()->rect());
    m_group.addAnimation(animation);
}
