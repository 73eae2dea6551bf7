#pragma once

#include "config/FILEDATA.h"
#include "config/VRDFileData.h"
#include "disk/TKDiskService.h"
#include "settings/VRDSettingController.h"
#include "settings/VRDSettingControllerDelegate.h"
#include "settings/VRDSettingTabFactory.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstring>
#include <fstream>
#include <optional>
#include <memory>
#include <string>
#include <vector>

// A disk service that lists the volumes a test sets up and renames them
// in memory.
class FakeDiskService : public TKDiskService {
public:
    TKVolumeListing listVolumes() override { return {volumes, {}}; }
    TKStatus<> mount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> unmount(const TKVolumeDescription &) override { return {}; }
    TKStatus<> setLabel(const TKVolumeDescription &volume, const std::string &label) override
    {
        labelRequests.push_back(label);
        if (failSetLabel)
            return TKError{"not authorised"};
        for (TKVolumeDescription &listed : volumes)
            if (listed.key == volume.key)
                listed.volumeName = label;
        return {};
    }

    static TKVolumeDescription usbVolume(const std::string &mountPath, const std::string &name = "TOVIK")
    {
        TKVolumeDescription volume;
        volume.key = "/org/freedesktop/UDisks2/block_devices/sdb1";
        volume.driveKey = "/org/freedesktop/UDisks2/drives/Reader";
        volume.deviceName = "sdb1";
        volume.volumeName = name;
        volume.mountPath = mountPath;
        volume.connectionBus = "usb";
        volume.size = 8'000'000'000;
        volume.removable = true;
        volume.writable = true;
        return volume;
    }

    std::vector<TKVolumeDescription> volumes;
    std::vector<std::string> labelRequests;
    bool failSetLabel = false;
};

// A tab that records every protocol call in a log shared by all tabs.
class FakeTab : public QWidget, public VRDSettingControllerDelegate {
public:
    FakeTab(int index, std::shared_ptr<std::vector<std::string>> log)
        : m_index(index), m_log(std::move(log))
    {
    }

    void setFileData(VRDConfigDocument *document) override
    {
        note("setFileData");
        fileData = document;
        shownRecord = document->record();
    }
    QString validateUserInput() override
    {
        note("validate");
        return refusal;
    }
    bool populate() override
    {
        note("populate");
        if (!acceptPopulate || fileData == nullptr)
            return false;
        FILEDATA record = fileData->record();
        record.vid_enc_bitrate = static_cast<std::uint32_t>(m_index);
        fileData->store(record);
        return true;
    }
    void setMainController(VRDSettingController *controller) override
    {
        note("setMainController");
        mainController = controller;
    }
    void onHide() override { note("onHide"); }

    QString refusal;
    bool acceptPopulate = true;
    VRDConfigDocument *fileData = nullptr;
    FILEDATA shownRecord{};
    VRDSettingController *mainController = nullptr;

private:
    void note(const char *call) { m_log->push_back(std::string(call) + " " + std::to_string(m_index)); }

    int m_index;
    std::shared_ptr<std::vector<std::string>> m_log;
};

class FakeTabFactory : public VRDSettingTabFactory {
public:
    QWidget *createTab(int index, VRDConfigDocument *) const override
    {
        ++created[static_cast<std::size_t>(index)];
        return new FakeTab(index, log);
    }
    QWidget *createDriveInfoTab(const QString &flashDataFilePath) const override
    {
        ++created[kDriveInfoTabIndex];
        driveInfoPath = flashDataFilePath;
        return new FakeTab(kDriveInfoTabIndex, log);
    }

    std::shared_ptr<std::vector<std::string>> log = std::make_shared<std::vector<std::string>>();
    mutable std::array<int, kTabCount> created{};
    mutable QString driveInfoPath;
};

// The alerts a window shows, newest last.
inline std::vector<QMessageBox *> alertsOf(QWidget *window)
{
    std::vector<QMessageBox *> alerts;
    for (QMessageBox *box : window->findChildren<QMessageBox *>())
        if (box->isVisible())
            alerts.push_back(box);
    return alerts;
}

inline void dismissAlerts(QWidget *window)
{
    for (QMessageBox *box : alertsOf(window))
        box->done(QMessageBox::Ok);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A record as the camera writes it, with the given model number.
inline FILEDATA cameraRecord(std::uint32_t modelNum = kFileDataModelNumber)
{
    FILEDATA record{};
    VRDResetFileData(record);
    record.modelNum = modelNum;
    record.vid_enc_bitrate = 2;
    record.time_gmt = 22;
    VRDPrepareFileDataForSave(record);
    return record;
}

// Changes the window's record as a tab's edit would.
template <typename Change>
void editRecord(VRDConfigDocument *document, Change change)
{
    FILEDATA record = document->record();
    change(record);
    document->store(record);
}

inline bool sameBytes(const FILEDATA &a, const FILEDATA &b)
{
    return std::memcmp(&a, &b, sizeof(FILEDATA)) == 0;
}

inline void writeBytes(const std::string &path, const void *bytes, std::size_t size)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char *>(bytes), static_cast<std::streamsize>(size));
}

inline std::vector<char> readBytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
