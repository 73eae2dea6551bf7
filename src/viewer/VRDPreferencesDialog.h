#pragma once

#include "maps/TKMapSource.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class VRDPreferencesDialog;
}

// The viewer's preferences: where the map's tiles come from (online and kept
// for later, only the kept ones, or an MBTiles file of the user's).
class VRDPreferencesDialog : public QDialog
{
    Q_OBJECT

public:
    // Asks for an MBTiles file; an empty answer keeps the field as it is.
    using FileChooser = std::function<QString(QWidget *parent, const QString &current)>;

    explicit VRDPreferencesDialog(const TKMapSource &source, QWidget *parent = nullptr, FileChooser chooseFile = {});
    ~VRDPreferencesDialog() override;

    // The choice on the dialog now.
    TKMapSource source() const;
    Ui::VRDPreferencesDialog &ui() { return *m_ui; }

public slots:
    // Accepts only a usable MBTiles file; otherwise says why and stays open.
    void accept() override;

private:
    void updateEnabled();

    std::unique_ptr<Ui::VRDPreferencesDialog> m_ui;
    FileChooser m_chooseFile;
};
