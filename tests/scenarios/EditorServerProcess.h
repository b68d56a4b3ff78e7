#pragma once

#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

namespace httplib {
class Client;
}

// `tamarind-sim serve --port 0` running in a child process for one test, stopped when the object
// goes; the port is read from the address the server prints.
class EditorServerProcess {
public:
    explicit EditorServerProcess(std::vector<std::string> extraArguments = {});
    ~EditorServerProcess();
    EditorServerProcess(const EditorServerProcess&) = delete;
    EditorServerProcess& operator=(const EditorServerProcess&) = delete;

    bool running() const { return m_port > 0; }
    int port() const { return m_port; }
    // What the server wrote before it printed its address (or instead of it).
    const std::string& startOutput() const { return m_output; }
    // A client of the server with generous timeouts for renders under a sanitizer.
    std::unique_ptr<httplib::Client> client() const;
    // Whether the process is still alive.
    bool alive() const;

private:
    pid_t m_pid { -1 };
    int m_port { 0 };
    std::string m_output;
};
