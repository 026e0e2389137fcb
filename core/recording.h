// One wave period as the key r records it: which time samples, at what pace, and which
// changes of the session the recording cannot follow.
#pragma once

#include <cstdint>
#include <string>

#include "core/session.h"

// The time sample of frame k (0 .. 99) of a period that starts at first (1 .. 101; 101 is the
// same picture as 1): 100 distinct samples, the one after the last being first again.
int32_t recorded_frame_index(int32_t first, int32_t k);
inline constexpr int32_t recorded_frames = 100;
inline constexpr int gif_delay_cs = 10;  // hundredths of a second: the animation's 10 a second

// The readout's line while a recording goes on, taken frames of the period's 100 done.
std::string recording_activity(int32_t taken);

// What the recorded pictures show besides the time sample: input that changes any of it
// while r records would break the period's loop.
struct ShownState {
    WaveScenario scenario;
    std::string origin;  // the readout's first line
    ViewState view;
    Presentation presentation;
    int32_t tangential_toggle;
    bool running;  // whether the clock runs
};
ShownState shown_state(const Session& s);
// Why a recording cannot go on from before to now ("the scenario changed"), or null.
const char* change_that_cancels(const ShownState& before, const ShownState& now);
