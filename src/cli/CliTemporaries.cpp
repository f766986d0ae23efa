#include "CliTemporaries.h"

#include <array>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <pthread.h>
#include <unistd.h>
#include <vector>

namespace {

// Fixed storage: the handler may not allocate, lock or read a std::string.
constexpr std::size_t Slots = 8;
std::array<std::array<char, PATH_MAX>, Slots> GPaths{};
std::array<volatile sig_atomic_t, Slots> GUsed{};

void removeAndRaise(int signal)
{
    for (std::size_t n = 0; n < Slots; ++n)
        if (GUsed[n] != 0)
            unlink(GPaths[n].data());
    std::signal(signal, SIG_DFL);
    raise(signal);
}

// Holds SIGINT and SIGTERM back while the table changes, so that the handler
// never sees a half-copied path.
class TSignalsHeld {
public:
    TSignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        sigaddset(&held, SIGINT);
        sigaddset(&held, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &held, &FBefore);
    }
    ~TSignalsHeld() { pthread_sigmask(SIG_SETMASK, &FBefore, nullptr); }
    TSignalsHeld(const TSignalsHeld&) = delete;
    TSignalsHeld& operator=(const TSignalsHeld&) = delete;

private:
    sigset_t FBefore{};
};

}  // namespace

namespace CliTemporaries {

void Install()
{
    struct sigaction action { };
    action.sa_handler = removeAndRaise;
    sigemptyset(&action.sa_mask);
    sigaddset(&action.sa_mask, SIGINT);
    sigaddset(&action.sa_mask, SIGTERM);
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction before { };
        // A signal ignored by whoever started the program stays ignored.
        if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            sigaction(signal, &action, nullptr);
    }
}

int Open(const std::string& target, std::string& name)
{
    std::vector<char> pattern(target.begin(), target.end());
    const std::string suffix = ".XXXXXX";
    pattern.insert(pattern.end(), suffix.begin(), suffix.end());
    pattern.push_back('\0');
    // Created and listed with the signals held: no moment where the file
    // exists unlisted.
    const TSignalsHeld held;
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return fd;
    name = pattern.data();
    if (name.size() < PATH_MAX)
        for (std::size_t n = 0; n < Slots; ++n)
            if (GUsed[n] == 0) {
                std::memcpy(GPaths[n].data(), name.c_str(), name.size() + 1);
                GUsed[n] = 1;
                break;
            }
    return fd;
}

void Drop(const std::string& path)
{
    const TSignalsHeld held;
    for (std::size_t n = 0; n < Slots; ++n)
        if (GUsed[n] != 0 && path == GPaths[n].data())
            GUsed[n] = 0;
}

}  // namespace CliTemporaries
