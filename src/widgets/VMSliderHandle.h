#pragma once

#include "widgets/TKImage.h"

#include <QString>

#include <functional>

class VMSliderKnob;

// One named handle of a VMMultiHandleSlider: its position as a ratio from 0
// (left end) to 1 (right end) and the mapping between ratio and value.
class VMSliderHandle
{
public:
    using Mapping = std::function<float(float)>;

    VMSliderHandle(QString name, TKImage image, float ratio, Mapping valueBlock, Mapping invValueBlock)
        : m_name(std::move(name))
        , m_image(std::move(image))
        , m_valueBlock(std::move(valueBlock))
        , m_invValueBlock(std::move(invValueBlock))
        , curRatio(ratio)
    {
    }

    const QString &name() const { return m_name; }
    const TKImage &handleImage() const { return m_image; }

    // The ratio mapped to the handle's value; the ratio itself without a mapping.
    float curValue() const { return m_valueBlock ? m_valueBlock(curRatio) : curRatio; }
    // A value mapped back to a ratio; the value itself without a mapping.
    float ratioForValue(float value) const { return m_invValueBlock ? m_invValueBlock(value) : value; }

private:
    QString m_name;
    TKImage m_image;
    Mapping m_valueBlock;
    Mapping m_invValueBlock;

public:
    float curRatio;
    VMSliderKnob *handleView = nullptr;
};
