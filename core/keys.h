// The key table: each command with its keys and its line of the table as the console prints
// it. The console's table, --help's keys, the desktop's callbacks and the page's keys all come
// from here.
#pragma once

#include <string>
#include <vector>

// What a key (or a control of the page) asks for.
enum class Command {
    none,
    linear_example,
    circular_example,
    elliptical_example,
    angle_up,
    angle_down,
    ex_up,
    ex_down,
    ey_up,
    ey_down,
    phi_x_up,
    phi_x_down,
    phi_y_up,
    phi_y_down,
    pan_up,
    pan_down,
    pan_left,
    pan_right,
    original_view,
    tangential,
    pause,
    quit,
    next_view,
    readout,
    curves,
    magnetic,
    poynting,
    medium1_next,
    medium1_previous,
    medium2_next,
    medium2_previous,
    frequency_up,
    frequency_down,
    frame_on,
    frame_back,
    save_scenario,
    save_picture,
    record,
    lesson_next,
    lesson_previous,
    magnify_medium2,
    fit_view,
    legend,
    field_map,
};

// The keys that are not characters, as the toolkit and the page know them.
enum class SpecialKey { none, up, down, left, right, page_down, page_up };

// One key that gives a command: a character (with ALT held alone, or not) or a special key.
struct KeyBinding {
    Command command;
    unsigned char key;  // 0 for a special key
    bool alt;
    SpecialKey special;
};

// A line of the key table, and the keys it describes (none for the heading and the mouse).
struct KeyRow {
    const char* line;
    bool beyond;  // listed after the table, among the keys beyond it
    KeyBinding keys[2];
};

// The table's 24 lines and the 17 beyond it.
inline constexpr size_t key_row_count = 42;
extern const KeyRow key_rows[key_row_count];

// The console's key table, and the keys beyond it, as printed.
std::string key_table_text();
std::string more_keys_text();

// The command of a character key: the binding with ALT where ALT is held and the key has one,
// else the key's plain binding; none for a key the table does not bind.
Command key_command(unsigned char key, bool alt);
Command special_key_command(SpecialKey key);

// A command's name, for the page ("readout", "save_picture"), and back (none when unknown).
const char* command_name(Command command);
Command command_named(const std::string& name);

// The page's key: a character, or a name the browser gives ("ArrowUp", "PageDown", "Tab").
Command page_key_command(const std::string& key, bool alt);
