#include "CliFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string failure(const std::string& path, int error)
{
    return "cannot write \"" + path + "\": " + std::strerror(error);
}

// A temporary file in the directory of path, opened; its name in name.
int openTemporary(const std::string& path, std::string& name)
{
    std::vector<char> pattern(path.begin(), path.end());
    const std::string suffix = ".XXXXXX";
    pattern.insert(pattern.end(), suffix.begin(), suffix.end());
    pattern.push_back('\0');
    const int fd = mkstemp(pattern.data());
    if (fd >= 0)
        name = pattern.data();
    return fd;
}

}  // namespace

std::optional<std::string> CheckWritable(const std::string& path)
{
    std::string name;
    const int fd = openTemporary(path, name);
    if (fd < 0)
        return failure(path, errno);
    close(fd);
    std::remove(name.c_str());
    return std::nullopt;
}

std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text)
{
    std::string name;
    const int fd = openTemporary(path, name);
    if (fd < 0)
        return failure(path, errno);
    int error = 0;
    for (std::size_t written = 0; written < text.size() && error == 0;) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n > 0)
            written += static_cast<std::size_t>(n);
        else if (n == 0 || errno != EINTR)
            error = n == 0 ? EIO : errno;
    }
    // mkstemp creates the file for its owner alone; a result file is as
    // readable as any other the user creates.
    const mode_t mask = umask(0);
    umask(mask);
    if (error == 0 && fchmod(fd, 0666 & ~mask) != 0)
        error = errno;
    if (error == 0 && fsync(fd) != 0)
        error = errno;
    if (close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && std::rename(name.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0) {
        std::remove(name.c_str());
        return failure(path, error);
    }
    return std::nullopt;
}
