// Files that are written whole or not at all: the content goes into a temporary file beside
// the target, which is renamed over the target only once it is complete. A failed write
// (no such folder, no permission, a full disk) leaves the target as it was and no temporary
// file behind.
#pragma once

#include <cstdio>
#include <string>

struct PendingFile {
    std::string path;       // the target
    std::string temporary;  // beside it, in the same folder
    std::FILE* stream = nullptr;
};

// Opens a temporary file for path; false, with one line in error, when it cannot be made.
bool begin_file(PendingFile& file, const std::string& path, std::string& error);

// Closes the temporary file and renames it over the target: "" when done, else what went
// wrong (the temporary file removed).
std::string finish_file(PendingFile& file);

// Closes and removes the temporary file; the target stays as it was.
void abandon_file(PendingFile& file);

// The whole content at once: "" when written, else what went wrong.
std::string write_file(const std::string& path, const std::string& content);

// The path made absolute against the current folder, for telling the user where a file went.
std::string absolute_path(const std::string& path);
