#include "ApplicationCls.h"
#include "FileVersionRecord.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

using TBytes = std::vector<unsigned char>;

struct TFakeSection {
    std::string Name;
    std::uint32_t Type;  // 1 = PROGBITS, 8 = NOBITS
    TBytes Data;
};

void put(TBytes& into, std::size_t at, std::uint64_t value, std::size_t width, bool bigEndian)
{
    if (into.size() < at + width) {
        into.resize(at + width);
    }
    for (std::size_t i = 0; i < width; ++i) {
        const auto byte = static_cast<unsigned char>(value >> (8 * i));
        into[bigEndian ? at + width - 1 - i : at + i] = byte;
    }
}

TBytes recordBytes(std::uint32_t signature, std::uint32_t ms, std::uint32_t ls, bool bigEndian)
{
    TBytes out;
    const std::uint32_t words[] = {signature, ms, ls, 0x00010001u, 0x00000000u};
    for (std::size_t i = 0; i < 5; ++i) {
        put(out, 4 * i, words[i], 4, bigEndian);
    }
    return out;
}

// A minimal relocatable ELF file: header, the sections' bytes, the section
// name table, then the section header table (entry 0 is the null section).
TBytes makeElf(bool is64, bool bigEndian, const std::vector<TFakeSection>& sections)
{
    const std::size_t headerSize = is64 ? 64 : 52;
    const std::size_t entrySize = is64 ? 64 : 40;
    const std::size_t addrWidth = is64 ? 8 : 4;
    TBytes file(headerSize, 0);
    file[0] = 0x7F;
    file[1] = 'E';
    file[2] = 'L';
    file[3] = 'F';
    file[4] = is64 ? 2 : 1;
    file[5] = bigEndian ? 2 : 1;
    file[6] = 1;

    struct TPlaced {
        std::uint32_t Name, Type;
        std::uint64_t Offset, Size;
    };
    std::vector<TPlaced> placed{{0, 0, 0, 0}};
    TBytes names(1, 0);
    auto addName = [&](const std::string& name) {
        const auto at = static_cast<std::uint32_t>(names.size());
        names.insert(names.end(), name.begin(), name.end());
        names.push_back(0);
        return at;
    };
    for (const TFakeSection& section : sections) {
        const std::uint32_t name = addName(section.Name);
        placed.push_back({name, section.Type, file.size(), section.Data.size()});
        if (section.Type != 8) {
            file.insert(file.end(), section.Data.begin(), section.Data.end());
        }
    }
    const std::uint32_t namesName = addName(".shstrtab");
    placed.push_back({namesName, 3, file.size(), names.size()});
    file.insert(file.end(), names.begin(), names.end());

    const std::uint64_t shOff = file.size();
    for (const TPlaced& s : placed) {
        const std::size_t at = file.size();
        file.resize(at + entrySize, 0);
        put(file, at, s.Name, 4, bigEndian);
        put(file, at + 4, s.Type, 4, bigEndian);
        put(file, at + (is64 ? 24 : 16), s.Offset, addrWidth, bigEndian);
        put(file, at + (is64 ? 32 : 20), s.Size, addrWidth, bigEndian);
    }
    put(file, is64 ? 0x28 : 0x20, shOff, addrWidth, bigEndian);
    put(file, is64 ? 0x3A : 0x2E, entrySize, 2, bigEndian);
    put(file, is64 ? 0x3C : 0x30, placed.size(), 2, bigEndian);
    put(file, is64 ? 0x3E : 0x32, placed.size() - 1, 2, bigEndian);
    return file;
}

