#include "core/keys.h"

#include "scene/translate.h"

namespace {

constexpr KeyBinding k(Command c, unsigned char key, bool alt = false) {
    return KeyBinding{c, key, alt, SpecialKey::none};
}
constexpr KeyBinding special(Command c, SpecialKey key) {
    return KeyBinding{c, 0, false, key};
}
constexpr KeyBinding none{Command::none, 0, false, SpecialKey::none};

constexpr unsigned char key_tab = 9, key_esc = 27;

struct Name {
    Command command;
    const char* name;
};
constexpr Name names[] = {
    {Command::linear_example, "linear_example"},
    {Command::circular_example, "circular_example"},
    {Command::elliptical_example, "elliptical_example"},
    {Command::angle_up, "angle_up"},
    {Command::angle_down, "angle_down"},
    {Command::ex_up, "ex_up"},
    {Command::ex_down, "ex_down"},
    {Command::ey_up, "ey_up"},
    {Command::ey_down, "ey_down"},
    {Command::phi_x_up, "phi_x_up"},
    {Command::phi_x_down, "phi_x_down"},
    {Command::phi_y_up, "phi_y_up"},
    {Command::phi_y_down, "phi_y_down"},
    {Command::pan_up, "pan_up"},
    {Command::pan_down, "pan_down"},
    {Command::pan_left, "pan_left"},
    {Command::pan_right, "pan_right"},
    {Command::original_view, "original_view"},
    {Command::tangential, "tangential"},
    {Command::pause, "pause"},
    {Command::quit, "quit"},
    {Command::next_view, "next_view"},
    {Command::readout, "readout"},
    {Command::curves, "curves"},
    {Command::magnetic, "magnetic"},
    {Command::poynting, "poynting"},
    {Command::medium1_next, "medium1_next"},
    {Command::medium1_previous, "medium1_previous"},
    {Command::medium2_next, "medium2_next"},
    {Command::medium2_previous, "medium2_previous"},
    {Command::frequency_up, "frequency_up"},
    {Command::frequency_down, "frequency_down"},
    {Command::frame_on, "frame_on"},
    {Command::frame_back, "frame_back"},
    {Command::save_scenario, "save_scenario"},
    {Command::save_picture, "save_picture"},
    {Command::record, "record"},
    {Command::lesson_next, "lesson_next"},
    {Command::lesson_previous, "lesson_previous"},
    {Command::magnify_medium2, "magnify_medium2"},
    {Command::fit_view, "fit_view"},
    {Command::legend, "legend"},
    {Command::field_map, "field_map"},
};

// The browser's names of the special keys and of the characters the toolkit gives as codes.
struct PageName {
    const char* name;
    SpecialKey special;
    unsigned char key;
};
constexpr PageName page_names[] = {
    {"ArrowUp", SpecialKey::up, 0},         {"ArrowDown", SpecialKey::down, 0},
    {"ArrowLeft", SpecialKey::left, 0},     {"ArrowRight", SpecialKey::right, 0},
    {"PageDown", SpecialKey::page_down, 0}, {"PageUp", SpecialKey::page_up, 0},
    {"Tab", SpecialKey::none, key_tab},
};

}  // namespace

