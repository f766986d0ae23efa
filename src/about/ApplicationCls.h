#pragma once

#include <string>

// Answers which version the program file carries. Stateless: the main window
// owns the one instance and the About box borrows it.
class TApplicationCls {
public:
    // The running program's file version as "a.b.c.d", read from the
    // program's own file at every call; empty when the file carries none.
    std::string GetFileVersion() const;

    // The same lookup on any file, so that it can be checked on files made
    // for the purpose.
    static std::string FileVersionOf(const std::string& path);
};
