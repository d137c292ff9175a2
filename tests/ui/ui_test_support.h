// Small readers over the drawn frames and float arguments, shared by the interface tests (the
// readers over the recorded calls come with it).
#pragma once

#include "host/sim_host.h"
#include "host/slots.h"
#include "support/recorded_calls.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace test {

inline std::vector<std::string> captionsOf(const sim::ScreenFrame& frame) {
    std::vector<std::string> captions;
    for (const auto& text : frame.texts) captions.push_back(text.caption);
    return captions;
}

}  // namespace test
