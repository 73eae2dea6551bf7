#pragma once

#include <QWidget>

// Stands in for a settings tab that is not built yet. It edits nothing, so
// it does not follow the tab protocol: the window leaves the record alone.
class VRDSettingPlaceholderTab : public QWidget
{
    Q_OBJECT

public:
    explicit VRDSettingPlaceholderTab(QWidget *parent = nullptr);
};
