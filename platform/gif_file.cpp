#include "platform/gif_file.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "scene/translate.h"

namespace {

uint32_t colour_at(const RgbImage& image, size_t pixel) {
    const unsigned char* p = &image.rgb[3 * pixel];
    return (uint32_t(p[0]) << 16) | (uint32_t(p[1]) << 8) | p[2];
}

// The palette indices of a picture of at most 256 colours, each kept exactly; false beyond.
bool exact_palette(const RgbImage& image, IndexedImage& out) {
    std::unordered_map<uint32_t, unsigned char> index;
    const size_t pixels = size_t(image.width) * size_t(image.height);
    out.indices.resize(pixels);
    uint32_t previous = 0xFFFFFFFFu;  // runs of one colour (the background) need no lookup
    for (size_t k = 0; k < pixels; ++k) {
        const uint32_t c = colour_at(image, k);
        if (c == previous) {
            out.indices[k] = out.indices[k - 1];
            continue;
        }
        previous = c;
        auto found = index.find(c);
        if (found == index.end()) {
            if (index.size() == 256) return false;
            found = index.emplace(c, static_cast<unsigned char>(index.size())).first;
            out.palette.insert(out.palette.end(),
                               {static_cast<unsigned char>(c >> 16),
                                static_cast<unsigned char>(c >> 8), static_cast<unsigned char>(c)});
        }
        out.indices[k] = found->second;
    }
    return true;
}

int write_to_file(GifFileType* gif, const GifByteType* bytes, int count) {
    auto* stream = static_cast<std::FILE*>(gif->UserData);
    return static_cast<int>(std::fwrite(bytes, 1, size_t(count), stream));
}

GifFileType* encoder(const GifRecording& g) {
    return static_cast<GifFileType*>(g.gif);
}

bool failed(GifRecording& g, const char* what) {
    if (g.error.empty()) g.error = fill(tr("cannot write '%s': %s"), {g.file.path, tr(what)});
    return false;
}

}  // namespace

IndexedImage quantised(const RgbImage& image) {
    IndexedImage out;
    if (exact_palette(image, out)) return out;
    out = IndexedImage{};
    // Median cut (giflib's), without dithering.
    const size_t pixels = size_t(image.width) * size_t(image.height);
    std::vector<GifByteType> r(pixels), g(pixels), b(pixels);
    for (size_t k = 0; k < pixels; ++k) {
        r[k] = image.rgb[3 * k];
        g[k] = image.rgb[3 * k + 1];
        b[k] = image.rgb[3 * k + 2];
    }
    // The background: the most frequent colour of every seventh pixel of every seventh row.
    std::unordered_map<uint32_t, size_t> counts;
    for (int32_t y = 0; y < image.height; y += 7) {
        for (int32_t x = 0; x < image.width; x += 7) {
            ++counts[colour_at(image, size_t(y) * size_t(image.width) + size_t(x))];
        }
    }
    int size = 256;
    GifColorType map[256] = {};
    out.indices.assign(pixels, 0);
    GifQuantizeBuffer(unsigned(image.width), unsigned(image.height), &size, r.data(), g.data(),
                      b.data(), out.indices.data(), map);
    // The flat background keeps its exact colour: the entry its pixels went to becomes it.
    const auto background =
        std::max_element(counts.begin(), counts.end(),
                         [](const auto& a, const auto& c) { return a.second < c.second; });
    for (size_t k = 0; k < pixels; ++k) {
        if (colour_at(image, k) != background->first) continue;
        GifColorType& entry = map[out.indices[k]];
        entry.Red = static_cast<GifByteType>(background->first >> 16);
        entry.Green = static_cast<GifByteType>(background->first >> 8);
        entry.Blue = static_cast<GifByteType>(background->first);
        break;
    }
    for (int k = 0; k < size; ++k)
        out.palette.insert(out.palette.end(), {map[k].Red, map[k].Green, map[k].Blue});
    return out;
}

bool begin_gif(GifRecording& g, const std::string& path, int32_t width, int32_t height,
               bool may_replace) {
    g = GifRecording{};
    g.width = width;
    g.height = height;
    g.may_replace = may_replace;
    if (!begin_file(g.file, path, g.error)) return false;
    int status = 0;
    g.gif = EGifOpen(g.file.stream, write_to_file, &status);
    if (g.gif == nullptr) {
        abandon_file(g.file);
        return failed(g, GifErrorString(status));
    }
    EGifSetGifVersion(encoder(g), true);
    // Every frame brings its own palette; none for the screen.
    if (EGifPutScreenDesc(encoder(g), width, height, 8, 0, nullptr) == GIF_ERROR) {
        abandon_gif(g);
        return failed(g, translatable("the screen descriptor"));
    }
    // NETSCAPE2.0: loop forever (a count of 0).
    const GifByteType loop[3] = {1, 0, 0};
    if (EGifPutExtensionLeader(encoder(g), APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
        EGifPutExtensionBlock(encoder(g), 11, "NETSCAPE2.0") == GIF_ERROR ||
        EGifPutExtensionBlock(encoder(g), 3, loop) == GIF_ERROR ||
        EGifPutExtensionTrailer(encoder(g)) == GIF_ERROR) {
        abandon_gif(g);
        return failed(g, translatable("the loop extension"));
    }
    return true;
}

bool add_gif_frame(GifRecording& g, const RgbImage& frame, int delay_cs) {
    if (g.gif == nullptr) return false;
    IndexedImage indexed = quantised(frame);
    const int colours = static_cast<int>(indexed.palette.size() / 3);
    int bits = 1;
    while ((1 << bits) < colours) ++bits;
    ColorMapObject* map = GifMakeMapObject(1 << bits, nullptr);
    for (int k = 0; k < colours; ++k) {
        map->Colors[k] = {indexed.palette[3 * k], indexed.palette[3 * k + 1],
                          indexed.palette[3 * k + 2]};
    }
    GraphicsControlBlock control{DISPOSE_DO_NOT, false, delay_cs, NO_TRANSPARENT_COLOR};
    GifByteType extension[4];
    const size_t length = EGifGCBToExtension(&control, extension);
    bool ok =
        EGifPutExtension(encoder(g), GRAPHICS_EXT_FUNC_CODE, int(length), extension) != GIF_ERROR &&
        EGifPutImageDesc(encoder(g), 0, 0, frame.width, frame.height, false, map) != GIF_ERROR;
    for (int32_t y = 0; ok && y < frame.height; ++y) {
        ok = EGifPutLine(encoder(g), &indexed.indices[size_t(y) * size_t(frame.width)],
                         frame.width) != GIF_ERROR;
    }
    GifFreeMapObject(map);
    if (!ok || std::ferror(g.file.stream)) {
        abandon_gif(g);
        return failed(g, translatable("a frame"));
    }
    return true;
}

std::string finish_gif(GifRecording& g) {
    if (g.gif == nullptr) return g.error.empty() ? tr("nothing recorded") : g.error;
    int status = 0;
    const int closed = EGifCloseFile(encoder(g), &status);  // writes the trailer, not the file
    g.gif = nullptr;
    if (closed == GIF_ERROR) {
        abandon_file(g.file);
        failed(g, GifErrorString(status));
        return g.error;
    }
    return finish_file(g.file, g.may_replace);
}

void abandon_gif(GifRecording& g) {
    if (g.gif != nullptr) {
        int status = 0;
        EGifCloseFile(encoder(g), &status);
        g.gif = nullptr;
    }
    abandon_file(g.file);
}
