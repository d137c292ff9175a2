// Lane reading, with a splitmix64 generator continuing each lane once its bytes are used up.
#include "fuzz_input.h"

#include <algorithm>

namespace fuzz {
namespace {

std::uint64_t fnv1a(const std::uint8_t* data, std::size_t size) {
    std::uint64_t hash = 0xcbf29ce484222325ull;
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= data[i];
        hash *= 0x100000001b3ull;
    }
    return hash;
}

}  // namespace

FuzzInput::FuzzInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t header = std::min(size, headerBytes);
    std::copy(data, data + header, header_);
    const std::size_t rest = size - header;
    const std::size_t controlLength = std::min<std::size_t>(rest, header_[6] | (header_[7] << 8));
    control_.assign(data + header, data + header + controlLength);
    answers_.assign(data + header + controlLength, data + size);
    const std::uint64_t seed = fnv1a(data, size);
    controlStream_ = seed ^ 0x243f6a8885a308d3ull;
    answerStream_ = seed ^ 0x13198a2e03707344ull;
}

std::uint8_t FuzzInput::generated(std::uint64_t& stream) {
    stream += 0x9e3779b97f4a7c15ull;
    std::uint64_t z = stream;
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return static_cast<std::uint8_t>((z ^ (z >> 31)) >> 56);
}

FrameControl FuzzInput::nextFrame() {
    FrameControl frame;
    if (controlAt_ + controlBytesPerFrame <= control_.size()) {
        frame.clock = control_[controlAt_++];
        frame.keys = control_[controlAt_++];
        frame.event = control_[controlAt_++];
        return frame;
    }
    controlAt_ = control_.size();
    frame.clock = generated(controlStream_);
    frame.event = generated(controlStream_);
    // Generated frames thin their events out as the header asks.
    constexpr std::uint8_t keepOutOf64[] = {0, 4, 16, 64};
    if ((generated(controlStream_) >> 2) >= keepOutOf64[eventRate()]) frame.event = 0;

    // Generated keys are pressed now and then and held for up to a few seconds: a release that
    // falls due comes first, else, rarely, a key not already held goes down.
    for (int slot = 0; slot < keySlots; ++slot) {
        if (releaseIn_[slot] > 1) --releaseIn_[slot];
    }
    for (int slot = 0; slot < keySlots; ++slot) {
        if (releaseIn_[slot] == 1) {
            releaseIn_[slot] = 0;
            frame.keys = static_cast<std::uint8_t>(firstKeyToggle + slot);
            return frame;
        }
    }
    const std::uint8_t press = generated(controlStream_);
    const int slot = generated(controlStream_) % keySlots;
    if (press < 4 && releaseIn_[slot] == 0) {
        releaseIn_[slot] = static_cast<std::uint8_t>(2 + generated(controlStream_) % 200);
        frame.keys = static_cast<std::uint8_t>(firstKeyToggle + slot);
    }
    return frame;
}

std::uint8_t FuzzInput::answerByte() {
    return answerAt_ < answers_.size() ? answers_[answerAt_++] : generated(answerStream_);
}

std::uint32_t FuzzInput::answerWord() {
    std::uint32_t word = 0;
    for (int i = 0; i < 4; ++i) word |= static_cast<std::uint32_t>(answerByte()) << (8 * i);
    return word;
}

}  // namespace fuzz
