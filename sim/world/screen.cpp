// The screen model: frame bookkeeping and the deterministic text layout.
#include "world/screen.h"

#include <utility>

namespace sim {

void Screen::beginFrame(std::uint64_t frame) {
    if (keepHistory && current.frame != 0) history.push_back(current);
    previous = std::move(current);
    current = ScreenFrame{};
    current.frame = frame;
}

std::int32_t Screen::lineCount(const std::string& text, float /*x*/, float /*y*/, const TextStyle& /*textStyle*/) const {
    return text.empty() ? 0 : 1;
}

float Screen::characterHeight(float scale) const { return scale * 0.06f; }

}  // namespace sim
