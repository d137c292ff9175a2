// Splits one fuzz input into a header, a per-frame control lane and an answer lane.
//
// Layout (little-endian):
//   byte 0      hostility: an answer is hostile when its first byte is below this value
//   byte 1      flags (FuzzFlags)
//   byte 2      peds near the player at the start (low 6 bits); how often the generated part of
//               the control lane brings world events (top 2 bits: none, rare, some, many)
//   byte 3      frames to run: 1000 + 16 * value (up to 5080: enough shot orders to pass level 6)
//   bytes 4-5   start tick offset
//   bytes 6-7   length of the control lane, in bytes
//   control     three bytes per frame: clock step, key toggle, world event
//               (generated frames press a key now and then and release it 1 to 200 frames later)
//   answers     everything after the control lane: one or more bytes per native answer
// A lane that runs dry goes on with bytes from a generator seeded from the whole input, so every
// input, however short, decides a run of a few thousand frames, and the same input always
// decides the same run.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzz {

namespace FuzzFlags {
inline constexpr std::uint8_t startNearWrap = 0x01;  // the clock starts just below 2^32
inline constexpr std::uint8_t clockJumps = 0x02;     // the clock may jump to any value
inline constexpr std::uint8_t throwing = 0x04;       // a native may throw std::bad_alloc
}  // namespace FuzzFlags

inline constexpr std::size_t headerBytes = 8;
inline constexpr std::size_t controlBytesPerFrame = 3;
// Key toggles: control byte 224 + slot flips that key; 254 flips whether the game's window has
// the focus; 255 releases every key.
inline constexpr int keySlots = 11;
inline constexpr std::uint8_t firstKeyToggle = 224;
inline constexpr std::uint8_t toggleFocus = 254;
inline constexpr std::uint8_t releaseAllKeys = 255;

struct FrameControl {
    std::uint8_t clock = 0;
    std::uint8_t keys = 0;
    std::uint8_t event = 0;
};

class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size);

    std::uint8_t hostility() const { return header_[0]; }
    std::uint8_t flags() const { return header_[1]; }
    bool flag(std::uint8_t bit) const { return (header_[1] & bit) != 0; }
    int startingPeds() const { return header_[2] & 63; }
    int eventRate() const { return header_[2] >> 6; }
    int frames() const { return 1000 + 16 * header_[3]; }
    std::uint16_t startOffset() const { return static_cast<std::uint16_t>(header_[4] | (header_[5] << 8)); }

    FrameControl nextFrame();
    std::uint8_t answerByte();
    std::uint32_t answerWord();

private:
    std::uint8_t generated(std::uint64_t& stream);

    std::uint8_t header_[headerBytes] = {};
    std::vector<std::uint8_t> control_;
    std::vector<std::uint8_t> answers_;
    std::size_t controlAt_ = 0;
    std::size_t answerAt_ = 0;
    std::uint64_t controlStream_ = 0;
    std::uint64_t answerStream_ = 0;
    // Frames left until a generated key press is released again, per key slot (0: not pressed).
    std::uint8_t releaseIn_[keySlots] = {};
};

}  // namespace fuzz
