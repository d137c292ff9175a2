// Reads natives.tsv: hash, game name, return type and the parameters as the current build reads them.
#include "native_reference.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace fuzz {
namespace {

std::string trim(const std::string& text) {
    const auto begin = text.find_first_not_of(" \t\r");
    if (begin == std::string::npos) return "";
    const auto end = text.find_last_not_of(" \t\r");
    return text.substr(begin, end - begin + 1);
}

// "Ped ped" -> "Ped"; "const char* text" -> "const char*": everything before the last word.
std::string typeOfParameter(const std::string& parameter) {
    const std::string clean = trim(parameter);
    const auto space = clean.find_last_of(' ');
    return space == std::string::npos ? clean : trim(clean.substr(0, space));
}

void readListFile(const std::string& path, std::vector<ReferenceNative>& natives) {
    std::ifstream file(path);
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> fields;
        std::stringstream stream(line);
        std::string field;
        while (std::getline(stream, field, '\t')) fields.push_back(field);
        if (fields.size() < 4) continue;
        ReferenceNative native;
        native.hash = std::stoull(fields[0], nullptr, 16);
        const auto separator = fields[1].find("::");
        native.name = separator == std::string::npos ? fields[1] : fields[1].substr(separator + 2);
        if (const std::string docs = trim(fields[2]); docs != "-" && docs != native.name) native.scriptName = docs;
        native.resultType = trim(fields[3]);
        native.result = kindOfType(native.resultType);
        if (fields.size() > 4 && !trim(fields[4]).empty()) {
            std::stringstream parameters(fields[4]);
            std::string parameter;
            while (std::getline(parameters, parameter, ';')) {
                native.paramTypes.push_back(typeOfParameter(parameter));
                native.params.push_back(kindOfType(native.paramTypes.back()));
            }
        }
        natives.push_back(native);
    }
}

// The main list, then the natives added beside it for later mends of the script.
std::vector<ReferenceNative> readList() {
    std::vector<ReferenceNative> natives;
    readListFile(nativeListPath(), natives);
    readListFile(mendsListPath(), natives);
    return natives;
}

}  // namespace

ValueKind kindOfType(const std::string& type) {
    if (type == "void") return ValueKind::Void;
    if (type == "BOOL") return ValueKind::Bool;
    if (type == "int" || type == "Any") return ValueKind::Int;
    if (type == "float") return ValueKind::Float;
    if (type == "Hash") return ValueKind::Hash;
    if (type == "Ped" || type == "Vehicle" || type == "Entity") return ValueKind::Handle;
    if (type == "Player") return ValueKind::Player;
    if (type == "Vector3") return ValueKind::Vector;
    if (type == "const char*" || type == "char*") return ValueKind::Text;
    if (!type.empty() && type.back() == '*') return ValueKind::Pointer;
    return ValueKind::Int;
}

std::string nativeListPath() {
    if (const char* path = std::getenv("TG_NATIVES_TSV"); path != nullptr && *path != '\0') return path;
    return std::string(TG_SHARED_DIR) + "/natives.tsv";
}

std::string mendsListPath() {
    const std::string main = nativeListPath();
    const auto slash = main.find_last_of('/');
    return (slash == std::string::npos ? std::string() : main.substr(0, slash + 1)) + "natives-mends.tsv";
}

const std::vector<ReferenceNative>& referenceNatives() {
    static const std::vector<ReferenceNative> natives = readList();
    return natives;
}

const ReferenceNative* findReferenceNative(std::uint64_t hash) {
    static const std::unordered_map<std::uint64_t, const ReferenceNative*> index = [] {
        std::unordered_map<std::uint64_t, const ReferenceNative*> built;
        for (const auto& native : referenceNatives()) built.emplace(native.hash, &native);
        return built;
    }();
    const auto found = index.find(hash);
    return found == index.end() ? nullptr : found->second;
}

}  // namespace fuzz
