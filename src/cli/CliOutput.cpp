#include "CliOutput.h"

#include <ostream>

bool TCliOutput::Write(std::string_view text)
{
    if (FFailed)
        return false;
    FStream.write(text.data(), static_cast<std::streamsize>(text.size()));
    FFailed = !FStream;
    return !FFailed;
}

bool TCliOutput::Flush()
{
    if (FFailed)
        return false;
    FStream.flush();
    FFailed = !FStream;
    return !FFailed;
}
