#include "viewer/VRDPreferencesDialog.h"

#include "maps/TKMBTilesFile.h"
#include "maps/TKTileStore.h"
#include "ui_VRDPreferencesDialog.h"
#include "widgets/TKLocalization.h"

#include <QFileDialog>

namespace {

QString askForMBTiles(QWidget *parent, const QString &current)
{
    return QFileDialog::getOpenFileName(parent, TKLocalizedString("prefs.choose_mbtiles"), current,
                                        TKLocalizedString("prefs.mbtiles_filter"));
}

} // namespace

VRDPreferencesDialog::VRDPreferencesDialog(const TKMapSource &source, QWidget *parent, FileChooser chooseFile)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::VRDPreferencesDialog>()),
      m_chooseFile(chooseFile ? std::move(chooseFile) : FileChooser(askForMBTiles))
{
    m_ui->setupUi(this);
    setWindowTitle(TKLocalizedString("prefs.title"));
    m_ui->mapSourceBox->setTitle(TKLocalizedString("prefs.map_tiles"));
    m_ui->onlineRadio->setText(TKLocalizedString("prefs.tiles_online"));
    m_ui->keptOnlyRadio->setText(TKLocalizedString("prefs.tiles_kept"));
    m_ui->mbtilesRadio->setText(TKLocalizedString("prefs.tiles_mbtiles"));
    m_ui->chooseMBTilesButton->setText(TKLocalizedString("prefs.choose"));
    m_ui->storeLabel->setText(TKLocalizedString("prefs.store_fmt").arg(TKTileStore::defaultRoot()));

    m_ui->mbtilesPathField->setText(source.mbtilesPath);
    switch (source.kind) {
    case TKTileSourceKind::Online:
        m_ui->onlineRadio->setChecked(true);
        break;
    case TKTileSourceKind::KeptOnly:
        m_ui->keptOnlyRadio->setChecked(true);
        break;
    case TKTileSourceKind::MBTilesFile:
        m_ui->mbtilesRadio->setChecked(true);
        break;
    }
    connect(m_ui->mbtilesRadio, &QRadioButton::toggled, this, &VRDPreferencesDialog::updateEnabled);
    connect(m_ui->chooseMBTilesButton, &QPushButton::clicked, this, [this] {
        const QString path = m_chooseFile(this, m_ui->mbtilesPathField->text());
        if (!path.isEmpty()) {
            m_ui->mbtilesPathField->setText(path);
            m_ui->mbtilesRadio->setChecked(true);
        }
    });
    connect(m_ui->buttonBox, &QDialogButtonBox::accepted, this, &VRDPreferencesDialog::accept);
    connect(m_ui->buttonBox, &QDialogButtonBox::rejected, this, &VRDPreferencesDialog::reject);
    updateEnabled();
}

VRDPreferencesDialog::~VRDPreferencesDialog() = default;

TKMapSource VRDPreferencesDialog::source() const
{
    TKMapSource source;
    source.mbtilesPath = m_ui->mbtilesPathField->text().trimmed();
    if (m_ui->keptOnlyRadio->isChecked())
        source.kind = TKTileSourceKind::KeptOnly;
    else if (m_ui->mbtilesRadio->isChecked())
        source.kind = TKTileSourceKind::MBTilesFile;
    return source;
}

void VRDPreferencesDialog::accept()
{
    const TKMapSource chosen = source();
    if (chosen.kind == TKTileSourceKind::MBTilesFile) {
        const TKMBTilesFile file(chosen.mbtilesPath);
        if (chosen.mbtilesPath.isEmpty() || !file.isOpen()) {
            m_ui->problemLabel->setText(TKLocalizedString("prefs.mbtiles_unusable_fmt").arg(file.problem()));
            m_ui->problemLabel->show();
            return;
        }
    }
    QDialog::accept();
}

void VRDPreferencesDialog::updateEnabled()
{
    const bool mbtiles = m_ui->mbtilesRadio->isChecked();
    m_ui->mbtilesPathField->setEnabled(mbtiles);
    m_ui->problemLabel->setVisible(false);
}
