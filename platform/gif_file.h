// One wave period as an animated GIF (giflib) that loops forever at the animation's pace,
// written whole or not at all: into a temporary file beside the target, renamed over it when
// complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/rgb_image.h"

// An animated GIF written frame by frame as the frames come, so that only one is ever held.
// Each frame gets its own palette of the 256 colours that serve it best (median cut, no
// dithering), the background's exact colour among them.
struct GifRecording {
    PendingFile file;
    void* gif = nullptr;  // the encoder's own record
    int32_t width = 0, height = 0;
    bool may_replace{};  // whether the finished file may replace one of its name (begin_gif)
    std::string error;   // the first failure; the recording is then abandoned
};

// Starts a GIF of width x height pixels that loops forever; false with error set when the
// file cannot be made.
bool begin_gif(GifRecording& gif, const std::string& path, int32_t width, int32_t height,
               bool may_replace);
// Adds a frame shown for delay_cs hundredths of a second; false (and error) on a failure.
bool add_gif_frame(GifRecording& gif, const RgbImage& frame, int delay_cs);
// Completes the file: "" when written, else what went wrong (and no file left).
std::string finish_gif(GifRecording& gif);
// Stops and leaves no file.
void abandon_gif(GifRecording& gif);

// The picture's colours reduced to at most 256, the most frequent colour (the background)
// kept exactly: indices a pixel (rows from the top) and the palette, 3 bytes a colour.
struct IndexedImage {
    std::vector<unsigned char> indices;
    std::vector<unsigned char> palette;
};
IndexedImage quantised(const RgbImage& image);
