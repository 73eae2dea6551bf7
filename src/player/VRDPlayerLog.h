#pragma once

#include <QLoggingCategory>

// Messages of the playback engine.
Q_DECLARE_LOGGING_CATEGORY(lcPlayer)
// libmpv's own messages: its errors show as warnings; its warnings, mostly expected
// probe failures, only with QT_LOGGING_RULES="tovik.player.mpv.info=true".
Q_DECLARE_LOGGING_CATEGORY(lcMpv)
