// Routes of the play server.
#include "play/server.h"

#include <httplib.h>

#include <atomic>
#include <thread>

#include "play/assets.h"

namespace play {

struct Server::Impl {
    Impl(Session& served, ServerSetup how) : session(served), setup(std::move(how)) {}

    Session& session;
    ServerSetup setup;
    httplib::Server http;
    std::thread thread;
    std::atomic<bool> closing{false};
};

namespace {

using httplib::Request;
using httplib::Response;

void refuse(Response& response, int status, const std::string& why) {
    response.status = status;
    response.set_content(why + "\n", "text/plain");
}

// Every request comes from this machine's address book entry for itself; those that change or
// read the session also carry its token.
httplib::Server::HandlerResponse screen(const Guard& guard, const Request& request, Response& response) {
    const std::string why = refusal(guard, request.get_header_value("Host"), request.get_header_value("Origin"));
    if (!why.empty()) {
        refuse(response, 403, why);
        return httplib::Server::HandlerResponse::Handled;
    }
    const bool asset = request.path == "/play.css" || request.path == "/play.js" || request.path == "/play_keys.js" ||
                       request.path == "/favicon.ico";
    if (!asset && !tokenMatches(guard, request.get_param_value("token"))) {
        refuse(response, 403, "wrong or missing token: use the address gunner-sim printed");
        return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
}

void serveFeed(Server::Impl& impl, const Request& request, Response& response) {
    std::size_t lines = 0;
    if (request.has_param("from")) lines = std::stoul(request.get_param_value("from"));
    response.set_header("Cache-Control", "no-store");
    auto seen = std::make_shared<std::uint64_t>(0);
    auto nextLine = std::make_shared<std::size_t>(lines);
    response.set_chunked_content_provider(
        "text/event-stream", [&impl, seen, nextLine](std::size_t, httplib::DataSink& sink) {
            if (impl.closing) {
                sink.done();
                return false;
            }
            const View view = impl.session.nextView(*seen, std::chrono::milliseconds(250));
            if (view.number == *seen && !impl.session.ended()) return sink.write(": idle\n\n", 8);
            *seen = view.number;
            const std::string lines = impl.session.linesSince(*nextLine, *nextLine);
            const std::string event = "data: {\"view\":" + view.json + ",\"lines\":" + lines +
                                      ",\"ended\":" + (impl.session.ended() ? "true" : "false") + "}\n\n";
            return sink.write(event.data(), event.size());
        });
}

void act(Server::Impl& impl, const Request& request, Response& response) {
    try {
        impl.session.act(nlohmann::ordered_json::parse(request.body));
        response.set_content("{\"ok\":true}", "application/json");
    } catch (const std::exception& error) {
        response.status = 400;
        response.set_content(nlohmann::json{{"error", error.what()}}.dump(), "application/json");
    }
}

void control(Server::Impl& impl, const Request& request, Response& response) {
    try {
        const auto order = nlohmann::json::parse(request.body);
        if (order.contains("paused")) impl.session.setPaused(order["paused"].get<bool>());
        if (order.contains("speed")) impl.session.setSpeed(order["speed"].get<double>());
        if (order.contains("step")) impl.session.step(order["step"].get<std::uint32_t>());
        if (order.contains("expect")) impl.session.expectNow();
        response.set_content("{\"ok\":true}", "application/json");
    } catch (const std::exception& error) {
        response.status = 400;
        response.set_content(nlohmann::json{{"error", error.what()}}.dump(), "application/json");
    }
}

void routes(Server::Impl& impl, const Guard& guard) {
    auto& http = impl.http;
    http.set_pre_routing_handler(
        [&guard](const Request& request, Response& response) { return screen(guard, request, response); });
    http.Get("/", [](const Request&, Response& response) {
        response.set_content(std::string(playHtml), "text/html; charset=utf-8");
    });
    http.Get("/play.css",
             [](const Request&, Response& response) { response.set_content(std::string(playCss), "text/css"); });
    http.Get("/play.js",
             [](const Request&, Response& response) { response.set_content(std::string(playJs), "text/javascript"); });
    http.Get("/play_keys.js", [](const Request&, Response& response) {
        response.set_content(std::string(playKeysJs), "text/javascript");
    });
    http.Get("/feed", [&impl](const Request& request, Response& response) { serveFeed(impl, request, response); });
    http.Post("/act", [&impl](const Request& request, Response& response) { act(impl, request, response); });
    http.Post("/control", [&impl](const Request& request, Response& response) { control(impl, request, response); });
    http.Get("/recording", [&impl](const Request&, Response& response) {
        response.set_header("Content-Disposition", "attachment; filename=\"played.toml\"");
        response.set_content(impl.session.recording(), "application/toml");
    });
    http.Post("/save", [&impl](const Request&, Response& response) {
        response.set_content(nlohmann::json{{"saved", impl.setup.save ? impl.setup.save() : ""}}.dump(),
                             "application/json");
    });
}

}  // namespace

Server::Server(Session& session, ServerSetup setup) : impl_(std::make_unique<Impl>(session, std::move(setup))) {
    guard_.token = freshToken();
}

Server::~Server() { stop(); }

bool Server::bind() {
    routes(*impl_, guard_);
    guard_.port = impl_->setup.port == 0
                      ? impl_->http.bind_to_any_port("127.0.0.1")
                      : (impl_->http.bind_to_port("127.0.0.1", impl_->setup.port) ? impl_->setup.port : -1);
    return guard_.port > 0;
}

void Server::start() {
    impl_->thread = std::thread([this] { impl_->http.listen_after_bind(); });
}

void Server::stop() {
    impl_->closing = true;
    impl_->http.stop();
    if (impl_->thread.joinable()) impl_->thread.join();
}

std::string Server::url() const {
    return "http://127.0.0.1:" + std::to_string(guard_.port) + "/?token=" + guard_.token;
}

}  // namespace play
