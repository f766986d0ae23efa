#include "GraphicalSession.h"

#include <cstdlib>

namespace {

bool IsSet(const char* value)
{
    return value != nullptr && *value != '\0';
}

}  // namespace

const char* const GraphicalSession::MissingMessage
    = "kelvara: needs a graphical session (DISPLAY or WAYLAND_DISPLAY is not set); "
      "on a machine without one, use the command line: kelvara-calc --help\n";

bool GraphicalSession::Available(const char* display, const char* waylandDisplay, const char* qpaPlatform)
{
    return IsSet(display) || IsSet(waylandDisplay) || IsSet(qpaPlatform);
}

bool GraphicalSession::AvailableInEnvironment()
{
    // Read once at start, before any thread exists.
    return Available(std::getenv("DISPLAY"), std::getenv("WAYLAND_DISPLAY"), std::getenv("QT_QPA_PLATFORM"));
}
