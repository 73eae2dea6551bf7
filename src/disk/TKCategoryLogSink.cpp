#include "disk/TKCategoryLogSink.h"

#include <QString>

VRDLogSink TKCategoryLogSink(const QLoggingCategory &(*category)())
{
    return [category](std::string_view line) {
        qCInfo(category).noquote() << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    };
}
