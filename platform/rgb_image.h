// An RGB picture, 8 bits a channel, rows from the top: what a backend reads back and the
// picture files are written from.
#pragma once

#include <cstdint>
#include <vector>

struct RgbImage {
    int32_t width = 0, height = 0;
    std::vector<unsigned char> rgb;
};
