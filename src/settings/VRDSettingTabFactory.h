#pragma once

#include <QString>

class VRDConfigDocument;
class QWidget;

// Makes the settings window's tabs. Every tab is a QWidget; those that edit
// the record also implement VRDSettingControllerDelegate. Tests hand the
// window a subclass with fake tabs.
class VRDSettingTabFactory
{
public:
    static constexpr int kTabCount = 8;
    static constexpr int kDriveInfoTabIndex = 7;

    virtual ~VRDSettingTabFactory() = default;

    // A new tab of index 0 to 6; `document` holds the window's record, for
    // the tabs that need it while they are built. The caller takes ownership.
    virtual QWidget *createTab(int index, VRDConfigDocument *document) const;
    // The drive-information viewer of tab 7; `flashDataFilePath` is the
    // card's log, empty when the card has none.
    virtual QWidget *createDriveInfoTab(const QString &flashDataFilePath) const;

    // Segment label and tab title keys of the string table.
    static const char *segmentLabelKey(int index);
    static const char *titleKey(int index);
};
