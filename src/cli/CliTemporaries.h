#pragma once

#include <string>

// The temporary files the program has open beside their targets. SIGINT and
// SIGTERM remove them before ending the program the way the signal would
// have, so that an interrupted export leaves nothing behind.
namespace CliTemporaries {

// Takes SIGINT and SIGTERM over; calling it again changes nothing.
void Install();
// Creates and opens a temporary file in the directory of target, kept for
// removal on a signal; its name in name. The descriptor, or -1 with errno.
// A file beyond the table's room (eight, each a full path) is still created,
// and a signal would leave it.
int Open(const std::string& target, std::string& name);
// Forgets path (renamed over its target or removed).
void Drop(const std::string& path);

}  // namespace CliTemporaries
