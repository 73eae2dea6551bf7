#pragma once

#include <QFrame>

#include <memory>

namespace Ui {
class VRDCardBar;
}

// A strip across the main window that tells of the card: an inserted card it
// offers to open, a pulled one it reports. It never takes the focus and goes
// when dismissed.
class VRDCardBar : public QFrame
{
    Q_OBJECT

public:
    explicit VRDCardBar(QWidget *parent = nullptr);
    ~VRDCardBar() override;

    // "Open" opens `folder`.
    void offerCard(const QString &folder, const QString &label);
    void reportCardGone();

    Ui::VRDCardBar &ui() { return *m_ui; }
    const QString &offeredFolder() const { return m_folder; }

signals:
    void openRequested(const QString &folder);

private:
    std::unique_ptr<Ui::VRDCardBar> m_ui;
    QString m_folder;
};
