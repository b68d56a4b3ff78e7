#include "EditorServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

#include "EditorAssets.h"
#include "LookPreferences.h"
#include "Navigator.h"
#include "RequestGuard.h"
#include "SimSupport.h"
#include "tamarind/core/PreferencesDomain.h"

using nlohmann::json;

// The library listens with a backlog of five connections; a page opening while renders run, or
// eight clients at once, overflow it, and the kernel then drops connections it half accepted.
// Listening again on the bound socket widens the backlog.
class EditorHttpServer : public httplib::Server {
public:
    void widenBacklog() { ::listen(svr_sock_, kBacklog); }

private:
    static constexpr int kBacklog = 128;
};

namespace {


void answerError(httplib::Response& response, int status, const std::string& message, const std::string& key = {})
{
    json body { { "error", message } };
    if (!key.empty())
        body["key"] = key;
    response.status = status;
    response.set_content(body.dump(), "application/json");
}

void answerJson(httplib::Response& response, const json& body)
{
    response.set_content(body.dump(), "application/json");
}

// A JSON object body, or an answer saying why there is none. Requiring the JSON content type
// also keeps plain forms of other sites from posting here, since a browser sends JSON across
// sites only with the server's leave.
std::optional<json> jsonBody(const httplib::Request& request, httplib::Response& response)
{
    if (request.get_header_value("Content-Type").rfind("application/json", 0) != 0) {
        answerError(response, 415, "the body must be JSON (Content-Type: application/json)");
        return std::nullopt;
    }
    auto body = json::parse(request.body, nullptr, false);
    if (!body.is_object()) {
        answerError(response, 400, "the body is not a JSON object");
        return std::nullopt;
    }
    return body;
}

// The port, when something else holds it, is named in the error: httplib only says it failed.
std::string whyPortIsTaken(int port)
{
    int probe = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (probe < 0)
        return std::strerror(errno);
    sockaddr_in address {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int failed = ::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) < 0 ? errno : 0;
    close(probe);
    if (failed == EADDRINUSE)
        return "port " + std::to_string(port) + " is in use (choose another with --port N)";
    return failed ? std::string(std::strerror(failed)) : "the server could not listen";
}

bool readString(const json& body, const char* name, std::string& out)
{
    if (!body.contains(name))
        return true;
    if (!body[name].is_string())
        return false;
    out = body[name].get<std::string>();
    return true;
}

bool readBool(const json& body, const char* name, bool& out)
{
    if (!body.contains(name))
        return true;
    if (!body[name].is_boolean())
        return false;
    out = body[name].get<bool>();
    return true;
}

bool readTaps(const json& body, std::vector<std::string>& taps)
{
    if (!body.contains("taps"))
        return true;
    if (!body["taps"].is_array() || body["taps"].size() > kMaximumTaps)
        return false;
    for (auto& tap : body["taps"]) {
        if (!tap.is_string() || tap.get<std::string>().empty())
            return false;
        taps.push_back(tap.get<std::string>());
    }
    return true;
}

}

EditorServer::EditorServer(EditorServerSettings settings, json optionCatalog, DeviceCatalog& devices)
    : m_settings(std::move(settings))
    , m_catalog(std::move(optionCatalog))
    , m_devices(devices)
    , m_renders(m_settings.render)
    , m_server(std::make_unique<EditorHttpServer>())
{
    addRoutes();
}

EditorServer::~EditorServer() = default;

bool EditorServer::bind(std::string& error)
{
    m_server->set_payload_max_length(m_settings.maximumBodyBytes);
    m_server->set_read_timeout(10);
    m_server->set_write_timeout(30);
    m_server->set_keep_alive_max_count(100);
    // Only SO_REUSEADDR: the library's default adds SO_REUSEPORT, with which a second server
    // would share the port of the first instead of being told that it is in use.
    m_server->set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    // Renders wait their turn in the render service, each holding a thread; the pool has room
    // for all of them and for the quick requests beside them.
    unsigned threads = m_settings.render.concurrent + m_settings.render.maximumWaiting + 8;
    m_server->new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    if (m_settings.port == 0) {
        m_port = m_server->bind_to_any_port("127.0.0.1");
        if (m_port <= 0)
            error = "cannot listen on 127.0.0.1";
        m_server->widenBacklog();
        return m_port > 0;
    }
    if (!m_server->bind_to_port("127.0.0.1", m_settings.port)) {
        error = "cannot listen on 127.0.0.1:" + std::to_string(m_settings.port) + ": " + whyPortIsTaken(m_settings.port);
        return false;
    }
    m_port = m_settings.port;
    m_server->widenBacklog();
    return true;
}

void EditorServer::serve()
{
    m_server->listen_after_bind();
}

void EditorServer::stop()
{
    m_server->stop();
}

namespace {

// Reads what a render request asks for; an answer saying what is wrong otherwise.
std::optional<RenderRequest> renderRequestFrom(
    const json& body, RenderRequest::Kind kind, DeviceCatalog& devices, httplib::Response& response)
{
    RenderRequest request;
    request.kind = kind;
    std::string device = devices.initial();
    if (!readString(body, "device", device) || !readString(body, "page", request.page)
        || !readString(body, "style", request.style) || !readBool(body, "restyled", request.restyled)
        || !readBool(body, "whole", request.whole) || !readTaps(body, request.taps)) {
        answerError(response, 400,
            "a render takes device, page and style (text), restyled and whole (true or false) and taps (at most 16 row "
            "identifiers)");
        return std::nullopt;
    }
    auto entry = devices.find(device);
    if (!entry) {
        answerError(response, 400, "unknown device \"" + device + "\"");
        return std::nullopt;
    }
    request.device = *entry;
    if (!Navigator::isKnownPage(request.page)) {
        answerError(response, 400, "unknown page \"" + request.page + "\"");
        return std::nullopt;
    }
    if (request.style != "light" && request.style != "dark") {
        answerError(response, 400, "style must be light or dark");
        return std::nullopt;
    }
    if (request.restyled) {
        LookError error;
        auto domain = lookPropertyList(body.value("options", json::object()), PropertyListFormat::Binary, error);
        if (!domain) {
            answerError(response, 400, error.message, error.key);
            return std::nullopt;
        }
        request.domain = std::move(*domain);
    }
    return request;
}

json pageList()
{
    json pages = json::array();
    for (const char* const* name = Navigator::pageNames(); *name; ++name)
        pages.push_back(*name);
    return pages;
}

}

