// The plotter's colours: the 16 colours of the picker (a 4 x 4 grid, row = index / 4, column = index % 4)
// and the default colour of each of the three functions.
#pragma once

#include <array>

struct GraphColor {
    int red = 0, green = 0, blue = 0;  // 0 ... 255
    bool operator==(const GraphColor&) const = default;
};

// arrColor, in picker order.
inline constexpr std::array<GraphColor, 16> arrColor = {{
    {255, 0, 0},
    {0, 255, 0},
    {0, 0, 255},
    {255, 255, 0},
    {0, 255, 255},
    {77, 142, 33},
    {229, 125, 120},
    {255, 255, 255},
    {126, 25, 0},
    {255, 0, 255},
    {255, 127, 0},
    {127, 0, 127},
    {153, 102, 51},
    {127, 255, 0},
    {0, 127, 255},
    {0, 0, 0},
}};

// Functions 1, 2 and 3 start red, green and yellow.
inline constexpr std::array<GraphColor, 3> kDefaultGraphColors = {arrColor[0], arrColor[1], arrColor[3]};
