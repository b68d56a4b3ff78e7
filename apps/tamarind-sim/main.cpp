#include <cstdio>

#include "CommandLine.h"
#include "Commands.h"
#include "DeviceSession.h"
#include "SimSupport.h"
#include "host/foundation/Log.h"

// pango's fontconfig keeps its caches for the life of the process.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

// A run that used the suppression would otherwise end its standard error with a table of it,
// after the one line a failing command promises.
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}

int main(int argc, char** argv)
{
    std::string error;
    auto line = parseCommandLine(argc, argv, error);
    if (!line)
        return fail(error);
    if (line->help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    const Command* command = findCommand(line->command);
    if (!command)
        return fail("unknown command \"" + line->command + "\" (try --help)");
    if (command->session == Command::Session::None)
        return command->run(*line, 0);
    // The device's system log is the phone's, not the simulator's: it is kept for the dumps
    // ("log") and standard error stays for the simulator's own warnings and errors.
    LogCapture deviceLog;
    DeviceSession session;
    if (!session.start(*line, error))
        return fail(error);
    return command->run(*line, session.interfaceStyle());
}