void EditorServer::addRoutes()
{
    auto rate = std::make_shared<RequestRate>(m_settings.requestsPerSecond, m_settings.requestBurst);
    m_server->set_pre_routing_handler([this, rate](const httplib::Request& request, httplib::Response& response) {
        if (!isLoopbackHost(request.get_header_value("Host"), m_port)) {
            answerError(response, 403, "this server answers only requests for 127.0.0.1 or localhost");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (!isOwnOrigin(request.get_header_value("Origin"), m_port)) {
            answerError(response, 403, "pages of other sites may not use this server");
            return httplib::Server::HandlerResponse::Handled;
        }
        if (!rate->admit()) {
            response.set_header("Retry-After", "1");
            answerError(response, 429, "too many requests; try again in a moment");
            return httplib::Server::HandlerResponse::Handled;
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    m_server->set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty())
            return;
        if (response.status == 413)
            answerError(response, 413, "the body is larger than the server accepts");
        else if (response.status == 404)
            answerError(response, 404, "no such page or route");
        else if (response.status == 405)
            answerError(response, 405, "this route does not take that method");
        else
            answerError(response, response.status, "the request could not be handled");
    });
    m_server->set_exception_handler([](const httplib::Request&, httplib::Response& response, std::exception_ptr) {
        answerError(response, 500, "the server failed to handle the request");
    });
    m_server->set_default_headers({ { "Cache-Control", "no-store" }, { "X-Content-Type-Options", "nosniff" } });

    m_server->Get(R"(/|/editor\.js|/editor\.css)", [](const httplib::Request& request, httplib::Response& response) {
        auto asset = editorAsset(request.path);
        if (!asset)
            return answerError(response, 404, "no such page or route");
        response.set_content(std::string(asset->bytes), asset->contentType);
    });
    m_server->Get("/api/options", [this](const httplib::Request&, httplib::Response& response) {
        answerJson(response, m_catalog);
    });
    m_server->Get("/api/devices", [this](const httplib::Request&, httplib::Response& response) {
        answerJson(response, deviceListJson(m_devices.list(), m_devices.initial()));
    });
    m_server->Get("/api/pages", [](const httplib::Request&, httplib::Response& response) {
        answerJson(response, { { "pages", pageList() } });
    });
    for (auto [path, kind] : { std::pair { "/api/render", RenderRequest::Kind::Picture },
             std::pair { "/api/banner", RenderRequest::Kind::Banner } }) {
        m_server->Post(path, [this, kind](const httplib::Request& request, httplib::Response& response) {
            auto body = jsonBody(request, response);
            if (!body)
                return;
            auto render = renderRequestFrom(*body, kind, m_devices, response);
            if (!render)
                return;
            RenderAnswer answer = m_renders.render(*render);
            response.status = answer.status;
            if (answer.status == 429)
                response.set_header("Retry-After", "1");
            response.set_content(std::move(answer.body), "application/json");
        });
    }
    m_server->Post("/api/check", [](const httplib::Request& request, httplib::Response& response) {
        auto body = jsonBody(request, response);
        if (!body)
            return;
        LookError error;
        if (!lookPropertyList(body->value("options", json::object()), PropertyListFormat::Binary, error))
            return answerError(response, 400, error.message, error.key);
        answerJson(response, { { "ok", true } });
    });
    m_server->Post("/api/import", [](const httplib::Request& request, httplib::Response& response) {
        std::string error;
        auto look = importLook(
            std::span(reinterpret_cast<const std::uint8_t*>(request.body.data()), request.body.size()), error);
        if (!look)
            return answerError(response, 400, error);
        answerJson(response, { { "options", look->options }, { "warnings", look->warnings } });
    });
    m_server->Post("/api/export", [](const httplib::Request& request, httplib::Response& response) {
        auto body = jsonBody(request, response);
        if (!body)
            return;
        std::string format = body->value("format", "binary");
        if (format != "binary" && format != "xml")
            return answerError(response, 400, "format must be binary or xml");
        LookError error;
        auto bytes = lookPropertyList(body->value("options", json::object()),
            format == "xml" ? PropertyListFormat::XML : PropertyListFormat::Binary, error);
        if (!bytes)
            return answerError(response, 400, error.message, error.key);
        response.set_header(
            "Content-Disposition", std::string("attachment; filename=\"") + tamarind::kSuiteName + "\"");
        response.set_content(std::string(bytes->begin(), bytes->end()),
            format == "xml" ? "application/xml" : "application/octet-stream");
    });
    m_server->Get("/api/status", [this](const httplib::Request&, httplib::Response& response) {
        answerJson(response, { { "rendersRun", m_renders.rendersRun() }, { "cacheEntries", m_renders.cache().entries() },
            { "cacheBytes", m_renders.cache().bytes() } });
    });
}
