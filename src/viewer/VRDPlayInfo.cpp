#include "viewer/VRDPlayInfo.h"

void VRDPlayInfo::setIsPlaying(bool isPlaying)
{
    m_isPlaying = isPlaying;
    emit isPlayingChanged(isPlaying);
}

void VRDPlayInfo::setAudioMediaDirection(int direction)
{
    m_audioMediaDirection = direction;
    emit audioMediaDirectionChanged(direction);
}

void VRDPlayInfo::setPosition(double position)
{
    m_position = position;
    emit positionChanged(position);
}

void VRDPlayInfo::setSpeed(double speed)
{
    m_speed = speed;
    emit speedChanged(speed);
}

void VRDPlayInfo::setScale(double scale)
{
    m_scale = scale;
    emit scaleChanged(scale);
}
