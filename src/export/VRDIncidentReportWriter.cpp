#include "export/VRDIncidentReportWriter.h"

#include "export/VRDReportPlotPainter.h"
#include "export/VRDReportRoutePainter.h"

#include <QFile>
#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace {

constexpr int kDotsPerInch = 300;

class Page {
public:
    Page(QPainter &painter, const QRect &area) : m_painter(painter), m_area(area), m_y(area.top()) {}

    void text(const QString &line, int pointSize = 10, bool bold = false, const QString &family = "DejaVu Sans")
    {
        QFont font(family);
        font.setPointSize(pointSize);
        font.setBold(bold);
        m_painter.setFont(font);
        const QRect bounds = m_painter.boundingRect(QRect(m_area.left(), m_y, m_area.width(), 10000), Qt::TextWrapAnywhere, line);
        m_painter.drawText(bounds, Qt::TextWrapAnywhere, line);
        m_y = bounds.bottom() + bounds.height() / 5;
    }
    void space(int pixels) { m_y += pixels; }
    QRect take(int height)
    {
        const QRect box(m_area.left(), m_y, m_area.width(), height);
        m_y += height;
        return box;
    }
    int remaining() const { return m_area.bottom() - m_y; }

private:
    QPainter &m_painter;
    QRect m_area;
    int m_y;
};

QString humanBytes(std::uint64_t bytes)
{
    return QString("%1 bytes").arg(bytes);
}

void drawStill(QPainter &painter, const QRect &box, const QImage &still, const QString &label)
{
    QFont font("DejaVu Sans");
    font.setPointSize(9);
    painter.setFont(font);
    const int labelHeight = painter.fontMetrics().height() * 3 / 2;
    painter.drawText(QRect(box.left(), box.top(), box.width(), labelHeight), Qt::AlignLeft,
                     still.isNull() ? label + ": no picture" : QString("%1 (%2 x %3)").arg(label).arg(still.width()).arg(still.height()));
    if (still.isNull())
        return;
    const QRect room(box.left(), box.top() + labelHeight, box.width(), box.height() - labelHeight);
    QSize size = still.size().scaled(room.size(), Qt::KeepAspectRatio);
    // The whole picture goes into the file; only its shown size is scaled.
    painter.drawImage(QRect(room.topLeft(), size), still);
}

void firstPage(QPainter &painter, Page &page, const VRDIncidentReport &report, int width)
{
    page.text(QString("Incident report: %1").arg(QString::fromStdString(report.clipName)), 16, true);
    page.space(20);
    page.text(QString("Marked instant, local time (camera clock): %1").arg(QString::fromStdString(report.localTime)), 11);
    page.text(QString("Marked instant, UTC (GPS): %1")
                  .arg(report.utcTime.empty() ? QString("unknown") : QString::fromStdString(report.utcTime)), 11);
    if (report.position) {
        page.text(QString("Position (decimal degrees): %1").arg(QString::fromStdString(VRDSampleText::decimal(*report.position))), 11);
        page.text(QString("Position (degrees, minutes, seconds): %1")
                      .arg(QString::fromStdString(VRDSampleText::degreesMinutesSeconds(*report.position))), 11);
    } else {
        page.text("Position: no GPS fix at the instant", 11);
    }
    page.text(QString("Speed: %1").arg(report.speed.empty() ? QString("unknown") : QString::fromStdString(report.speed)), 11);
    page.space(30);
    const QRect stills = page.take(width * 9 / 32 + 60);
    const int half = (stills.width() - 40) / 2;
    drawStill(painter, QRect(stills.left(), stills.top(), half, stills.height()), report.frontStill, "Front camera");
    drawStill(painter, QRect(stills.left() + half + 40, stills.top(), half, stills.height()), report.rearStill, "Rear camera");
    page.space(40);
    QFont font("DejaVu Sans");
    font.setPointSize(9);
    painter.setFont(font);
    const int plotHeight = std::max(200, (page.remaining() - 40) / 2);
    VRDReportPlotPainter::paint(painter, page.take(plotHeight), report.speedSeries);
    page.space(40);
    painter.setFont(font);
    VRDReportPlotPainter::paint(painter, page.take(plotHeight - 40), report.gForceSeries);
}

void secondPage(QPainter &painter, Page &page, const VRDIncidentReport &report, int width)
{
    page.text("Route around the instant", 12, true);
    QFont font("DejaVu Sans");
    font.setPointSize(9);
    painter.setFont(font);
    VRDReportRoutePainter::paint(painter, page.take(width * VRDReportMapPicture::kHeight / VRDReportMapPicture::kWidth),
                                 report.route, report.position, report.map);
    page.space(20);
    if (report.map)
        page.text(QString("Map tiles at zoom %1 from the tiles Tovik keeps; %2")
                      .arg(report.map->zoom())
                      .arg(report.map->attribution()),
                  8);
    else if (!report.route.empty())
        page.text("Track drawn to scale (no map tiles kept for this place)", 8);
    page.space(30);
    page.text("Files", 12, true);
    for (const VRDExportFile &file : report.files) {
        page.text(QString("%1 (%2), %3, %4")
                      .arg(QString::fromStdString(file.name), QString::fromStdString(file.role), humanBytes(file.bytes),
                           QString::fromStdString(file.time)),
                  8);
        page.text(QString("SHA-256 %1").arg(QString::fromStdString(file.sha256)), 8, false, "DejaVu Sans Mono");
    }
    page.space(40);
    page.text(QString("Made with Tovik %1").arg(QString::fromStdString(report.version)), 9);
}

} // namespace

bool VRDIncidentReportWriter::write(const VRDIncidentReport &report, const std::string &path, std::string &error)
{
    QPdfWriter pdf(QString::fromStdString(path));
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setResolution(kDotsPerInch);
    pdf.setTitle(QString("Incident report %1").arg(QString::fromStdString(report.clipName)));
    pdf.setCreator(QString("Tovik %1").arg(QString::fromStdString(report.version)));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        error = "cannot write " + path;
        return false;
    }
    const int margin = kDotsPerInch * 2 / 3;
    const QRect area(margin, margin, pdf.width() - 2 * margin, pdf.height() - 2 * margin);
    Page first(painter, area);
    firstPage(painter, first, report, area.width());
    pdf.newPage();
    Page second(painter, area);
    secondPage(painter, second, report, area.width());
    if (!painter.end()) {
        error = "cannot write " + path;
        return false;
    }
    // QPdfWriter reports no write errors of its own: the file must be there whole.
    QFile written(QString::fromStdString(path));
    if (!written.open(QIODevice::ReadOnly) || written.size() < 8 || written.read(5) != "%PDF-" || !written.seek(written.size() - 6)
        || !written.readAll().contains("%%EOF")) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
