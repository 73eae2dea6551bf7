#include "viewer/VRDScrollableVideoContainerView.h"

#include <QStackedLayout>

VRDScrollableVideoContainerView::VRDScrollableVideoContainerView(QWidget *parent)
    : QWidget(parent)
{
    // Stacked over everything else in the container, like a subview at the top.
    auto *layout = new QStackedLayout(this);
    layout->setStackingMode(QStackedLayout::StackAll);
    layout->setContentsMargins(0, 0, 0, 0);
}

QWidget *VRDScrollableVideoContainerView::setVideoView(QWidget *view)
{
    QWidget *previous = m_videoView;
    if (previous != nullptr) {
        layout()->removeWidget(previous);
        previous->setParent(nullptr);
    }
    m_videoView = view;
    if (view != nullptr) {
        layout()->addWidget(view);
        view->raise();
    }
    return previous;
}
