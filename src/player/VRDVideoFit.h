#pragma once

#include <QRect>
#include <QSizeF>

// Where a picture of `picture` size shows in `area`: as large as fits with its
// aspect kept, centred.
namespace VRDVideoFit {

inline QRect fitted(const QSizeF &picture, const QSize &area)
{
    const QSize size = picture.toSize().scaled(area, Qt::KeepAspectRatio);
    return {QPoint((area.width() - size.width()) / 2, (area.height() - size.height()) / 2), size};
}

} // namespace VRDVideoFit
