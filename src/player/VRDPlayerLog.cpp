#include "player/VRDPlayerLog.h"

Q_LOGGING_CATEGORY(lcPlayer, "tovik.player")
Q_LOGGING_CATEGORY(lcMpv, "tovik.player.mpv", QtWarningMsg)
