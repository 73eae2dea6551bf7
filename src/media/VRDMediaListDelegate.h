#pragma once

class VRDMediaList;

// Told when a library has taken the result of a finished walk.
class VRDMediaListDelegate {
public:
    virtual void mediaListChanged(VRDMediaList &mediaList) = 0;

protected:
    ~VRDMediaListDelegate() = default;
};
