#include "app/picture_files.h"

#include <png.h>

#include "scene/translate.h"

std::string write_png(const std::string& path, const RgbImage& image, bool may_replace) {
    PendingFile file;
    std::string error;
    if (!begin_file(file, path, error)) return error;
    error = encode_png(file, image);
    return error.empty() ? finish_file(file, may_replace) : error;
}

std::string encode_png(PendingFile& file, const RgbImage& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = png_uint_32(image.width);
    png.height = png_uint_32(image.height);
    png.format = PNG_FORMAT_RGB;
    if (!png_image_write_to_stdio(&png, file.stream, 0, image.rgb.data(), 0, nullptr)) {
        const std::string what = png.message;
        png_image_free(&png);
        abandon_file(file);
        return fill(tr("cannot write '%s': %s"), {file.path, what});
    }
    return "";
}
