// The play page's HTTP server on the loopback address: the page and its files, the live feed as
// server-sent events, and the requests the page makes (inputs, pace, expectations, saving).
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "play/guard.h"
#include "play/session.h"

namespace play {

struct ServerSetup {
    int port = 0;  // 0: any free port
    // Writes the recording where the session was told to (--record); the path written, or why not.
    std::function<std::string()> save;
};

class Server {
public:
    Server(Session& session, ServerSetup setup);
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // Binds 127.0.0.1; false when the port cannot be had.
    bool bind();
    // Serves on a thread of its own until stop().
    void start();
    void stop();
    int port() const { return guard_.port; }
    const std::string& token() const { return guard_.token; }
    std::string url() const;

    // The HTTP library's server and the session it serves, in server.cpp.
    struct Impl;

private:
    std::unique_ptr<Impl> impl_;
    Guard guard_;
};

}  // namespace play
