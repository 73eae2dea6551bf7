#pragma once

#include "trips/VRDTrip.h"

#include <QString>
#include <QWidget>

#include <vector>

// The drives and parking spans of the card, one row each: a title line and a
// time line on which every recording is a block coloured by its kind (gaps
// stay empty, recordings without a route are drawn hollow) with the events
// as markers. Hovering a time line shows the time there; a click selects the
// row and asks for that moment of the recording under the pointer.
class VRDTripsView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 52;

    explicit VRDTripsView(QWidget *parent = nullptr);

    void setStatus(const QString &status);
    void setTrips(std::vector<VRDTrip> trips);
    const std::vector<VRDTrip> &trips() const { return m_trips; }
    int selectedRow() const { return m_selected; }
    void selectRow(int row);

    QSize sizeHint() const override;

signals:
    void tripSelected(int row);
    // The recording at `path`, `offsetSeconds` after its first sample.
    void momentRequested(const QString &path, double offsetSeconds);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    QRect rowRect(int row) const;
    QRectF timelineRect(int row) const;
    // The row under a point, or -1.
    int rowAt(const QPoint &point) const;
    double timeAt(int row, double x) const;
    double xOf(int row, double utcSeconds) const;
    QString whenOf(const VRDTrip &trip) const;
    QString figuresOf(const VRDTrip &trip) const;

    QString m_status;
    std::vector<VRDTrip> m_trips;
    int m_selected = -1;
};
