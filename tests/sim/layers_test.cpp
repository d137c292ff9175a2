// The simulator's folders are layered: a file includes only from its own folder or from a folder
// listed before its own in sim/layers.txt, so no include runs back up the pipeline.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path simDir = fs::path(TG_SOURCE_DIR) / "sim";

// Folder (relative to sim/, e.g. "scenario/run") to its rank, from sim/layers.txt.
std::map<std::string, int> readLayers() {
    std::ifstream in(simDir / "layers.txt");
    std::map<std::string, int> layers;
    std::string line;
    int rank = 0;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        layers[line] = rank++;
    }
    return layers;
}

// The layer a file or include path belongs to: the longest listed folder that holds it.
std::string layerOf(const std::string& path, const std::map<std::string, int>& layers) {
    std::string best;
    for (const auto& [folder, rank] : layers)
        if (path.rfind(folder + "/", 0) == 0 && folder.size() > best.size()) best = folder;
    return best;
}

struct Include {
    std::string file;
    std::string target;
};

std::vector<Include> simIncludes() {
    static const std::regex include(R"re(^\s*#include "([^"]+)")re");
    std::vector<Include> found;
    for (const auto& entry : fs::recursive_directory_iterator(simDir)) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        std::ifstream in(entry.path());
        std::string line;
        while (std::getline(in, line)) {
            std::smatch match;
            if (std::regex_search(line, match, include))
                found.push_back({fs::relative(entry.path(), simDir).generic_string(), match[1]});
        }
    }
    return found;
}

std::string problemsIn(const std::vector<Include>& includes, const std::map<std::string, int>& layers) {
    std::ostringstream problems;
    for (const Include& include : includes) {
        const std::string from = layerOf(include.file, layers);
        if (from.empty()) {
            problems << include.file << ": its folder is not in sim/layers.txt\n";
            continue;
        }
        const std::string to = layerOf(include.target, layers);
        if (to.empty()) continue;  // the script's headers, generated files, libraries
        if (layers.at(to) > layers.at(from))
            problems << include.file << " (" << from << ") includes " << include.target << " (" << to
                     << "), a later layer\n";
    }
    return problems.str();
}

TEST(SimLayers, EveryFolderIsListedAndNoIncludeRunsBackUp) {
    const auto layers = readLayers();
    ASSERT_GE(layers.size(), 8U) << "sim/layers.txt lists too few folders";
    EXPECT_EQ(problemsIn(simIncludes(), layers), "");
}

TEST(SimLayers, AnIncludeBackUpOrFromAnUnlistedFolderIsCaught) {
    const auto layers = readLayers();
    EXPECT_NE(problemsIn({{"scenario/format/parser.cpp", "scenario/report/report.h"}}, layers), "");
    EXPECT_NE(problemsIn({{"scenario/stray/file.cpp", "scenario/format/parser.h"}}, layers), "");
    EXPECT_EQ(problemsIn({{"scenario/report/report.cpp", "scenario/format/parser.h"}}, layers), "");
    EXPECT_EQ(problemsIn({{"scenario/run/run.cpp", "scenario/run/run_state.h"}}, layers), "");
}

}  // namespace
