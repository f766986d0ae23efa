// The command line inside the page: the page passes the options of a link
// and reads back what kelvara-calc would print, so that both give the same
// answer to the byte.

#include "CliMain.h"

#include <emscripten/bind.h>
#include <sys/stat.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct TWebRun {
    int Status = 0;
    std::string Out;
    std::string Err;
};

TWebRun runCli(const std::vector<std::string>& args, const std::string& input)
{
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    const int status = RunCli(args, in, out, err, LocalNow);
    return {status, out.str(), err.str()};
}

// A file the page opened, or a curve to write, in the page's memory.
bool writeFile(const std::string& path, const std::string& content)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << content;
    return static_cast<bool>(file.flush());
}

std::string readFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

}  // namespace

EMSCRIPTEN_BINDINGS(kelvara)
{
    // The page's process starts with a mask that leaves the files it writes
    // unreadable; the usual one of a shell instead.
    umask(022);
    emscripten::register_vector<std::string>("StringList");
    emscripten::value_object<TWebRun>("Run")
        .field("status", &TWebRun::Status)
        .field("out", &TWebRun::Out)
        .field("err", &TWebRun::Err);
    emscripten::function("run", &runCli);
    emscripten::function("writeFile", &writeFile);
    emscripten::function("readFile", &readFile);
}
