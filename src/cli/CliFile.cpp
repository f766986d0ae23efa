#include "CliFile.h"

#include "CliTemporaries.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string failure(const std::string& path, int error)
{
    return "cannot write \"" + path + "\": " + std::strerror(error);
}

void discard(const std::string& name)
{
    std::remove(name.c_str());
    CliTemporaries::Drop(name);
}

// The whole text into a new temporary file beside path, on disk; its name in
// name. The errno of a failure (nothing left behind then), or 0.
int writeTemporary(const std::string& path, const std::string& text, std::string& name)
{
    const int fd = CliTemporaries::Open(path, name);
    if (fd < 0)
        return errno;
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
    if (error != 0)
        discard(name);
    return error;
}

}  // namespace

std::optional<std::string> CheckWritable(const std::string& path)
{
    std::string name;
    const int fd = CliTemporaries::Open(path, name);
    if (fd < 0)
        return failure(path, errno);
    close(fd);
    discard(name);
    return std::nullopt;
}

std::optional<std::string> WriteWholeFiles(const std::vector<TOutputFile>& files)
{
    if (files.empty())
        return std::nullopt;
    CliTemporaries::Install();
    std::vector<std::string> temporaries;
    for (const TOutputFile& file : files) {
        std::string name;
        if (const int error = writeTemporary(file.Path, file.Text, name)) {
            for (const std::string& written : temporaries)
                discard(written);
            return failure(file.Path, error);
        }
        temporaries.push_back(name);
    }
    // Every file is whole; renames within a directory do not run out of
    // space, so they all go through but for a target turned unwritable in
    // between.
    std::optional<std::string> problem;
    for (std::size_t n = 0; n < files.size(); ++n) {
        if (!problem && std::rename(temporaries[n].c_str(), files[n].Path.c_str()) != 0)
            problem = failure(files[n].Path, errno);
        if (problem)
            std::remove(temporaries[n].c_str());
        CliTemporaries::Drop(temporaries[n]);
    }
    return problem;
}

bool SameFile(const std::string& first, const std::string& second)
{
    struct stat a {
    }, b{};
    if (stat(first.c_str(), &a) == 0 && stat(second.c_str(), &b) == 0)
        return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
    std::error_code error;
    const auto resolved = [&error](const std::string& path) {
        return std::filesystem::weakly_canonical(std::filesystem::absolute(path, error), error);
    };
    const auto one = resolved(first), other = resolved(second);
    return !error && one == other;
}
