#pragma once

#include <QWidget>

#include <optional>

class QSlider;

// Shows the marked in and out points on a position slider: a tick for
// each and a band between them. Lies over the slider, follows its size and
// lets every mouse event through to it.
class TKClipMarksOverlay : public QWidget
{
    Q_OBJECT

public:
    explicit TKClipMarksOverlay(QSlider &slider);

    // Fractions 0 to 1 of the recording, nothing for an unset mark.
    void setMarks(std::optional<double> in, std::optional<double> out);

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    double xOf(double fraction) const;

    QSlider &m_slider;
    std::optional<double> m_in;
    std::optional<double> m_out;
};
