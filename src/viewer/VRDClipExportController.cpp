#include "viewer/VRDClipExportController.h"

#include "maps/TKMapSource.h"
#include "player/VRDMediaEngine.h"
#include "ui_VRDClipMarkBar.h"
#include "viewer/TKClipMarksOverlay.h"
#include "viewer/VRDExportDialog.h"
#include "viewer/VRDPlayInfo.h"
#include "widgets/TKLocalization.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QShortcut>
#include <QSlider>
#include <QStandardPaths>

VRDClipExportController::VRDClipExportController(QWidget &window, QSlider &slider, VRDMediaEngine &player, VRDPlayInfo &playInfo)
    : QObject(&window), m_window(window), m_player(player), m_playInfo(playInfo), m_ui(std::make_unique<Ui::VRDClipMarkBar>())
{
    m_bar = new QWidget;
    m_ui->setupUi(m_bar);
    placeBesideSlider(slider);
    m_ui->markInButton->setToolTip(TKLocalizedString("export.mark_in_tip"));
    m_ui->markOutButton->setToolTip(TKLocalizedString("export.mark_out_tip"));
    m_ui->exportButton->setText(TKLocalizedString("export.button"));
    m_ui->exportButton->setToolTip(TKLocalizedString("export.button_tip"));
    auto *menu = new QMenu(m_bar);
    m_exportMarkedAction = menu->addAction(TKLocalizedString("export.export_marked"), this, &VRDClipExportController::exportMarked);
    m_exportAroundAction = menu->addAction(TKLocalizedString("export.around_now"), this, &VRDClipExportController::exportAroundNow);
    m_ui->exportButton->setMenu(menu);
    m_overlay = new TKClipMarksOverlay(slider);

    connect(m_ui->markInButton, &QToolButton::clicked, this, &VRDClipExportController::markIn);
    connect(m_ui->markOutButton, &QToolButton::clicked, this, &VRDClipExportController::markOut);
    connect(new QShortcut(QKeySequence(Qt::Key_I), &window), &QShortcut::activated, this, &VRDClipExportController::markIn);
    connect(new QShortcut(QKeySequence(Qt::Key_O), &window), &QShortcut::activated, this, &VRDClipExportController::markOut);
    connect(&playInfo, &VRDPlayInfo::positionChanged, this, &VRDClipExportController::followRecording);
    showMarks();
}

VRDClipExportController::~VRDClipExportController() = default;

void VRDClipExportController::placeBesideSlider(QSlider &slider)
{
    auto *column = slider.parentWidget() != nullptr ? qobject_cast<QBoxLayout *>(slider.parentWidget()->layout()) : nullptr;
    const int index = column != nullptr ? column->indexOf(&slider) : -1;
    if (index < 0) {
        m_bar->setParent(slider.parentWidget());
        return;
    }
    column->removeWidget(&slider);
    auto *row = new QHBoxLayout;
    row->setSpacing(4);
    row->addWidget(&slider, 1);
    row->addWidget(m_bar);
    column->insertLayout(index, row);
}

VRDExportDialog *VRDClipExportController::dialog() const
{
    return m_dialog;
}

double VRDClipExportController::nowSeconds() const
{
    return static_cast<double>(m_player.time()) / 1000.0;
}

double VRDClipExportController::lengthSeconds() const
{
    return static_cast<double>(m_player.length()) / 1000.0;
}

void VRDClipExportController::followRecording()
{
    if (!m_markedRecording.isEmpty() && m_player.media() != m_markedRecording) {
        m_marks.clear();
        m_markedRecording.clear();
        showMarks();
    }
}

void VRDClipExportController::markIn()
{
    if (!m_player.hasMedia())
        return;
    followRecording();
    m_markedRecording = m_player.media();
    m_marks.setIn(nowSeconds());
    showMarks();
}

void VRDClipExportController::markOut()
{
    if (!m_player.hasMedia())
        return;
    followRecording();
    m_markedRecording = m_player.media();
    m_marks.setOut(nowSeconds());
    showMarks();
}

void VRDClipExportController::showMarks()
{
    const double length = lengthSeconds();
    const auto fraction = [length](std::optional<double> seconds) -> std::optional<double> {
        if (!seconds || length <= 0)
            return std::nullopt;
        return *seconds / length;
    };
    m_overlay->setMarks(fraction(m_marks.in()), fraction(m_marks.out()));
    m_exportMarkedAction->setEnabled(m_marks.range().has_value());
    m_exportAroundAction->setEnabled(m_player.hasMedia());
}

void VRDClipExportController::exportMarked()
{
    followRecording();
    const auto range = m_marks.range();
    if (!range)
        return;
    const double now = nowSeconds();
    const std::optional<double> instant = now >= range->first && now <= range->second ? std::optional<double>(now) : std::nullopt;
    openDialog(range->first, range->second, instant, false);
}

void VRDClipExportController::exportAroundNow()
{
    if (!m_player.hasMedia())
        return;
    const double now = nowSeconds();
    const auto [from, to] = VRDClipMarks::around(now, VRDClipMarks::kDefaultAroundSeconds);
    openDialog(from, to, now, true);
}

void VRDClipExportController::openDialog(double from, double to, std::optional<double> instant, bool trim)
{
    if (m_dialog && m_dialog->isExporting()) {
        m_dialog->raise();
        return;
    }
    delete m_dialog;
    VRDClipExporter::Request request;
    request.file = QFile::encodeName(m_player.media()).toStdString();
    request.from = from;
    request.to = to;
    request.instant = instant;
    request.trimToRecordings = trim;
    // The channel heard in the window is the one the shared video carries.
    request.sideBySideOptions.rearSound = m_playInfo.audioMediaDirection() == 1;
    request.version = QCoreApplication::applicationVersion().toStdString();
    request.mapSource = TKMapSource::viewerChoice();
    const QString folder = QDir(QStandardPaths::writableLocation(QStandardPaths::MoviesLocation)).filePath("Tovik exports");
    // "Around now" keeps its span adjustable in the dialog.
    m_dialog = new VRDExportDialog(std::move(request), folder, trim ? instant : std::nullopt, &m_window);
    m_dialog->setAttribute(Qt::WA_DeleteOnClose);
    m_dialog->open();
}
