// The play server's checks of where a request comes from.
#include "play/guard.h"

#include <random>

namespace play {

std::string freshToken() {
    std::random_device source;
    static constexpr char digits[] = "0123456789abcdef";
    std::string token;
    for (int i = 0; i < 32; ++i) token += digits[source() % 16];
    return token;
}

std::string refusal(const Guard& guard, const std::string& host, const std::string& origin) {
    const std::string address = "127.0.0.1:" + std::to_string(guard.port);
    // A page of another site that a DNS name was pointed at this machine sends its own name as Host.
    if (host != address) return "Host must be " + address;
    if (!origin.empty() && origin != "http://" + address) return "requests from other pages are refused";
    return "";
}

bool tokenMatches(const Guard& guard, const std::string& given) {
    if (given.size() != guard.token.size()) return false;
    // Every character compared, so the time taken tells nothing of how much matched.
    unsigned difference = 0;
    for (std::size_t i = 0; i < given.size(); ++i) difference |= static_cast<unsigned>(given[i] ^ guard.token[i]);
    return difference == 0;
}

}  // namespace play
