// The simulated host's own table of the natives it knows: hash, names, argument kinds, result kind.
#pragma once

#include <cstdint>
#include <string_view>

namespace sim {

enum class ArgKind : std::uint8_t { Int, Bool, Hash, Float, Text, Pointer, Entity };
enum class ResultKind : std::uint8_t { None, Int, Bool, Hash, Float, Vector, Entity };

inline constexpr int maxNativeArgs = 10;

struct NativeInfo {
    std::uint64_t hash;
    std::string_view name;      // the name the script's wrappers use
    std::string_view gameName;  // the game's own name, without its namespace
    ResultKind result;
    std::string_view args;      // one letter per argument: i b h f t p e
};

int nativeCount();
const NativeInfo& nativeInfo(int index);
// Index of the native with this hash, or -1 when the host does not know it.
int findNative(std::uint64_t hash);
int findNativeByName(std::string_view name);
ArgKind argKind(const NativeInfo& info, int position);

}  // namespace sim
