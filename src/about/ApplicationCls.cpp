#include "ApplicationCls.h"

#include "FileVersionRecord.h"

namespace {

// The kernel's name for the file the running process was started from; it
// still leads to that file when the file has been renamed since.
constexpr const char* RunningProgramPath = "/proc/self/exe";

}  // namespace

std::string TApplicationCls::GetFileVersion() const
{
    return FileVersionOf(RunningProgramPath);
}

std::string TApplicationCls::FileVersionOf(const std::string& path)
{
    const auto record = ReadFileVersionRecord(path);
    return record ? FormatFileVersion(record->FileVersionMS, record->FileVersionLS) : std::string();
}
