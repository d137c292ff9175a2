// Timeline entries written from the page's requests.
#include "play/entry_text.h"

#include <charconv>
#include <cmath>
#include <stdexcept>

namespace play {
namespace {

std::string valueText(const nlohmann::ordered_json& value);

std::string arrayText(const nlohmann::ordered_json& items) {
    std::string text = "[";
    for (std::size_t i = 0; i < items.size(); ++i) text += (i == 0 ? "" : ", ") + valueText(items[i]);
    return text + "]";
}

std::string valueText(const nlohmann::ordered_json& value) {
    if (value.is_string()) return quoted(value.get<std::string>());
    if (value.is_boolean()) return value.get<bool>() ? "true" : "false";
    if (value.is_number_integer()) return std::to_string(value.get<std::int64_t>());
    if (value.is_number_float()) return floatText(value.get<double>());
    if (value.is_array()) return arrayText(value);
    throw std::invalid_argument("a timeline field holds a string, a number, true/false or an array");
}

bool bareKey(const std::string& key) {
    if (key.empty()) return false;
    for (const char c : key) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
        if (!ok) return false;
    }
    return true;
}

}  // namespace

std::string floatText(double value) {
    if (!std::isfinite(value)) throw std::invalid_argument("a number must be finite");
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, result.ptr);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string quoted(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            throw std::invalid_argument("a name or key holds a control character");
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string entryFields(const nlohmann::ordered_json& fields) {
    if (!fields.is_object() || fields.empty()) throw std::invalid_argument("expected an object of timeline fields");
    std::string text;
    for (const auto& [key, value] : fields.items()) {
        if (!bareKey(key)) throw std::invalid_argument("'" + key + "' is not a timeline field");
        if (key == "at") throw std::invalid_argument("the time of an entry is the session's own");
        text += (text.empty() ? "" : ", ") + key + " = " + valueText(value);
    }
    return text;
}

std::string entryAt(std::uint64_t atMs, const std::string& fields) {
    return "{ at = " + std::to_string(atMs) + ", " + fields + " }";
}

}  // namespace play
