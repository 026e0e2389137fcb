// The console's texts: the introduction, the key table and the keys beyond it, in the order they
// are printed.
#pragma once

extern const char* const credit_line;
extern const char* const introduction_line;
extern const char* const mode_failure_message;
extern const char* const key_table[24];
// The keys beyond the table, listed after it when the program was started with options.
inline constexpr int more_key_count = 14;
extern const char* const more_keys[more_key_count];
