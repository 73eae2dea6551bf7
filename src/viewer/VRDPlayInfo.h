#pragma once

#include <QObject>

// The observed play state of the main window. Views follow its change
// signals instead of being set from many places.
class VRDPlayInfo : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool isPlaying READ isPlaying WRITE setIsPlaying NOTIFY isPlayingChanged)
    Q_PROPERTY(int audioMediaDirection READ audioMediaDirection WRITE setAudioMediaDirection
                   NOTIFY audioMediaDirectionChanged)
    Q_PROPERTY(double position READ position WRITE setPosition NOTIFY positionChanged)
    Q_PROPERTY(double speed READ speed WRITE setSpeed NOTIFY speedChanged)
    Q_PROPERTY(double scale READ scale WRITE setScale NOTIFY scaleChanged)

public:
    using QObject::QObject;

    bool isPlaying() const { return m_isPlaying; }
    int audioMediaDirection() const { return m_audioMediaDirection; }
    double position() const { return m_position; }
    double speed() const { return m_speed; }
    double scale() const { return m_scale; }

    // Every assignment notifies, as observers of a key path are told of each set.
    void setIsPlaying(bool isPlaying);
    void setAudioMediaDirection(int direction);
    void setPosition(double position);
    void setSpeed(double speed);
    void setScale(double scale);

signals:
    void isPlayingChanged(bool isPlaying);
    void audioMediaDirectionChanged(int direction);
    void positionChanged(double position);
    void speedChanged(double speed);
    void scaleChanged(double scale);

private:
    bool m_isPlaying = false;
    int m_audioMediaDirection = 2;
    double m_position = 0.0;
    double m_speed = 1.0;
    double m_scale = 0.0;
};
