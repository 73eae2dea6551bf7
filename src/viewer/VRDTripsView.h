#pragma once

#include "trips/VRDTrip.h"

#include <QDate>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>
#include <vector>

// The drives and parking spans of the card, one row each: a title line and a
// time line on which every recording is a block coloured by its kind (gaps
// stay empty, recordings without a route are drawn hollow) with the events
// as markers, and the play head on the drive that plays. Hovering a time line
// shows the time there; a click selects the row and asks for that moment of
// the recording under the pointer. Up and down choose a row, Enter plays it,
// the context menu (mouse or menu key) offers playing and the GPX export.
class VRDTripsView : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kRowHeight = 52;
    using Trips = std::shared_ptr<const std::vector<VRDTrip>>;

    explicit VRDTripsView(QWidget *parent = nullptr);

    void setStatus(const QString &status);
    const QString &status() const { return m_status; }
    // Shares the drives. The chosen drive stays chosen when it is still
    // there (a card read so far grows its drives); tripSelected tells when
    // the chosen row changed.
    void setTrips(Trips trips);
    void setTrips(std::vector<VRDTrip> trips);
    const std::vector<VRDTrip> &trips() const;
    const Trips &sharedTrips() const { return m_trips; }
    int selectedRow() const { return m_selected; }
    void selectRow(int row);
    // The first row that starts on the day or later (local time), or -1.
    int firstRowOnOrAfter(QDate day) const;
    // Scrolls the scroll area around the view so the row shows; a hidden
    // view scrolls once it is shown (its area has no size before).
    void scrollToRow(int row);
    // The play head at that moment of the row's time line; none removes it.
    void setPlayhead(int row, double utcSeconds);
    void clearPlayhead();
    std::optional<double> playheadX() const;
    int playheadRow() const { return m_playheadRow; }
    QRectF timelineRect(int row) const;

    QSize sizeHint() const override;

signals:
    // New drives are shown (the chosen row kept where it still is).
    void tripsReplaced();
    void tripSelected(int row);
    // The recording at `path`, `offsetSeconds` after its first sample.
    void momentRequested(const QString &path, double offsetSeconds);
    void exportRequested(int row);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    QRect rowRect(int row) const;
    // The row under a point, or -1.
    int rowAt(const QPoint &point) const;
    double timeAt(int row, double x) const;
    double xOf(int row, double utcSeconds) const;
    QString whenOf(const VRDTrip &trip) const;
    QString figuresOf(const VRDTrip &trip) const;
    void paintRow(QPainter &painter, int row, const QRect &area) const;
    void playStart(int row);
    QRect playheadRect() const;

    QString m_status;
    Trips m_trips;
    int m_selected = -1;
    int m_playheadRow = -1;
    int m_scrollPending = -1;
    double m_playheadUtc = 0;
};
