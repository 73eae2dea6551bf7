#pragma once

// Every libmpv option, property, command and value name the engine uses, in one place.
namespace MpvProperties {

// Options set before the core starts.
inline constexpr char kVideoOutput[] = "vo";
inline constexpr char kVideoOutputLibmpv[] = "libmpv";
inline constexpr char kAudioOutput[] = "ao";
inline constexpr char kAudioOutputNull[] = "null";
inline constexpr char kKeepOpen[] = "keep-open";
inline constexpr char kPreciseSeek[] = "hr-seek";
inline constexpr char kVolumeMax[] = "volume-max";
inline constexpr char kVolumeMaxValue[] = "200";
inline constexpr char kHardwareDecoding[] = "hwdec";
inline constexpr char kHardwareDecodingAutoSafe[] = "auto-safe";
inline constexpr char kIdle[] = "idle";
inline constexpr char kConfig[] = "config";
inline constexpr char kTerminal[] = "terminal";
inline constexpr char kInputDefaultBindings[] = "input-default-bindings";
inline constexpr char kInputVoKeyboard[] = "input-vo-keyboard";
inline constexpr char kOsc[] = "osc";
inline constexpr char kLoadScripts[] = "load-scripts";
inline constexpr char kYtdl[] = "ytdl";
inline constexpr char kYes[] = "yes";
inline constexpr char kNo[] = "no";

// Observed properties.
inline constexpr char kPause[] = "pause";
inline constexpr char kTimePos[] = "time-pos";
inline constexpr char kDuration[] = "duration";
inline constexpr char kEofReached[] = "eof-reached";
inline constexpr char kSpeed[] = "speed";
inline constexpr char kVideoWidth[] = "video-params/w";
inline constexpr char kVideoHeight[] = "video-params/h";
inline constexpr char kVolume[] = "volume";
inline constexpr char kMute[] = "mute";

// Commands and their arguments.
inline constexpr char kLoadFile[] = "loadfile";
inline constexpr char kLoadFileReplace[] = "replace";
inline constexpr char kStop[] = "stop";
inline constexpr char kSeek[] = "seek";
inline constexpr char kSeekAbsolute[] = "absolute";
inline constexpr char kSeekRelative[] = "relative";
inline constexpr char kSeekAbsolutePercent[] = "absolute-percent";
inline constexpr char kScreenshotToFile[] = "screenshot-to-file";
inline constexpr char kScreenshotVideo[] = "video";

// Log level of the messages passed to our log.
inline constexpr char kLogLevel[] = "warn";

} // namespace MpvProperties
