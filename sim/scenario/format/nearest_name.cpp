// Edit distance (Levenshtein) over names folded to lower-case letters and digits.
#include "scenario/format/nearest_name.h"

#include <algorithm>
#include <cctype>

#include "world/game_models.h"

namespace scenario {
namespace {

std::string folded(std::string_view name) {
    std::string out;
    for (const char c : name) {
        if (c == '_' || c == ' ') continue;
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

}  // namespace

std::string nearestName(std::string_view written, const std::vector<std::string>& known) {
    const std::string typed = folded(written);
    // Written names are short; one far longer than any known name is nobody's typo.
    if (typed.empty() || typed.size() > 64) return "";
    std::string best;
    std::size_t bestDistance = 0;
    for (const auto& name : known) {
        const std::string candidate = folded(name);
        const std::size_t distance = editDistance(typed, candidate);
        if (best.empty() || distance < bestDistance) {
            best = name;
            bestDistance = distance;
        }
    }
    const std::size_t allowed = std::max<std::size_t>(1, std::max(typed.size(), folded(best).size()) / 3);
    return !best.empty() && bestDistance <= allowed ? best : "";
}

std::string didYouMean(std::string_view written, const std::vector<std::string>& known) {
    const std::string near = nearestName(written, known);
    return near.empty() ? std::string() : "; did you mean '" + near + "'?";
}

std::string modelHint(std::string_view written, const std::vector<AddonModel>& addons) {
    std::vector<std::string> names;
    for (const auto& addon : addons) names.push_back(addon.name);
    for (const auto& model : sim::gameModels()) {
        if (model.kind != sim::ModelKind::Weapon) names.emplace_back(model.name);
    }
    return didYouMean(written, names);
}

}  // namespace scenario
