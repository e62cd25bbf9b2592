#pragma once
// The fills of both canvases in one table, so the window and the pictures look alike.

#include "page/Canvas.h"

// Red, green and blue from 0 to 1.
struct FillColour {
    double red = 0.0;
    double green = 0.0;
    double blue = 0.0;
};

inline FillColour FillColourOf(CanvasFill fill) {
    switch (fill) {
        case CanvasFill::Black:
            return {0, 0, 0};
        case CanvasFill::Grey:
            return {0.5, 0.5, 0.5};
        case CanvasFill::LightGrey:
            return {0.85, 0.85, 0.85};
        case CanvasFill::Better:  // a light green: pale in black and white
            return {0.56, 0.82, 0.56};
        case CanvasFill::Worse:  // a strong red: dark in black and white
            return {0.78, 0.2, 0.2};
    }
    return {0, 0, 0};
}
