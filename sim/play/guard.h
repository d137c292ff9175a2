// Who may talk to a play server: requests from this machine's loopback address, naming it as their
// Host and, when they say where they come from, as their Origin, and carrying the session's token.
#pragma once

#include <string>

namespace play {

struct Guard {
    int port = 0;
    std::string token;
};

// 32 hex digits from the system's random source.
std::string freshToken();

// "" when a request with these headers may go on; otherwise why it is refused.
std::string refusal(const Guard& guard, const std::string& host, const std::string& origin);
bool tokenMatches(const Guard& guard, const std::string& given);

}  // namespace play
