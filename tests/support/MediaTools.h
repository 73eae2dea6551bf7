#pragma once

// Runs the real tools on recordings we write: the demo-card generator for
// sources, ffprobe for the packets a demuxer sees, ffmpeg for the decoded
// pictures, mpv for playback.
#include "ProgramRun.h"
#include "demo/FrameNumberStrip.h"

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace MediaTools {

// A demo card made by the generator; empty on failure.
inline QString makeDemoCard(const QString &folder, const QStringList &options)
{
    const ProgramRun made = runProgram(builtProgram("demo/tovik-demo-card"),
                                   QStringList{folder} + options);
    return made.exitCode == 0 ? folder : QString();
}

struct Packet {
    int stream = 0;
    qint64 position = 0;
    qint64 size = 0;
    qint64 duration = 0;
    bool key = false;
    QString hash;
};

// Every packet in demuxing order, with an MD5 of its bytes.
inline std::vector<Packet> probePackets(const QString &path)
{
    const ProgramRun probe = runProgram("ffprobe", {"-v", "error", "-show_packets", "-show_data_hash", "MD5", "-of", "json", path});
    std::vector<Packet> packets;
    for (const QJsonValue &value : QJsonDocument::fromJson(probe.out).object()["packets"].toArray()) {
        const QJsonObject packet = value.toObject();
        packets.push_back({packet["stream_index"].toInt(), packet["pos"].toString().toLongLong(),
                           packet["size"].toString().toLongLong(), packet["duration"].toInteger(),
                           packet["flags"].toString().startsWith('K'), packet["data_hash"].toString()});
    }
    return packets;
}

inline std::vector<Packet> packetsOf(const std::vector<Packet> &packets, int stream)
{
    std::vector<Packet> selected;
    for (const Packet &packet : packets) {
        if (packet.stream == stream)
            selected.push_back(packet);
    }
    return selected;
}

// ffprobe's complaints about a file; empty when it reads it silently.
inline QByteArray probeErrors(const QString &path)
{
    const ProgramRun probe = runProgram("ffprobe", {"-v", "error", "-show_streams", "-show_format", path});
    return probe.exitCode == 0 ? probe.err : "ffprobe failed: " + probe.err;
}

// mpv plays the whole file without video or audio output.
inline bool playsInMpv(const QString &path)
{
    return runProgram("mpv", {"--no-config", "--vo=null", "--ao=null", "--msg-level=all=error", path}).exitCode == 0;
}

// The frame number strip of every decoded picture, in presentation order.
inline std::vector<std::optional<std::uint32_t>> frameNumbers(const QString &path, int width, int height)
{
    const ProgramRun decoded = runProgram("ffmpeg", {"-v", "error", "-i", path, "-map", "0:v:0", "-f", "rawvideo",
                                                 "-pix_fmt", "rgb24", "-fps_mode", "passthrough", "pipe:1"});
    std::vector<std::optional<std::uint32_t>> numbers;
    const qsizetype frameBytes = static_cast<qsizetype>(width) * height * 3;
    for (qsizetype at = 0; at + frameBytes <= decoded.out.size(); at += frameBytes)
        numbers.push_back(FrameNumberStrip::decode(reinterpret_cast<const std::uint8_t *>(decoded.out.constData() + at),
                                                   width, height, static_cast<std::size_t>(width) * 3));
    return numbers;
}

} // namespace MediaTools
