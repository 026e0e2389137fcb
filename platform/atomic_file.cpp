#include "platform/atomic_file.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "scene/translate.h"

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

std::string failure(const std::string& path, int error_number) {
    return fill(tr("cannot write '%s': %s"), {path, std::strerror(error_number)});
}

int process_id() {
#ifdef _WIN32
    return _getpid();
#else
    return static_cast<int>(getpid());
#endif
}

// Creates a file that did not exist, for writing only.
std::FILE* create_new(const std::string& path) {
#ifdef _WIN32
    const int fd = _open(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, 0644);
    return fd < 0 ? nullptr : _fdopen(fd, "wb");
#else
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    return fd < 0 ? nullptr : fdopen(fd, "wb");
#endif
}

// Renames from to to; with may_replace false, fails (EEXIST) rather than replace anything.
bool place(const std::string& from, const std::string& to, bool may_replace) {
#ifdef _WIN32
    if (MoveFileExA(from.c_str(), to.c_str(), may_replace ? MOVEFILE_REPLACE_EXISTING : 0)) {
        return true;
    }
    errno = GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS ? EEXIST
                                                                                          : EACCES;
    return false;
#else
    if (may_replace) return std::rename(from.c_str(), to.c_str()) == 0;
#ifdef __linux__
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    // A second name that cannot replace anything, then the temporary one dropped.
    if (link(from.c_str(), to.c_str()) != 0) return false;
    unlink(from.c_str());
    return true;
#endif
}

std::string why_unwritten(const std::string& path, int error_number) {
    if (error_number == 0) return fill(tr("cannot write '%s': a write to it failed"), {path});
    return failure(path, error_number);
}

}  // namespace

bool begin_file(PendingFile& file, const std::string& path, std::string& error) {
    file = PendingFile{path, "", nullptr};
    const size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // A hidden name in the same folder, so that the rename never crosses file systems.
    int error_number = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.temporary = folder + "." + name + "." + std::to_string(process_id()) + "-" +
                         std::to_string(attempt) + ".part";
        file.stream = create_new(file.temporary);
        if (file.stream != nullptr) return true;
        error_number = errno;
        if (error_number != EEXIST) break;
    }
    file.temporary.clear();  // none was made: nothing to remove
    error = failure(path, error_number);
    return false;
}

std::string in_the_way(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::symlink_status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return "";
    if (status.type() != std::filesystem::file_type::regular) return tr("it is not a regular file");
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) return fill(tr("it cannot be read: %s"), {std::strerror(errno)});
    std::fclose(stream);
    return "";
}

bool name_taken(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

std::string finish_file(PendingFile& file, bool may_replace) {
    // Each system error text comes from the call that failed; an earlier failed write whose
    // cause is gone gets none.
    errno = 0;
    const bool flushed = std::fflush(file.stream) == 0;
    int error_number = flushed ? 0 : errno;
    const bool clean = std::ferror(file.stream) == 0;
    errno = 0;
    const bool closed = std::fclose(file.stream) == 0;
    if (!closed && error_number == 0) error_number = errno;
    file.stream = nullptr;
    if (!flushed || !clean || !closed) {
        std::remove(file.temporary.c_str());
        return why_unwritten(file.path, error_number);
    }
    std::error_code ignored;
    const std::filesystem::file_status target = std::filesystem::symlink_status(file.path, ignored);
    if (may_replace && target.type() == std::filesystem::file_type::regular) {
        std::filesystem::permissions(file.temporary, target.permissions(), ignored);
    }
    if (!place(file.temporary, file.path, may_replace)) {
        const std::string message = failure(file.path, errno);
        std::remove(file.temporary.c_str());
        return message;
    }
    return "";
}

void abandon_file(PendingFile& file) {
    if (file.stream != nullptr) std::fclose(file.stream);
    file.stream = nullptr;
    if (!file.temporary.empty()) std::remove(file.temporary.c_str());
}

std::string write_file(const std::string& path, const std::string& content) {
    PendingFile file;
    std::string error;
    if (!begin_file(file, path, error)) return error;
    if (std::fwrite(content.data(), 1, content.size(), file.stream) != content.size()) {
        const int error_number = errno;
        abandon_file(file);
        return why_unwritten(path, error_number);
    }
    return finish_file(file);
}

std::string read_whole_file(const std::string& path, std::string& content) {
    content.clear();
    std::FILE* stream = std::fopen(path.c_str(), "rb");
    if (stream == nullptr) return std::strerror(errno);
    char buffer[1 << 16];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, stream)) > 0) content.append(buffer, got);
    // Saved before fclose, which may set errno itself.
    const int error_number = std::ferror(stream) ? errno : 0;
    std::fclose(stream);
    if (error_number != 0) return std::strerror(error_number);
    return "";
}

std::string absolute_path(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.string();
}
