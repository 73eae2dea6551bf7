#pragma once

#include "io/TKLittleEndian.h"
#include "widgets/TKSegmentedControl.h"

// Moving a record field into a choice control and back. A value outside
// the control's choices leaves nothing selected; storing then keeps the
// field as it was, so an unknown value is never replaced by -1.
namespace VRDSegmentValue {

template <typename T>
void show(TKSegmentedControl *control, const TKLittleEndian<T> &field)
{
    const auto value = static_cast<long long>(field.get());
    control->setSelectedSegment(value >= 0 && value < control->segmentCount() ? static_cast<int>(value) : -1);
}

template <typename T>
void store(const TKSegmentedControl *control, TKLittleEndian<T> &field)
{
    if (control->selectedSegment() >= 0)
        field = static_cast<T>(control->selectedSegment());
}

} // namespace VRDSegmentValue
