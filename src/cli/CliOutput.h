#pragma once

#include <iosfwd>
#include <string_view>

// Standard output as the program writes it: every write is checked, and
// once one has failed (a full disk, a closed descriptor) nothing more is
// written, so that callers can stop computing what nobody will read.
class TCliOutput {
public:
    explicit TCliOutput(std::ostream& stream) : FStream(stream) { }

    // False once this or an earlier write has failed.
    bool Write(std::string_view text);
    // Pushes buffered text out; false when it or any earlier write failed.
    bool Flush();
    bool Failed() const { return FFailed; }

    // The exit status and the one line on standard error of a lost output.
    static constexpr int ExitStatus = 4;
    static constexpr const char* FailureLine = "kelvara-calc: cannot write to standard output\n";

private:
    std::ostream& FStream;
    bool FFailed = false;
};
