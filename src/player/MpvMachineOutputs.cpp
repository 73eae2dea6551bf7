#include "player/MpvMachineOutputs.h"

#include "player/MpvProperties.h"

#include <QDir>
#include <QFileInfo>
#include <QString>

#include <unistd.h>

namespace {

bool hasDeviceFile(const QString &folder, const QString &pattern)
{
    return !QDir(folder).entryList({pattern}, QDir::System).isEmpty();
}

// PulseAudio or PipeWire listening for this user (PipeWire also answers on the
// PulseAudio socket when pipewire-pulse runs).
bool soundServerRuns()
{
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER") || !qEnvironmentVariableIsEmpty("PIPEWIRE_REMOTE"))
        return true;
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty())
        runtime = QStringLiteral("/run/user/%1").arg(getuid());
    return QFileInfo::exists(runtime + QStringLiteral("/pulse/native"))
        || QFileInfo::exists(runtime + QStringLiteral("/pipewire-0"));
}

// Hardware decoders live behind NVIDIA's device files or a render node. Naming the one
// method keeps libmpv from trying the others (VDPAU prints its failure itself).
const char *hardwareDecodingChoice()
{
    if (QFileInfo::exists(QStringLiteral("/dev/nvidiactl")))
        return MpvProperties::kHardwareDecodingNvidiaCopy;
    if (hasDeviceFile(QStringLiteral("/dev/dri"), QStringLiteral("renderD*")))
        return MpvProperties::kHardwareDecodingVaapiCopy;
    return MpvProperties::kHardwareDecodingNone;
}

} // namespace

MpvMachineOutputs::MpvMachineOutputs()
    : m_hasSound(soundServerRuns() || hasDeviceFile(QStringLiteral("/dev/snd"), QStringLiteral("pcmC*D*p")))
    , m_hardwareDecoding(hardwareDecodingChoice())
{
}

const MpvMachineOutputs &MpvMachineOutputs::probed()
{
    static const MpvMachineOutputs outputs;
    return outputs;
}
