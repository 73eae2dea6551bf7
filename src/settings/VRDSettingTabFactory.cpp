#include "settings/VRDSettingTabFactory.h"

#include "settings/VRDSettingForFlashDataViewController.h"
#include "settings/VRDSettingForAdasViewController.h"
#include "settings/VRDSettingForAuxViewController.h"
#include "settings/VRDSettingForAudioViewController.h"
#include "settings/VRDSettingForBasicViewController.h"
#include "settings/VRDSettingForGpsViewController.h"
#include "settings/VRDSettingForMotionViewController.h"
#include "settings/VRDSettingForVideoViewController.h"

#include <array>

namespace {

struct TabKeys {
    const char *segmentLabel;
    const char *title;
};

constexpr std::array<TabKeys, VRDSettingTabFactory::kTabCount> kTabKeys{{
    {"setting.video", "setting.video"},
    {"setting.basic", "setting.basic"},
    {"setting.gps", "setting.gps"},
    {"setting.aux", "setting.aux"},
    {"setting.park", "setting.motion"},
    {"setting.adas", "setting.adas"},
    {"setting.audio", "setting.audio"},
    {"setting.driveinfoview", "setting.information"},
}};

} // namespace

QWidget *VRDSettingTabFactory::createTab(int index, VRDConfigDocument *document) const
{
    switch (index) {
    case 0:
        return new VRDSettingForVideoViewController;
    case 1:
        return new VRDSettingForBasicViewController;
    case 2:
        return new VRDSettingForGpsViewController;
    case 3:
        return new VRDSettingForAuxViewController;
    case 4:
        return new VRDSettingForMotionViewController;
    case 5:
        return new VRDSettingForAdasViewController(document);
    case 6:
        return new VRDSettingForAudioViewController;
    default:
        return nullptr;
    }
}

QWidget *VRDSettingTabFactory::createDriveInfoTab(const QString &flashDataFilePath) const
{
    auto *tab = new VRDSettingForFlashDataViewController;
    tab->setM_FlashDataFilePath(flashDataFilePath);
    return tab;
}

const char *VRDSettingTabFactory::segmentLabelKey(int index)
{
    return index >= 0 && index < kTabCount ? kTabKeys[static_cast<std::size_t>(index)].segmentLabel : "";
}

const char *VRDSettingTabFactory::titleKey(int index)
{
    return index >= 0 && index < kTabCount ? kTabKeys[static_cast<std::size_t>(index)].title : "";
}