const KeyRow key_rows[key_row_count] = {
    {translatable(
         "\nPlease use mouse & keyboard functions as follows: (switch to '3D TV' window) \n"),
     false,
     {none, none}},
    {translatable(" mouse left \t: rotate view\n"), false, {none, none}},
    {translatable(" mouse right\t: zoom in / out\n"), false, {none, none}},
    {translatable(" l          \t: linear examples\n"),
     false,
     {k(Command::linear_example, 'l'), none}},
    {translatable(" c          \t: circular examples\n"),
     false,
     {k(Command::circular_example, 'c'), none}},
    {translatable(" e          \t: elliptical examples\n"),
     false,
     {k(Command::elliptical_example, 'e'), none}},
    {translatable(" i          \t: increase incident angle theta_i\n"),
     false,
     {k(Command::angle_up, 'i'), none}},
    {translatable(" ALT + i    \t: decrease incident angle theta_i\n"),
     false,
     {k(Command::angle_down, 'i', true), none}},
    {translatable(" x          \t: increase magnitude | Ex | of Ex = | Ex | exp(j*phi_x)\n"),
     false,
     {k(Command::ex_up, 'x'), none}},
    {translatable(" ALT + x    \t: decrease magnitude | Ex | of Ex = | Ex | exp(j*phi_x)\n"),
     false,
     {k(Command::ex_down, 'x', true), none}},
    {translatable(" y          \t: increase magnitude | Ey | of Ey = | Ey | exp(j*phi_y)\n"),
     false,
     {k(Command::ey_up, 'y'), none}},
    {translatable(" ALT + y    \t: decrease magnitude | Ey | of Ey = | Ey | exp(j*phi_y)\n"),
     false,
     {k(Command::ey_down, 'y', true), none}},
    {translatable(" b          \t: increase phase angle phi_x of Ex = | Ex | exp(j*phi_x)\n"),
     false,
     {k(Command::phi_x_up, 'b'), none}},
    {translatable(" ALT + b    \t: decrease phase angle phy_x of Ex = | Ex | exp(j*phi_x)\n"),
     false,
     {k(Command::phi_x_down, 'b', true), none}},
    {translatable(" d          \t: increase phase angle phi_y of Ey = | Ey | exp(j*phi_y)\n"),
     false,
     {k(Command::phi_y_up, 'd'), none}},
    {translatable(" ALT + d    \t: decrease phase angle phi_y of Ey = | Ey | exp(j*phi_y)\n"),
     false,
     {k(Command::phi_y_down, 'd', true), none}},
    {translatable(" arrow up   \t: move view up\n"),
     false,
     {special(Command::pan_up, SpecialKey::up), none}},
    {translatable(" arrow down \t: move view down\n"),
     false,
     {special(Command::pan_down, SpecialKey::down), none}},
    {translatable(" arrow left \t: move view left\n"),
     false,
     {special(Command::pan_left, SpecialKey::left), none}},
    {translatable(" arrow right\t: move view right\n"),
     false,
     {special(Command::pan_right, SpecialKey::right), none}},
    {translatable(" tab        \t: revert to original view\n"),
     false,
     {k(Command::original_view, key_tab), none}},
    {translatable(" | or \\    \t: show / hide interface tangential fields\n"),
     false,
     {k(Command::tangential, '|'), k(Command::tangential, '\\')}},
    {translatable(" space bar  \t: pause / continue\n"), false, {k(Command::pause, ' '), none}},
    {translatable(" ESC        \t: quit\n"), false, {k(Command::quit, key_esc), none}},
    {translatable(" v          \t: next view: sbs, mono, anaglyph, cross\n"),
     true,
     {k(Command::next_view, 'v'), none}},
    {translatable(" h          \t: show / hide the readout of the numbers\n"),
     true,
     {k(Command::readout, 'h'), none}},
    {translatable(" g          \t: Fresnel curves: power, amplitude and phase, spectrum, none\n"),
     true,
     {k(Command::curves, 'g'), none}},
    {translatable(" m          \t: show / hide the magnetic field (eta1 H)\n"),
     true,
     {k(Command::magnetic, 'm'), none}},
    {translatable(" p          \t: show / hide the time-averaged Poynting vectors\n"),
     true,
     {k(Command::poynting, 'p'), none}},
    {translatable(" 1 / ALT + 1\t: next / previous material of medium 1 (the lossless ones)\n"),
     true,
     {k(Command::medium1_next, '1'), k(Command::medium1_previous, '1', true)}},
    {translatable(" 2 / ALT + 2\t: next / previous material of medium 2\n"),
     true,
     {k(Command::medium2_next, '2'), k(Command::medium2_previous, '2', true)}},
    {translatable(" f / ALT + f\t: next / previous frequency: 1, 2, 5, 10, 20 kHz ... 1 PHz\n"),
     true,
     {k(Command::frequency_up, 'f'), k(Command::frequency_down, 'f', true)}},
    {translatable(" . / ,      \t: one time step on / back while paused\n"),
     true,
     {k(Command::frame_on, '.'), k(Command::frame_back, ',')}},
    {translatable(" w          \t: save the scenario to planewave3d-saved.toml\n"),
     true,
     {k(Command::save_scenario, 'w'), none}},
    {translatable(" s          \t: save the picture as a PNG\n"),
     true,
     {k(Command::save_picture, 's'), none}},
    {translatable(" r          \t: record one wave period as an animated GIF\n"),
     true,
     {k(Command::record, 'r'), none}},
    {translatable(" Page Down  \t: next scenario of the lesson (or of the examples)\n"),
     true,
     {special(Command::lesson_next, SpecialKey::page_down), none}},
    {translatable(" Page Up    \t: previous scenario of the lesson\n"),
     true,
     {special(Command::lesson_previous, SpecialKey::page_up), none}},
    {translatable(" z          \t: magnify medium 2's arrows: x 10 a press to x 1000000, then x 1 "
                  "(tab: x 1)\n"),
     true,
     {k(Command::magnify_medium2, 'z'), none}},
    {translatable(" o          \t: fit the scene to the picture (tab: the original view)\n"),
     true,
     {k(Command::fit_view, 'o'), none}},
    {translatable(" k          \t: show / hide the legend of the colours\n"),
     true,
     {k(Command::legend, 'k'), none}},
    {translatable(" t          \t: the total field in the plane of incidence: E_y, eta1 H_y, mean "
                  "|E|^2, none\n"),
     true,
     {k(Command::field_map, 't'), none}},
};

namespace {

std::string lines(bool beyond) {
    std::string text;
    for (const KeyRow& row : key_rows) {
        if (row.beyond == beyond) text += tr(row.line);
    }
    return text;
}

// The binding of a character or a special key, with or without ALT.
Command find(unsigned char key, bool alt, SpecialKey special) {
    for (const KeyRow& row : key_rows) {
        for (const KeyBinding& b : row.keys) {
            if (b.command != Command::none && b.key == key && b.alt == alt && b.special == special)
                return b.command;
        }
    }
    return Command::none;
}

}  // namespace

std::string key_table_text() {
    return lines(false);
}
std::string more_keys_text() {
    return lines(true);
}

Command key_command(unsigned char key, bool alt) {
    if (key == 0) return Command::none;
    const Command with_alt = alt ? find(key, true, SpecialKey::none) : Command::none;
    return with_alt != Command::none ? with_alt : find(key, false, SpecialKey::none);
}

Command special_key_command(SpecialKey key) {
    return key == SpecialKey::none ? Command::none : find(0, false, key);
}

const char* command_name(Command command) {
    for (const Name& n : names) {
        if (n.command == command) return n.name;
    }
    return "none";
}

Command command_named(const std::string& name) {
    for (const Name& n : names) {
        if (name == n.name) return n.command;
    }
    return Command::none;
}

Command page_key_command(const std::string& key, bool alt) {
    for (const PageName& p : page_names) {
        if (key != p.name) continue;
        return p.key != 0 ? key_command(p.key, alt) : special_key_command(p.special);
    }
    // "Escape" is no character: on the page it leaves full screen, as it always does.
    if (key.size() != 1) return Command::none;
    return key_command(static_cast<unsigned char>(key[0]), alt);
}
