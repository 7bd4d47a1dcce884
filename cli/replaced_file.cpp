#include "replaced_file.h"

#include <cerrno>
#include <string>
#include <system_error>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void ThrowErrno(const std::filesystem::path& path) {
    throw std::system_error(errno, std::generic_category(), path.string());
}

} // namespace

ReplacedFile::ReplacedFile(std::filesystem::path target) : target_(std::move(target)) {
    // In the target's folder, so that the rename cannot cross file systems.
    const std::string pattern =
        (target_.parent_path() / ("." + target_.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    const int fd = ::mkstemp(name.data());
    if (fd < 0) {
        ThrowErrno(target_);
    }
    temporary_ = name.data();
    // mkstemp makes the file private; the output gets the mode of any new file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const bool madeReadable = ::fchmod(fd, 0666 & ~mask) == 0;
    ::close(fd);
    if (!madeReadable) {
        std::filesystem::remove(temporary_);
        ThrowErrno(target_);
    }
    stream_.open(temporary_, std::ios::binary | std::ios::trunc);
    if (!stream_) {
        std::filesystem::remove(temporary_);
        ThrowErrno(target_);
    }
}

ReplacedFile::~ReplacedFile() {
    if (!committed_) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

void ReplacedFile::Commit() {
    stream_.close();
    if (!stream_) {
        throw std::system_error(std::make_error_code(std::errc::io_error), target_.string());
    }
    std::filesystem::rename(temporary_, target_);
    committed_ = true;
}
