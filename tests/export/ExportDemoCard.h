#pragma once

#include <QDir>
#include <QProcess>
#include <QString>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// A small demo card written once per test process with the real generator:
// recordings of 4 s at 15 frames a second, a key frame every second, so
// the event recording is event_20240315_081212 and evtA_20240315_081216
// follows it without a gap.
class ExportDemoCard {
public:
    static constexpr int kSeconds = 4;
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 180;
    static constexpr int kFps = 15;

    static const ExportDemoCard &instance();

    QString root() const { return m_root; }
    QString path(const QString &name) const { return m_root + "/" + name; }
    bool ok() const { return m_ok; }

    // The frame numbers of every picture of a video, read with ffmpeg's
    // decoder from the strip along the bottom; nothing for an unreadable one.
    static std::vector<std::optional<std::uint32_t>> frameNumbers(const QString &video, int width, int height);

private:
    ExportDemoCard();

    QString m_root;
    bool m_ok = false;
};
