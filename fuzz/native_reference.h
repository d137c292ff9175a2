// The game's native list (natives.tsv), read independently of the simulated host's own table.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace fuzz {

// What a parameter or a result carries, as far as the hostile world cares.
enum class ValueKind : std::uint8_t {
    Void,
    Bool,
    Int,
    Float,
    Hash,
    Handle,  // Ped, Vehicle, Entity
    Player,
    Vector,
    Text,     // const char*
    Pointer,  // int*, Ped*, Vehicle*, Any*
};

struct ReferenceNative {
    std::uint64_t hash = 0;
    std::string name;        // the game name without its namespace
    std::string scriptName;  // the name the script's documents use, when they use another; else empty
    ValueKind result = ValueKind::Void;
    std::vector<ValueKind> params;
    // The types as the list spells them ("Ped", "const char*"), for checks finer than ValueKind.
    std::string resultType;
    std::vector<std::string> paramTypes;
};

// Every native of both lists; empty when the file cannot be read (see nativeListPath()).
const std::vector<ReferenceNative>& referenceNatives();
// The native with this hash, or null when the list does not have it.
const ReferenceNative* findReferenceNative(std::uint64_t hash);
// Where the list is read from: $TG_NATIVES_TSV, else the shared folder beside the sources.
std::string nativeListPath();
// natives-mends.tsv in the same folder: natives the script came to need later, in the same columns.
std::string mendsListPath();

ValueKind kindOfType(const std::string& type);

}  // namespace fuzz
