#pragma once

#include <string>
#include <vector>

// Runs this program again with the arguments given (the first is the program's name) and waits
// for it. A run that draws another Settings needs a process of its own: the library, once loaded,
// stays in the process that loaded it, and a process simulates one device. Returns false with
// one line in `error` naming `what` when the child cannot start or does not succeed.
bool runThisProgram(const std::vector<std::string>& args, const std::string& what, std::string& error);
