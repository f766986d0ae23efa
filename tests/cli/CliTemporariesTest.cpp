#include "CliTemporaries.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Two temporary files in dir, then the signal.
void openTwoAndRaise(const fs::path& dir, int signal)
{
    CliTemporaries::Install();
    std::string first;
    std::string second;
    close(CliTemporaries::Open((dir / "curve.csv").string(), first));
    close(CliTemporaries::Open((dir / "profiles.csv").string(), second));
    if (fs::exists(first) && fs::exists(second))
        raise(signal);
    std::_Exit(0);
}

// A signal while result files are being written removes their temporary
// files and still ends the program by that signal.
TEST(CliTemporariesDeathTest, aSignalRemovesTheTemporaryFiles)
{
    const fs::path dir = fs::temp_directory_path() / ("kelvara-temporaries-" + std::to_string(getpid()));
    fs::create_directories(dir);
    for (const int signal : {SIGINT, SIGTERM}) {
        EXPECT_EXIT(openTwoAndRaise(dir, signal), testing::KilledBySignal(signal), "");
        EXPECT_TRUE(fs::is_empty(dir)) << fs::begin(fs::directory_iterator(dir))->path();
    }
    fs::remove_all(dir);
}

}  // namespace
