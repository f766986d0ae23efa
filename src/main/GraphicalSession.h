#pragma once

// Whether the desktop program can open a window. Without an X or Wayland
// display and with no platform chosen explicitly, the toolkit would abort
// with advice to reinstall; the program says what is missing instead.
namespace GraphicalSession {

// True when DISPLAY or WAYLAND_DISPLAY names a display, or QT_QPA_PLATFORM
// chooses a platform (offscreen, for one). Null or empty values are unset.
bool Available(const char* display, const char* waylandDisplay, const char* qpaPlatform);

// Available() over the process environment.
bool AvailableInEnvironment();

// The one line, with its line feed, written on standard error when no
// session is available.
extern const char* const MissingMessage;

}  // namespace GraphicalSession
