// The lookup of the event and check tables, made from the files of each group.
#include "scenario/kinds/kind_support.h"

namespace scenario {

const std::vector<EventKind>& eventKinds() {
    static const std::vector<EventKind> kinds = [] {
        std::vector<EventKind> all = inputEvents();
        for (auto& kind : worldEvents()) all.push_back(std::move(kind));
        for (auto& kind : gameEvents()) all.push_back(std::move(kind));
        for (auto& kind : pedEvents()) all.push_back(std::move(kind));
        return all;
    }();
    return kinds;
}

const EventKind* findEventKind(std::string_view key) {
    for (const auto& kind : eventKinds()) {
        if (kind.key == key) return &kind;
    }
    return nullptr;
}

const CheckKind* findCheckKind(std::string_view key) {
    for (const auto& kind : checkKinds()) {
        if (kind.key == key) return &kind;
    }
    return nullptr;
}

}  // namespace scenario
