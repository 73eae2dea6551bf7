#pragma once

#include "disk/TKCommandRunner.h"
#include "disk/TKDiskService.h"

#include <QApplication>
#include <QMessageBox>
#include <QWidget>

#include <filesystem>
#include <ostream>
#include <future>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A disk service whose mount points are real folders; unmounting hides a
// volume's mount point from the listing. The windows call it from pool
// threads, so every member is guarded.
class FormatWindowDiskService : public TKDiskService {
public:
    TKVolumeListing listVolumes() override
    {
        const std::lock_guard lock(m_mutex);
        return {volumes, problem};
    }

    TKStatus<> mount(const TKVolumeDescription &volume) override
    {
        const std::lock_guard lock(m_mutex);
        for (TKVolumeDescription &known : volumes)
            if (known.key == volume.key && known.mountPath.empty())
                known.mountPath = m_unmountedPaths[known.key];
        return {};
    }

    TKStatus<> unmount(const TKVolumeDescription &volume) override
    {
        const std::lock_guard lock(m_mutex);
        for (TKVolumeDescription &known : volumes) {
            if (known.key == volume.key) {
                m_unmountedPaths[known.key] = known.mountPath;
                known.mountPath.clear();
            }
        }
        return {};
    }

    TKStatus<> setLabel(const TKVolumeDescription &, const std::string &) override { return {}; }

    // Stands in for a successful mkfs.fat on that device node.
    void erase(const std::string &devicePath)
    {
        const std::lock_guard lock(m_mutex);
        for (TKVolumeDescription &volume : volumes) {
            if ("/dev/" + volume.deviceName != devicePath)
                continue;
            std::filesystem::remove_all(m_unmountedPaths[volume.key]);
            std::filesystem::create_directories(m_unmountedPaths[volume.key]);
            volume.volumeName = "TOVIK";
        }
    }

    std::vector<TKVolumeDescription> volumes;
    std::string problem;

private:
    std::mutex m_mutex;
    std::map<std::string, std::string> m_unmountedPaths;
};

// Stands in for pkexec mkfs.fat: records the argument vectors and answers
// `answer`; on success the card's folder is emptied and relabelled.
class FormatWindowRunner : public TKCommandRunner {
public:
    explicit FormatWindowRunner(FormatWindowDiskService &service) : m_service(service) {}

    TKCommandResult run(const std::vector<std::string> &arguments, bool) override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_commands.push_back(arguments);
        }
        if (beforeAnswer.valid())
            beforeAnswer.wait();
        const std::lock_guard lock(m_mutex);
        if (answer.succeeded())
            m_service.erase(arguments.back());
        return answer;
    }

    std::vector<std::vector<std::string>> commands()
    {
        const std::lock_guard lock(m_mutex);
        return m_commands;
    }

    TKCommandResult answer;
    // When set, the command "runs" until it is ready.
    std::shared_future<void> beforeAnswer;

private:
    FormatWindowDiskService &m_service;
    std::mutex m_mutex;
    std::vector<std::vector<std::string>> m_commands;
};

// The alert a window shows (TKShowAlertSheet parents it to the window), or null.
inline QMessageBox *formatWindowAlert(QWidget *window)
{
    for (QMessageBox *box : window->findChildren<QMessageBox *>())
        if (box->isVisible())
            return box;
    return nullptr;
}

inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

