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

// Why the file that path leads to cannot take a result: a directory, a FIFO
// (the write would block on a reader, and renaming over it would remove it),
// a device or a socket; nothing for a regular file or none yet.
std::optional<std::string> refusedKind(const std::string& path, const std::string& target)
{
    struct stat status { };
    if (stat(target.c_str(), &status) != 0)
        return errno == ENOENT ? std::nullopt : std::optional(failure(path, errno));
    const char* kind = nullptr;
    if (S_ISDIR(status.st_mode))
        kind = "it is a directory";
    else if (S_ISFIFO(status.st_mode))
        kind = "it is a FIFO";
    else if (S_ISCHR(status.st_mode) || S_ISBLK(status.st_mode))
        kind = "it is a device";
    else if (!S_ISREG(status.st_mode))
        kind = "it is not a regular file";
    if (kind == nullptr)
        return std::nullopt;
    return "cannot write \"" + path + "\": " + kind;
}

}  // namespace

std::string ResolvedTarget(const std::string& path)
{
    // Each link followed by hand, so that a link to a file not yet there
    // still leads to it; a loop ends at the system's own bound.
    std::filesystem::path target = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(target, error)))
            break;
        const std::filesystem::path next = std::filesystem::read_symlink(target, error);
        if (error)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target.string();
}

std::optional<std::string> CheckWritable(const std::string& path)
{
    const std::string target = ResolvedTarget(path);
    if (auto refusal = refusedKind(path, target))
        return refusal;
    std::string name;
    const int fd = CliTemporaries::Open(target, name);
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
    // A link is written through: the file it leads to is replaced, the link
    // stays.
    std::vector<std::string> targets;
    for (const TOutputFile& file : files) {
        targets.push_back(ResolvedTarget(file.Path));
        if (auto refusal = refusedKind(file.Path, targets.back()))
            return refusal;
    }
    CliTemporaries::Install();
    std::vector<std::string> temporaries;
    for (std::size_t n = 0; n < files.size(); ++n) {
        const TOutputFile& file = files[n];
        std::string name;
        if (const int error = writeTemporary(targets[n], file.Text, name)) {
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
        if (!problem && std::rename(temporaries[n].c_str(), targets[n].c_str()) != 0)
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
