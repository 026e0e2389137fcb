#include "platform/atomic_file.h"

#include <fcntl.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

std::string failure(const std::string& path, int error_number) {
    return "cannot write '" + path + "': " + std::strerror(error_number);
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

bool replace(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

}  // namespace

bool begin_file(PendingFile& file, const std::string& path, std::string& error) {
    file = PendingFile{path, "", nullptr};
    const size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // A hidden name in the same folder, so that the rename never crosses file systems.
    for (int attempt = 0; attempt < 100; ++attempt) {
        file.temporary = folder + "." + name + "." + std::to_string(process_id()) + "-" +
                         std::to_string(attempt) + ".part";
        file.stream = create_new(file.temporary);
        if (file.stream != nullptr) return true;
        if (errno != EEXIST) break;
    }
    error = failure(path, errno);
    return false;
}

std::string finish_file(PendingFile& file) {
    const bool written = std::ferror(file.stream) == 0 && std::fflush(file.stream) == 0;
    const int error_number = errno;
    const bool closed = std::fclose(file.stream) == 0;
    file.stream = nullptr;
    if (!written || !closed) {
        const std::string message = failure(file.path, written ? errno : error_number);
        std::remove(file.temporary.c_str());
        return message;
    }
    if (!replace(file.temporary, file.path)) {
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
    std::fwrite(content.data(), 1, content.size(), file.stream);
    return finish_file(file);
}

std::string absolute_path(const std::string& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ignored);
    return absolute.empty() ? path : absolute.string();
}
