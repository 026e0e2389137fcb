// Pictures for slides: a frame as a PNG file (libpng); one wave period as an animated GIF is
// platform/gif_file.h. Files are written whole or not at all: into a temporary file beside
// the target, renamed over it when complete.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/gif_file.h"
#include "render/frame_capture.h"

// Encodes image as a PNG into a file begun with begin_file: "" when done, else what went
// wrong (and the file abandoned).
std::string encode_png(PendingFile& file, const RgbImage& image);

// "" when the file is written, else one line of what went wrong (and no file left). With
// may_replace false a file of that name is never replaced.
std::string write_png(const std::string& path, const RgbImage& image, bool may_replace);
