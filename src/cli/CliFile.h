#pragma once

#include <optional>
#include <string>

// Writes a whole file or nothing: the text goes to a temporary file beside
// it, which replaces the file only once every byte is on disk. The error in
// plain words, or nothing on success.
std::optional<std::string> WriteWholeFile(const std::string& path, const std::string& text);

// Whether a file can be created at path, tried without leaving anything
// behind; the error in plain words, or nothing.
std::optional<std::string> CheckWritable(const std::string& path);
