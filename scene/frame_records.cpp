#include "scene/frame_records.h"

const char* view_name(StereoView view) {
    switch (view) {
        case StereoView::mono:
            return "mono";
        case StereoView::anaglyph:
            return "anaglyph";
        case StereoView::cross:
            return "cross";
        case StereoView::sbs:
            break;
    }
    return "sbs";
}

StereoView next_view(StereoView view) {
    switch (view) {
        case StereoView::sbs:
            return StereoView::mono;
        case StereoView::mono:
            return StereoView::anaglyph;
        case StereoView::anaglyph:
            return StereoView::cross;
        case StereoView::cross:
            break;
    }
    return StereoView::sbs;
}

FieldMapMode next_field_map_mode(FieldMapMode mode) {
    switch (mode) {
        case FieldMapMode::off:
            return FieldMapMode::ey;
        case FieldMapMode::ey:
            return FieldMapMode::hy;
        case FieldMapMode::hy:
            return FieldMapMode::e2;
        case FieldMapMode::e2:
            break;
    }
    return FieldMapMode::off;
}

CurvesMode next_curves_mode(CurvesMode mode) {
    switch (mode) {
        case CurvesMode::off:
            return CurvesMode::power;
        case CurvesMode::power:
            return CurvesMode::amplitude_phase;
        case CurvesMode::amplitude_phase:
            return CurvesMode::spectrum;
        case CurvesMode::spectrum:
            break;
    }
    return CurvesMode::off;
}
