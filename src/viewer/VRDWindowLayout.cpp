#include "viewer/VRDWindowLayout.h"

#include "ui_VRDMainWindow.h"
#include "widgets/TKImage.h"

namespace {

// Margins and gaps of the two forms, in points.
constexpr int kHeadHeight = 50;
constexpr int kWindowedSideMargin = 10;
constexpr int kWindowedBottomMargin = 8;
constexpr int kWindowedColumnGap = 10;
constexpr int kWindowedBoxGap = 4;
constexpr int kFullScreenBottomMargin = 2;

void showImage(QPushButton &button, const char *imageName)
{
    button.setIcon(TKImage::named(QString::fromLatin1(imageName)).icon());
}

} // namespace

VRDWindowLayout::VRDWindowLayout(Ui::VRDMainWindow &ui) : m_ui(ui)
{
    m_ui._headBox->setFixedHeight(kHeadHeight);
}

void VRDWindowLayout::layoutWindow(bool fullScreen)
{
    m_fullScreen = fullScreen;
    m_ui._headBox->setVisible(!fullScreen);
    layoutBodyBox();
}

void VRDWindowLayout::layoutBodyBox()
{
    const bool windowed = !m_fullScreen;
    m_ui._bodyRightBox->setVisible(windowed);
    if (windowed) {
        m_ui.bodyLayout->setContentsMargins(kWindowedSideMargin, 0, kWindowedSideMargin,
                                            kWindowedBottomMargin);
        m_ui.bodyLayout->setSpacing(kWindowedColumnGap);
        m_ui.bodyLeftLayout->setSpacing(kWindowedBoxGap);
    } else {
        m_ui.bodyLayout->setContentsMargins(0, 0, 0, kFullScreenBottomMargin);
        m_ui.bodyLayout->setSpacing(0);
        m_ui.bodyLeftLayout->setSpacing(0);
    }
    m_ui._fullScreenStripRow->setVisible(!windowed);
    m_ui._gsensorBox->setVisible(windowed);
    m_ui._mediaControlBox->setVisible(windowed);
    layoutMapContainer();
}

void VRDWindowLayout::layoutMapContainer()
{
    // The side column is hidden in full screen; its panel follows the mode
    // when the window is windowed again.
    if (m_fullScreen)
        return;
    m_ui.mediaListTableView->setVisible(m_rightViewMode == MediaList);
    m_ui._mapContainerView->setVisible(m_rightViewMode == Map);
    m_ui.tripsScrollArea->setVisible(m_rightViewMode == Trips);
    m_ui.tripsToolBar->setVisible(m_rightViewMode == Trips);
}

bool VRDWindowLayout::setRightViewMode(int mode)
{
    if (mode == m_rightViewMode)
        return false;
    m_rightViewMode = mode;
    return true;
}

void VRDWindowLayout::updateSideViewButton()
{
    showImage(*m_ui.recordButtonImageView, m_rightViewMode == MediaList ? "record_p.png" : "record_n.png");
    showImage(*m_ui.informationButtonImageView, m_rightViewMode == Map ? "information_p.png" : "information_n.png");
    showImage(*m_ui.tripsButtonImageView, m_rightViewMode == Trips ? "trips_p.png" : "trips_n.png");
    m_ui._mapContainerView->setVisible(m_rightViewMode == Map);
    m_ui.mediaListTableView->setVisible(m_rightViewMode == MediaList);
    m_ui.tripsScrollArea->setVisible(m_rightViewMode == Trips);
    m_ui.tripsToolBar->setVisible(m_rightViewMode == Trips);
    layoutMapContainer();
}
