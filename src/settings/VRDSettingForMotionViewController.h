#pragma once

#include "settings/VRDSettingControllerDelegate.h"

#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>

namespace Ui {
class VRDSettingForMotionViewController;
}
class QCheckBox;

// Tab 4 of the settings window: what the camera watches while the car is
// parked: parking recording mode, night vision, the motion sensitivity of
// each camera and, per camera, the twelve picture blocks that motion
// detection looks at.
class VRDSettingForMotionViewController : public QWidget, public VRDSettingControllerDelegate
{
    Q_OBJECT

public:
    static constexpr int kBlockCount = 12;

    explicit VRDSettingForMotionViewController(QWidget *parent = nullptr);
    ~VRDSettingForMotionViewController() override;

    void setFileData(VRDConfigDocument *document) override;
    // Every input is a choice from a list.
    QString validateUserInput() override { return {}; }
    bool populate() override;
    void setMainController(VRDSettingController *) override {}

    // The bit of block 1 to 12 (a set bit leaves the block out): blocks
    // 01-04 take bits 8-11, 05-08 bits 4-7, 09-12 bits 0-3.
    static constexpr std::uint32_t blockBit(int block)
    {
        const int group = (block - 1) / 4;
        const int position = (block - 1) % 4;
        return 1u << ((2 - group) * 4 + position);
    }

private:
    using BlockBoxes = std::array<QCheckBox *, kBlockCount>;

    void awakeFromNib();
    void displayFileData();
    BlockBoxes frontBlocks() const;
    BlockBoxes rearBlocks() const;

    std::unique_ptr<Ui::VRDSettingForMotionViewController> m_ui;
    VRDConfigDocument *m_document = nullptr;
};
