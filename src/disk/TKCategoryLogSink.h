#pragma once

#include "io/VRDLogSink.h"

#include <QLoggingCategory>

// The core's diagnostic lines as info messages of a library's category.
VRDLogSink TKCategoryLogSink(const QLoggingCategory &(*category)());
