#include "viewer/VRDMainWindowPlaybackView.h"

#include "viewer/CustomWindow.h"
#include "viewer/VRDLoadingController.h"
#include "viewer/VRDSensorDisplay.h"
#include "viewer/VRDSpeedSeries.h"
#include "viewer/VRDWindowLayout.h"
#include "ui_VRDMainWindow.h"
#include "widgets/TKImage.h"
#include "widgets/TKInterfaceHelpers.h"

#include <QScreen>
#include <algorithm>

int VRDMainWindowPlaybackView::sliderSteps(double position)
{
    return static_cast<int>(std::clamp(position, 0.0, 1.0) * kPositionSliderSteps);
}

double VRDMainWindowPlaybackView::sliderPosition(int steps)
{
    return static_cast<double>(steps) / kPositionSliderSteps;
}

VRDMainWindowPlaybackView::VRDMainWindowPlaybackView(CustomWindow &window, Ui::VRDMainWindow &ui,
                                                     VRDLoadingController &loading, VRDWindowLayout &layout,
                                                     VRDSensorDisplay &sensorDisplay)
    : m_window(window), m_ui(ui), m_loading(loading), m_layout(layout), m_sensorDisplay(sensorDisplay)
{
    m_ui.audioToggleButton->setCheckable(true);
}

void VRDMainWindowPlaybackView::selectRow(qint64 row)
{
    QTableView &table = *m_ui.mediaListTableView;
    if (table.model() == nullptr || table.selectionModel() == nullptr)
        return;
    const QModelIndex index = table.model()->index(static_cast<int>(row), 0);
    table.selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

void VRDMainWindowPlaybackView::showLoading()
{
    m_loading.showLoading(QStringLiteral("Loading..."));
}

void VRDMainWindowPlaybackView::hideLoading()
{
    m_loading.hideLoading();
}

bool VRDMainWindowPlaybackView::isLoadingShown() const
{
    return !m_loading.stopVideoLoadingView();
}

void VRDMainWindowPlaybackView::updateSideButtons()
{
    m_layout.updateSideViewButton();
}

void VRDMainWindowPlaybackView::showSensorData(const std::shared_ptr<const VRDBlackBoxSnapshot> &snapshot)
{
    m_ui.graphView->setGraphData(GraphView::Samples(snapshot, &snapshot->GSensors));
    m_ui.speedGraphView->setSeries(std::make_shared<const VRDSpeedSeries>(VRDSpeedSeries::fromSnapshot(*snapshot)));
    m_sensorDisplay.setSnapshot(snapshot);
}

void VRDMainWindowPlaybackView::resetSensorFields()
{
    m_sensorDisplay.resetFields();
}

void VRDMainWindowPlaybackView::setLogos(bool rearInMain, bool frontInSub)
{
    m_ui.player1BackgroundView->setLogoImage(TKImage::named(rearInMain ? "v1_rear_logo" : "v1_front_logo"));
    m_ui.player2BackgroundView->setLogoImage(TKImage::named(frontInSub ? "v2_front_logo" : "v2_rear_logo"));
}

void VRDMainWindowPlaybackView::setVideoViewsVisible(bool main, bool sub)
{
    m_ui.videoContainerView->setVisible(main);
    m_ui.subVideoContainerView->setVisible(sub);
}

void VRDMainWindowPlaybackView::setAudioToggleVisible(bool visible)
{
    m_ui.audioToggleButton->setVisible(visible);
}

void VRDMainWindowPlaybackView::showAudioChoice(bool rear)
{
    m_ui.audioToggleButton->setChecked(rear);
    m_ui.audioToggleButton->setImageName(rear ? QStringLiteral("icon_audio_rear_n")
                                              : QStringLiteral("icon_audio_front_n"));
}

bool VRDMainWindowPlaybackView::isAudioToggleOn() const
{
    return m_ui.audioToggleButton->isChecked();
}

void VRDMainWindowPlaybackView::setVolumeSlider(int volume)
{
    m_ui.volumeSlider->setValue(volume);
}

double VRDMainWindowPlaybackView::positionSliderValue() const
{
    return sliderPosition(m_ui.videoPositionSlider->value());
}

void VRDMainWindowPlaybackView::setPositionSliderValue(double position)
{
    m_ui.videoPositionSlider->setValue(sliderSteps(position));
    m_ui.videoPositionSliderForFullScreen->setValue(sliderSteps(position));
}

void VRDMainWindowPlaybackView::showAlert(const QString &message, const QString &detail)
{
    TKShowAlert(&m_window, message, detail);
}

int VRDMainWindowPlaybackView::mainVideoHeight() const
{
    return m_ui.videoContainerView->height();
}

void VRDMainWindowPlaybackView::animateSwap()
{
    m_swapAnimation.run(m_ui.videoContainerView->videoView(), m_ui.subVideoContainerView->videoView());
}

QSize VRDMainWindowPlaybackView::windowSize() const
{
    return m_window.size();
}

QSize VRDMainWindowPlaybackView::screenSize() const
{
    const QScreen *screen = m_window.screen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

bool VRDMainWindowPlaybackView::isFullScreen() const
{
    return m_window.isFullScreen();
}

void VRDMainWindowPlaybackView::enterFullscreen()
{
    m_window.enterFullscreen();
}

void VRDMainWindowPlaybackView::leaveFullscreen()
{
    m_window.leaveFullscreen();
}

void VRDMainWindowPlaybackView::resizeWindow(const QSize &size)
{
    m_window.setGeometry(QRect(m_window.geometry().topLeft(), size));
}
