// The field readers shared by the game's bundled tables.
#include "world/game_table.h"

namespace sim::gameTable {

std::string_view nextField(std::string_view& line) {
    const auto tab = line.find('\t');
    const std::string_view field = line.substr(0, tab);
    line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
    return field;
}

bool readHash(std::string_view text, std::uint32_t& hash) {
    if (text.size() < 3 || text.substr(0, 2) != "0x") return false;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data() + 2, end, hash, 16);
    return error == std::errc() && stop == end;
}

}  // namespace sim::gameTable
