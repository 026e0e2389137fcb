#include "scene/panel_text.h"

#include <algorithm>

double panel_line_height(double height, double text_scale) {
    return std::max(height / 38.0, 10.0) * text_scale;
}

size_t text_columns(const std::string& text) {
    return code_points(text).size();
}

std::u32string code_points(const std::string& text) {
    std::u32string out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80         ? 1
                              : (lead >> 5) == 6  ? 2
                              : (lead >> 4) == 14 ? 3
                              : (lead >> 3) == 30 ? 4
                                                  : 0;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        bool whole = length > 0 && i + length <= text.size();
        for (size_t k = 1; whole && k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            whole = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        out.push_back(whole ? c : U'\uFFFD');
        i += whole ? length : 1;
    }
    return out;
}
