#include "settings/VRDSettingPlaceholderTab.h"

#include "widgets/TKLocalization.h"

#include <QLabel>
#include <QVBoxLayout>

VRDSettingPlaceholderTab::VRDSettingPlaceholderTab(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    auto *notice = new QLabel(TKLocalizedString("setting.page_not_available"), this);
    notice->setObjectName(QStringLiteral("notAvailableLabel"));
    notice->setAlignment(Qt::AlignCenter);
    notice->setEnabled(false);
    layout->addWidget(notice);
}
