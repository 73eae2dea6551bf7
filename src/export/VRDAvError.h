#pragma once

#include <string>

// libav's text for one of its error numbers.
std::string VRDAvErrorText(int error);