// ctest runs each case in its own process, several at once: the process id
// keeps their files apart.
class TempFile {
public:
    explicit TempFile(const std::string& tag)
        : FPath(std::filesystem::temp_directory_path() / ("kelvara-version-" + tag + "-" + std::to_string(::getpid())))
    {
    }
    ~TempFile() { std::filesystem::remove(FPath); }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    std::string Write(const TBytes& bytes) const
    {
        std::ofstream out(FPath, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return FPath.string();
    }

private:
    std::filesystem::path FPath;
};

constexpr std::uint32_t Version2_10 = (2u << 16) | 10u;
constexpr std::uint32_t Version0_255 = (0u << 16) | 255u;

TFakeSection versionSection(bool bigEndian, std::uint32_t ms = Version2_10, std::uint32_t ls = Version0_255)
{
    return {FileVersionSectionName, 1, recordBytes(FileVersionSignature, ms, ls, bigEndian)};
}

struct TVersionCase {
    const char* Name;
    TBytes File;
    std::string Expected;
};

TBytes withShOffPastEnd()
{
    TBytes file = makeElf(true, false, {versionSection(false)});
    put(file, 0x28, file.size() + 16, 8, false);
    return file;
}

TBytes withRecordOffsetPastEnd()
{
    TBytes file = makeElf(true, false, {versionSection(false)});
    // Section 1 is the record; move its data offset beyond the file.
    const std::uint64_t shOff = file.size() - 3 * 64;
    put(file, shOff + 64 + 24, 0xFFFFFFFFFFFFFF00ull, 8, false);
    return file;
}

TBytes truncatedInsideSectionTable()
{
    TBytes file = makeElf(false, false, {versionSection(false)});
    file.resize(file.size() - 20);
    return file;
}

std::vector<TVersionCase> versionCases()
{
    const TBytes record = recordBytes(FileVersionSignature, Version2_10, Version0_255, false);
    TBytes noSignature = record;
    noSignature[0] ^= 0xFF;
    return {
        {"elf64 little-endian: plain decimal 2.10.0.255", makeElf(true, false, {versionSection(false)}), "2.10.0.255"},
        {"elf32 big-endian: same numbers", makeElf(false, true, {versionSection(true)}), "2.10.0.255"},
        {"record after other sections",
            makeElf(true, false,
                {{".text", 1, TBytes(100, 0x90)}, {".kelvara.versionx", 1, record}, versionSection(false)}),
            "2.10.0.255"},
        {"largest parts are unsigned 65535", makeElf(true, false, {versionSection(false, 0xFFFFFFFFu, 0xFFFFFFFFu)}),
            "65535.65535.65535.65535"},
        {"zero parts without leading zeros", makeElf(true, false, {versionSection(false, 0, 0)}), "0.0.0.0"},
        {"elf without the section", makeElf(true, false, {{".text", 1, TBytes(64, 0x90)}}), ""},
        {"section name only a prefix", makeElf(true, false, {{".kelvara.ver", 1, record}}), ""},
        {"section without the signature", makeElf(true, false, {{FileVersionSectionName, 1, noSignature}}), ""},
        {"section shorter than the record",
            makeElf(true, false, {{FileVersionSectionName, 1, TBytes(record.begin(), record.begin() + 12)}}), ""},
        {"section occupying no file space", makeElf(true, false, {{FileVersionSectionName, 8, record}}), ""},
        {"section table beyond the end of the file", withShOffPastEnd(), ""},
        {"record offset beyond the end of the file", withRecordOffsetPastEnd(), ""},
        {"file cut inside the section table", truncatedInsideSectionTable(), ""},
        {"text file", TBytes{'V', 'e', 'r', 's', 'i', 'o', 'n', ' ', '1', '\n'}, ""},
        {"empty file", TBytes{}, ""},
        {"elf identification only", TBytes{0x7F, 'E', 'L', 'F', 2, 1, 1, 0}, ""},
    };
}

void PrintTo(const TVersionCase& row, std::ostream* out)
{
    *out << row.Name;
}

class FileVersionOfFile : public ::testing::TestWithParam<TVersionCase> { };

TEST_P(FileVersionOfFile, readsTheRecordOrGivesEmptyText)
{
    const TempFile file("case");
    EXPECT_EQ(TApplicationCls::FileVersionOf(file.Write(GetParam().File)), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(Files, FileVersionOfFile, ::testing::ValuesIn(versionCases()),
    [](const ::testing::TestParamInfo<TVersionCase>& row) {
        std::string name;
        for (const char c : std::string(row.param.Name)) {
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name;
    });

TEST(FileVersionOf, missingFileGivesEmptyText)
{
    EXPECT_EQ(TApplicationCls::FileVersionOf("/nonexistent/kelvara/program"), "");
}

TEST(FileVersionOf, readsTheFileAnewAtEveryCall)
{
    const TempFile file("reread");
    const std::string path = file.Write(makeElf(true, false, {versionSection(false)}));
    EXPECT_EQ(TApplicationCls::FileVersionOf(path), "2.10.0.255");
    file.Write(makeElf(true, false, {versionSection(false, (3u << 16) | 1u, (4u << 16) | 5u)}));
    EXPECT_EQ(TApplicationCls::FileVersionOf(path), "3.1.4.5");
    file.Write(makeElf(true, false, {}));
    EXPECT_EQ(TApplicationCls::FileVersionOf(path), "");
}

// This test program embeds the record the build gives every executable of
// ours, from the project version.
TEST(GetFileVersion, runningProgramCarriesTheProjectVersion)
{
    const TApplicationCls info;
    EXPECT_EQ(info.GetFileVersion(), "1.1.1.0");
}

}  // namespace
