#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The fixed file-information record that the build places in a section of
// its own in the executable (Linux has no version resources): a signature
// word, then the file version and the product version, each as two 32-bit
// values, most significant first. Every value is stored in the byte order of
// the executable.
struct TFileVersionRecord {
    std::uint32_t Signature;
    std::uint32_t FileVersionMS;
    std::uint32_t FileVersionLS;
    std::uint32_t ProductVersionMS;
    std::uint32_t ProductVersionLS;
};

// The signature word of the platform's fixed file-information block.
inline constexpr std::uint32_t FileVersionSignature = 0xFEEF04BDu;
inline constexpr const char* FileVersionSectionName = ".kelvara.version";

// Looks the record up through the ELF section table of the file at path.
// Anything else (no such file, not ELF, no such section, a section too short
// or without the signature, offsets outside the file) yields no record.
std::optional<TFileVersionRecord> ReadFileVersionRecord(const std::string& path);

// "a.b.c.d": the upper and lower 16 bits of ms, then those of ls, in decimal.
std::string FormatFileVersion(std::uint32_t ms, std::uint32_t ls);
