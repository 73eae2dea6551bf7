#pragma once

#include "media/VRDMediaWalkRunner.h"

// Runs a folder walk in place, so a test sees the result at once.
class InlineMediaWalkRunner final : public VRDMediaWalkRunner
{
public:
    void run(Walk walk, Deliver deliver) override { deliver(walk()); }
};
