// The display-mode service over Windows' display settings: the current mode of the primary
// display as EnumDisplaySettingsA reports it, a dynamic change with ChangeDisplaySettingsA
// (flags 0, only width and height marked), and the screen width from GetSystemMetrics.
#include <windows.h>

#include "platform/display_mode.h"

namespace {

bool current_settings(DEVMODEA* settings) {
    *settings = DEVMODEA{};
    settings->dmSize = sizeof *settings;
    return EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, settings) != FALSE;
}

bool read_current_mode(DisplayMode* mode) {
    DEVMODEA settings;
    if (!current_settings(&settings)) return false;
    *mode = DisplayMode{static_cast<int32_t>(settings.dmPelsWidth),
                        static_cast<int32_t>(settings.dmPelsHeight),
                        static_cast<double>(settings.dmDisplayFrequency)};
    return true;
}

// The rest of the current mode (colour depth, refresh rate) goes back as it was read.
bool apply_mode(const DisplayMode& wanted) {
    DEVMODEA settings;
    if (!current_settings(&settings)) return false;
    settings.dmPelsWidth = static_cast<DWORD>(wanted.width);
    settings.dmPelsHeight = static_cast<DWORD>(wanted.height);
    settings.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsA(&settings, 0) == DISP_CHANGE_SUCCESSFUL;
}

int32_t read_screen_width() {
    return GetSystemMetrics(SM_CXSCREEN);
}

const DisplayModeService windows_service{read_current_mode, apply_mode, read_screen_width};

}  // namespace

const DisplayModeService& platform_display_mode_service(const char*) {
    return windows_service;
}
