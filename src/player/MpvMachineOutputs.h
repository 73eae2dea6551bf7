#pragma once

// What this machine offers libmpv for sound and hardware decoding, found from device
// files and sound-server sockets without opening any of them. Left to itself, libmpv
// tries every audio output and decoder at each file it opens, and the libraries behind
// them (ALSA, JACK, VA-API, VDPAU) print each expected failure on stderr.
class MpvMachineOutputs
{
public:
    // Looked up once per process.
    static const MpvMachineOutputs &probed();

    // A sound server runs or ALSA has a playback device: libmpv chooses the output.
    // Without either, sound goes to the null output and nothing is probed.
    bool hasSound() const { return m_hasSound; }
    // The copy-back decoder that the machine's devices serve, or "no".
    const char *hardwareDecoding() const { return m_hardwareDecoding; }

private:
    MpvMachineOutputs();

    bool m_hasSound;
    const char *m_hardwareDecoding;
};
