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

// Whether a file already at path may be replaced or appended to: "" when there is none, or a
// regular file this process can read; else why it must be left as it is ("it cannot be read:
// Permission denied", "it is not a regular file"). A link counts as not a regular file: the
// rename would put a file in its place.
std::string in_the_way(const std::string& path);

// Whether anything (a file, a folder, a dangling link) has the name path.
bool name_taken(const std::string& path);

// Closes the temporary file and renames it to the target: "" when done, else what went wrong
// (the temporary file removed). A regular file that is replaced keeps its permissions. With
// may_replace false an existing target is never replaced: the write fails instead.
std::string finish_file(PendingFile& file, bool may_replace = true);

// Closes and removes the temporary file; the target stays as it was.
void abandon_file(PendingFile& file);

// The whole content at once: "" when written, else what went wrong.
std::string write_file(const std::string& path, const std::string& content);

// Reads the whole file at path into content: "" when done, else the system's text for the
// call that failed ("No such file or directory", "Is a directory").
std::string read_whole_file(const std::string& path, std::string& content);

// The path made absolute against the current folder, for telling the user where a file went.
std::string absolute_path(const std::string& path);
