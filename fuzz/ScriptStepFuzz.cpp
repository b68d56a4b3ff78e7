// Feeds arbitrary text to the reader of `tamarind-sim script` steps, line by line as a script is
// run. Every line is a step, nothing to do (blank or a comment), or one line saying why not, and
// a step's numbers are finite and in the range its verb allows, since running it trusts them.

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "ScriptStep.h"

namespace {

void check(const std::string& line)
{
    std::string error;
    auto step = readScriptStep(line, error);
    if (!step) {
        if (error.find('\n') != std::string::npos)
            std::abort();
        return;
    }
    if (!error.empty() || step->verb.empty() || !std::isfinite(step->amount))
        std::abort();
    if (step->verb == "advance" && !(step->amount >= 0 && step->amount <= 86400))
        std::abort();
    if (step->verb == "scroll" && !(step->amount >= -10000 && step->amount <= 10000))
        std::abort();
    if (step->verb == "style" && step->argument != "light" && step->argument != "dark")
        std::abort();
}

}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream lines(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; std::getline(lines, line);)
        check(line);
    return 0;
}
