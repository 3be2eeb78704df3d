#include "engine/atomicfile.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvel {

namespace {

bool writeAll(int fd, std::string_view bytes) {
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t done = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        written += static_cast<std::size_t>(done);
    }
    return true;
}

AtomicWriteResult failure(const std::string& what, const std::string& file) {
    return {false, what + " " + file + ": " + std::strerror(errno)};
}

}  // namespace

AtomicWriteResult writeFileAtomically(const std::string& path, std::string_view bytes) {
    namespace fs = std::filesystem;
    std::error_code error;
    // /dev/stdout and its kin lead through /proc/<pid>/fd to whatever the
    // descriptor holds open: replacing that file would lose what was written
    // to the descriptor.
    fs::path step = path;
    for (int depth = 0; depth < 40; ++depth) {
        const std::string folder = fs::weakly_canonical(fs::absolute(step, error).parent_path(), error).string();
        if (folder.starts_with("/proc/"))
            return {false, "cannot write " + path + ": it names an open file descriptor, not a file"};
        if (!fs::is_symlink(step, error))
            break;
        const fs::path next = fs::read_symlink(step, error);
        step = next.is_absolute() ? next : fs::absolute(step, error).parent_path() / next;
    }
    std::string target = path;
    if (fs::is_symlink(path, error)) {
        const fs::path resolved = fs::weakly_canonical(path, error);
        if (error)
            return {false, "cannot follow the link " + path + ": " + error.message()};
        target = resolved.string();
    }

    struct stat existing {};
    const bool hadFile = ::stat(target.c_str(), &existing) == 0;
    // A rename would put a plain file in the place of a device, a pipe or a
    // directory: only regular files are replaced.
    if (hadFile && !S_ISREG(existing.st_mode))
        return {false, "cannot write " + path + ": it is not a regular file"};

    static std::atomic<unsigned> attemptCounter{0};
    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(attemptCounter++);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return failure("cannot create", path);
    }
    if (fd < 0)
        return failure("cannot create", path);

    AtomicWriteResult result;
    if (!writeAll(fd, bytes))
        result = failure("cannot write", path);
    else if (hadFile && ::fchmod(fd, existing.st_mode & 07777) != 0)
        result = failure("cannot set the permissions of", path);
    else if (::fsync(fd) != 0)
        result = failure("cannot write", path);
    if (::close(fd) != 0 && result.ok)
        result = failure("cannot write", path);
    if (result.ok && ::rename(temporary.c_str(), target.c_str()) != 0)
        result = failure("cannot replace", path);
    if (!result.ok) {
        ::unlink(temporary.c_str());
        return result;
    }

    // Make the rename itself durable; the new file is in place either way.
    const std::string directory = fs::path(target).parent_path().string();
    const int directoryFd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (directoryFd >= 0) {
        ::fsync(directoryFd);
        ::close(directoryFd);
    }
    return result;
}

}  // namespace torvel
