#pragma once

// Every libmpv option, property, command and value name the engine uses, in one place.
namespace MpvProperties {

// Options set before the core starts.
inline constexpr char kVideoOutput[] = "vo";
inline constexpr char kVideoOutputLibmpv[] = "libmpv";
inline constexpr char kAudioOutput[] = "ao";
inline constexpr char kAudioOutputNull[] = "null";
inline constexpr char kKeepOpen[] = "keep-open";
// Without a sound device the core would wait for audio after every seek, and the
// pictures would stand still; it plays silently instead.
inline constexpr char kAudioFallbackToNull[] = "audio-fallback-to-null";
inline constexpr char kPreciseSeek[] = "hr-seek";
inline constexpr char kVolumeMax[] = "volume-max";
inline constexpr char kVolumeMaxValue[] = "200";
inline constexpr char kHardwareDecoding[] = "hwdec";
// Decoded frames come back to memory: the filter graph that joins the two pictures
// works on them there.
inline constexpr char kHardwareDecodingVaapiCopy[] = "vaapi-copy";
inline constexpr char kHardwareDecodingNvidiaCopy[] = "nvdec-copy";
inline constexpr char kHardwareDecodingCurrent[] = "hwdec-current";
inline constexpr char kHardwareDecodingNone[] = "no";
// Copy-back decoding hands frames over in memory: no OpenGL interop is needed, and
// loading one probes (and logs) every vendor's library.
inline constexpr char kHardwareDecodingInterop[] = "gpu-hwdec-interop";
inline constexpr char kIdle[] = "idle";
inline constexpr char kConfig[] = "config";
inline constexpr char kTerminal[] = "terminal";
inline constexpr char kInputDefaultBindings[] = "input-default-bindings";
inline constexpr char kInputVoKeyboard[] = "input-vo-keyboard";
inline constexpr char kOsc[] = "osc";
inline constexpr char kLoadScripts[] = "load-scripts";
inline constexpr char kYtdl[] = "ytdl";
// The frame is drawn stretched over the texture, so each picture's rectangle in the
// texture is exactly its rectangle in the frame.
inline constexpr char kKeepAspect[] = "keepaspect";
inline constexpr char kMessageLevel[] = "msg-level";
// The null audio output complains when a paused file starts, which is harmless.
inline constexpr char kMessageLevelNormal[] = "all=warn,ao/null=fatal";
// A failed hardware decoder probe is expected where the device cannot decode the
// stream; ffmpeg also reports libva's own messages.
inline constexpr char kMessageLevelProbing[] = "all=warn,ao/null=fatal,ffmpeg=fatal,ffmpeg/video=fatal,vd=fatal";
inline constexpr char kYes[] = "yes";
inline constexpr char kNo[] = "no";

// Options of one loaded file: its twin and the graph that puts both pictures into
// one frame, the twin scaled to the recording's height when their sizes differ (and
// passed through unchanged when they do not). A twin that ends first holds its last
// picture.
inline constexpr char kExternalFile[] = "external-file";
inline constexpr char kLavfiComplex[] = "lavfi-complex";
inline constexpr char kSideBySideGraph[] = "[vid2][vid1]scale2ref=w=oh*mdar:h=ih[twin][main];[main][twin]hstack[vo]";

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
inline constexpr char kTrackList[] = "track-list";
inline constexpr char kAudioTrack[] = "aid";

// Keys of a track-list entry and of a loadfile or raw screenshot reply.
inline constexpr char kTrackId[] = "id";
inline constexpr char kTrackType[] = "type";
inline constexpr char kTrackExternal[] = "external";
inline constexpr char kTrackWidth[] = "demux-w";
inline constexpr char kTrackHeight[] = "demux-h";
inline constexpr char kTrackTypeVideo[] = "video";
inline constexpr char kTrackTypeAudio[] = "audio";
inline constexpr char kPlaylistEntryId[] = "playlist_entry_id";
inline constexpr char kRawWidth[] = "w";
inline constexpr char kRawHeight[] = "h";
inline constexpr char kRawStride[] = "stride";
inline constexpr char kRawData[] = "data";

// Commands and their arguments.
inline constexpr char kLoadFile[] = "loadfile";
inline constexpr char kLoadFileReplace[] = "replace";
inline constexpr char kStop[] = "stop";
inline constexpr char kSeek[] = "seek";
inline constexpr char kSeekAbsolute[] = "absolute";
inline constexpr char kSeekRelative[] = "relative";
inline constexpr char kSeekAbsolutePercent[] = "absolute-percent";
inline constexpr char kFrameStep[] = "frame-step";
inline constexpr char kFrameBackStep[] = "frame-back-step";
inline constexpr char kScreenshotRaw[] = "screenshot-raw";
inline constexpr char kScreenshotVideo[] = "video";

// Messages passed to our log: those the terminal would show under msg-level.
inline constexpr char kLogLevel[] = "terminal-default";

} // namespace MpvProperties
