#pragma once

#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "DeviceCatalog.h"
#include "RenderService.h"

class EditorHttpServer;

struct EditorServerSettings {
    int port { 8421 }; // 0: any free port
    RenderServiceSettings render;
    // Bodies beyond this size are refused before they are read whole.
    std::size_t maximumBodyBytes { std::size_t(24) << 20 };
    double requestsPerSecond { 200 };
    double requestBurst { 400 };
};

// The editor's HTTP server on 127.0.0.1: the page, the option catalog, the devices and pages,
// renders, and the import and export of preferences files. Every route answers JSON (or the
// file asked for); every refusal is a 4xx with {"error": ...}, and the server stays up.
class EditorServer {
public:
    EditorServer(EditorServerSettings, nlohmann::json optionCatalog, DeviceCatalog&);
    ~EditorServer();

    // Binds the port; false with one line in `error` when it cannot (a port in use is named).
    bool bind(std::string& error);
    int port() const { return m_port; }
    // Serves until stop() is called from another thread.
    void serve();
    void stop();

private:
    void addRoutes();

    EditorServerSettings m_settings;
    nlohmann::json m_catalog;
    DeviceCatalog& m_devices;
    RenderService m_renders;
    std::unique_ptr<EditorHttpServer> m_server;
    int m_port { 0 };
};
