#pragma once

// Where the rear picture and the data box go on the front picture: the
// rear in the chosen corner at a third of the width, the box in the other
// top corner (or the top left when the rear sits at the bottom), both
// clear of the bottom edge that carries the frame-number strip of test
// recordings. Every value is even, as 4:2:0 chroma needs.
struct VRDPipLayout {
    enum class Corner { TopLeft, TopRight, BottomLeft, BottomRight };

    struct Rect {
        int x = 0, y = 0, width = 0, height = 0;
    };

    Rect rear;
    Rect overlay;

    static VRDPipLayout compute(int width, int height, int rearWidth, int rearHeight, Corner corner);
};
