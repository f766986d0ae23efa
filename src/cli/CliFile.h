#pragma once

#include <optional>
#include <string>
#include <vector>

// One file the program writes, and its whole text.
struct TOutputFile {
    std::string Path;
    std::string Text;
};

// Writes every file or none: each text goes to a temporary file beside its
// target, and only once all of them are on disk do they replace their
// targets; a link keeps leading to the new file. A target that is not a
// regular file is refused first. On a failure every temporary file is
// removed and no target is touched. The error in plain words, or nothing on success.
std::optional<std::string> WriteWholeFiles(const std::vector<TOutputFile>& files);

// Whether a result can be written at path, tried without leaving anything
// behind: a directory, a FIFO, a device or a socket is refused, a link is
// taken for the file it leads to. The error in plain words, or nothing.
std::optional<std::string> CheckWritable(const std::string& path);

// The path a result written at path goes to: path itself, or the file at
// the end of its links.
std::string ResolvedTarget(const std::string& path);

// Whether two paths name one file: the same spelling once made absolute and
// resolved through links, or one existing file reached both ways.
bool SameFile(const std::string& first, const std::string& second);
