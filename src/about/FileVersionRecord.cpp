#include "FileVersionRecord.h"

#include <array>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr std::array<unsigned char, 4> ElfMagic{0x7F, 'E', 'L', 'F'};
constexpr unsigned char ElfClass32 = 1;
constexpr unsigned char ElfClass64 = 2;
constexpr unsigned char ElfDataLittle = 1;
constexpr unsigned char ElfDataBig = 2;
constexpr std::uint32_t SectionNoBits = 8;  // SHT_NOBITS: occupies no file space
constexpr std::size_t IdentSize = 16;
constexpr std::size_t RecordSize = std::size_t{5} * 4;

// Where the fields we need sit in the ELF file header and a section header,
// for the 32-bit and the 64-bit layout.
struct TElfLayout {
    std::size_t HeaderSize;
    std::size_t ShOffAt, ShOffWidth, ShEntSizeAt, ShNumAt, ShStrNdxAt;
    std::size_t SectionSize;
    std::size_t NameAt, TypeAt, OffsetAt, SizeAt, AddrWidth;
};

constexpr TElfLayout Elf32Layout{52, 0x20, 4, 0x2E, 0x30, 0x32, 40, 0, 4, 16, 20, 4};
constexpr TElfLayout Elf64Layout{64, 0x28, 8, 0x3A, 0x3C, 0x3E, 64, 0, 4, 24, 32, 8};

// Bounded reads from the file: every offset comes from the file itself, so
// nothing is trusted before it has been checked against the file's size.
class TFileBytes {
public:
    explicit TFileBytes(const std::string& path) : FStream(path, std::ios::binary)
    {
        if (FStream) {
            FStream.seekg(0, std::ios::end);
            const auto end = FStream.tellg();
            FSize = end < 0 ? 0 : static_cast<std::uint64_t>(end);
        }
    }

    bool Read(std::uint64_t offset, std::size_t count, unsigned char* into)
    {
        if (!FStream || offset > FSize || count > FSize - offset) {
            return false;
        }
        FStream.seekg(static_cast<std::streamoff>(offset));
        FStream.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(count));
        return static_cast<std::size_t>(FStream.gcount()) == count;
    }

private:
    std::ifstream FStream;
    std::uint64_t FSize = 0;
};

std::uint64_t decode(const unsigned char* bytes, std::size_t width, bool bigEndian)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t at = bigEndian ? i : width - 1 - i;
        value = (value << 8) | bytes[at];
    }
    return value;
}

struct TSection {
    std::uint32_t Name;
    std::uint32_t Type;
    std::uint64_t Offset;
    std::uint64_t Size;
};

}  // namespace

std::optional<TFileVersionRecord> ReadFileVersionRecord(const std::string& path)
{
    TFileBytes file(path);
    std::array<unsigned char, IdentSize> ident{};
    if (!file.Read(0, ident.size(), ident.data()) || std::memcmp(ident.data(), ElfMagic.data(), ElfMagic.size()) != 0) {
        return std::nullopt;
    }
    const unsigned char elfClass = ident[4];
    const unsigned char elfData = ident[5];
    if ((elfClass != ElfClass32 && elfClass != ElfClass64) || (elfData != ElfDataLittle && elfData != ElfDataBig)) {
        return std::nullopt;
    }
    const TElfLayout& layout = elfClass == ElfClass64 ? Elf64Layout : Elf32Layout;
    const bool bigEndian = elfData == ElfDataBig;

    std::array<unsigned char, 64> header{};
    if (!file.Read(0, layout.HeaderSize, header.data())) {
        return std::nullopt;
    }
    const std::uint64_t shOff = decode(&header[layout.ShOffAt], layout.ShOffWidth, bigEndian);
    const auto shEntSize = static_cast<std::size_t>(decode(&header[layout.ShEntSizeAt], 2, bigEndian));
    const auto shNum = static_cast<std::size_t>(decode(&header[layout.ShNumAt], 2, bigEndian));
    const auto shStrNdx = static_cast<std::size_t>(decode(&header[layout.ShStrNdxAt], 2, bigEndian));
    // A section count of 0 with a table (more than 65279 sections) and an
    // out-of-range name table index are not produced by our builds: no record.
    if (shOff == 0 || shNum == 0 || shEntSize < layout.SectionSize || shStrNdx >= shNum) {
        return std::nullopt;
    }

    std::vector<unsigned char> entry(layout.SectionSize);
    auto readSection = [&](std::size_t index, TSection& section) {
        if (!file.Read(shOff + static_cast<std::uint64_t>(index) * shEntSize, entry.size(), entry.data())) {
            return false;
        }
        section.Name = static_cast<std::uint32_t>(decode(&entry[layout.NameAt], 4, bigEndian));
        section.Type = static_cast<std::uint32_t>(decode(&entry[layout.TypeAt], 4, bigEndian));
        section.Offset = decode(&entry[layout.OffsetAt], layout.AddrWidth, bigEndian);
        section.Size = decode(&entry[layout.SizeAt], layout.AddrWidth, bigEndian);
        return true;
    };

    TSection names{};
    if (!readSection(shStrNdx, names) || names.Type == SectionNoBits) {
        return std::nullopt;
    }
    const std::string wanted = FileVersionSectionName;
    std::vector<unsigned char> nameBytes(wanted.size() + 1);

    for (std::size_t index = 0; index < shNum; ++index) {
        TSection section{};
        if (!readSection(index, section)) {
            return std::nullopt;
        }
        // The name must be the wanted text followed by its terminating zero,
        // all inside the name table.
        if (section.Type == SectionNoBits || section.Size < RecordSize || section.Name >= names.Size
            || nameBytes.size() > names.Size - section.Name
            || !file.Read(names.Offset + section.Name, nameBytes.size(), nameBytes.data())
            || std::memcmp(nameBytes.data(), wanted.c_str(), nameBytes.size()) != 0) {
            continue;
        }
        std::array<unsigned char, RecordSize> raw{};
        if (!file.Read(section.Offset, raw.size(), raw.data())) {
            return std::nullopt;
        }
        auto word = [&](std::size_t i) { return static_cast<std::uint32_t>(decode(&raw[4 * i], 4, bigEndian)); };
        const TFileVersionRecord record{word(0), word(1), word(2), word(3), word(4)};
        if (record.Signature != FileVersionSignature) {
            return std::nullopt;
        }
        return record;
    }
    return std::nullopt;
}

std::string FormatFileVersion(std::uint32_t ms, std::uint32_t ls)
{
    return std::to_string(ms >> 16) + '.' + std::to_string(ms & 0xFFFFu) + '.' + std::to_string(ls >> 16) + '.'
        + std::to_string(ls & 0xFFFFu);
}
