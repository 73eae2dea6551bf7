#include "viewer/VRDCardBar.h"

#include "ui_VRDCardBar.h"
#include "widgets/TKLocalization.h"

VRDCardBar::VRDCardBar(QWidget *parent) : QFrame(parent), m_ui(std::make_unique<Ui::VRDCardBar>())
{
    m_ui->setupUi(this);
    setObjectName(QStringLiteral("cardBar"));
    // Light text on a muted blue reads on the dark window (contrast above 7:1).
    setStyleSheet(QStringLiteral("#cardBar { background: #24415f; border-bottom: 1px solid #3b6591; }"
                                 "#cardBar QLabel { color: #f2f5f8; }"));
    m_ui->openButton->setText(TKLocalizedString("card.open"));
    m_ui->dismissButton->setToolTip(TKLocalizedString("card.dismiss"));
    connect(m_ui->openButton, &QPushButton::clicked, this, [this] {
        hide();
        emit openRequested(m_folder);
    });
    connect(m_ui->dismissButton, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

VRDCardBar::~VRDCardBar() = default;

void VRDCardBar::offerCard(const QString &folder, const QString &label)
{
    m_folder = folder;
    const QString name = label.isEmpty() ? folder : label;
    m_ui->messageLabel->setText(TKLocalizedString("card.inserted_fmt").arg(name));
    m_ui->openButton->show();
    show();
}

void VRDCardBar::reportCardGone()
{
    m_folder.clear();
    m_ui->messageLabel->setText(TKLocalizedString("card.removed"));
    m_ui->openButton->hide();
    show();
}
