// The simulated screen: resolution and what the script drew on it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct Screen {
    std::int32_t width = 1280;
    std::int32_t height = 720;
    std::vector<std::string> requestedTextureDicts;

    void beginFrame() {}
};

}  // namespace sim
