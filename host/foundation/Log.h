#pragma once

#include <string>
#include <vector>

// The system log (NSLog). Lines go to standard error unless a capture is active, in which case
// they are kept for the test or command that asked.
void hostLog(const std::string& line);

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    // Every line logged since the outermost capture began.
    std::vector<std::string> lines() const;
};
