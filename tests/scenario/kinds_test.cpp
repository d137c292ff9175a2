// The tables of timeline events and expectation checks: the docs made from them, what the parser
// and the run take from them, and the typed narration of checks.
#include "scenario/format/kinds.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "scenario/format/parser.h"
#include "scenario/report/report.h"
#include "scenario/report/report_parts.h"
#include "scenario/run/run.h"
#include "script_link/script_module.h"
#include "support/inline_scenario.h"

namespace {

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

using test::parseError;

// docs/scenarios.md holds the tables as the code makes them. TG_UPDATE_DOCS=1 rewrites them instead.
TEST(ScenarioKinds, DocsTablesAreMadeFromTheTables) {
    const std::string path = std::string(TG_SOURCE_DIR) + "/docs/scenarios.md";
    const std::string doc = readFile(path);
    ASSERT_FALSE(doc.empty()) << path;
    const std::string made = scenario::withReferenceTables(doc);
    if (std::getenv("TG_UPDATE_DOCS") != nullptr && made != doc) std::ofstream(path, std::ios::binary) << made;
    // Not EXPECT_EQ: its message would print the whole page twice.
    EXPECT_TRUE(readFile(path) == made) << "docs/scenarios.md's tables differ from these; see the comment above "
                                           "them:\n"
                                        << scenario::eventReference() << scenario::checkReference();

    // Every event and check has its row, with the fields the event takes.
    const std::string events = scenario::eventReference();
    EXPECT_NE(events.find("| `tap = \"e\"` | `hold` (ms, default 100) | keys down now"), std::string::npos);
    EXPECT_NE(events.find("| `gunner = \"killed\"` | | the gunner dies in its seat |"), std::string::npos);
    for (const auto& kind : scenario::eventKinds())
        EXPECT_NE(events.find("| `" + std::string(kind.key) + " = "), std::string::npos) << kind.key;
    for (const auto& kind : scenario::checkKinds())
        EXPECT_NE(scenario::checkReference().find("| `" + std::string(kind.key) + " = "), std::string::npos);

    EXPECT_THROW(scenario::withReferenceTables("# no markers\n"), std::runtime_error);
    const std::string stale =
        "a\n<!-- begin timeline events -->\nold\n<!-- end timeline events -->\nb\n"
        "<!-- begin expectation checks -->\n<!-- end expectation checks -->\n";
    const std::string fresh = scenario::withReferenceTables(stale);
    EXPECT_EQ(fresh.find("\nold\n"), std::string::npos);
    EXPECT_NE(fresh.find("<!-- begin timeline events -->\n| event | extra keys | effect |"), std::string::npos);
    EXPECT_NE(fresh.find("<!-- end timeline events -->\nb\n"), std::string::npos);
}

// Each key is taken once, each entry has its functions and each docs row shows its own key.
TEST(ScenarioKinds, EveryEntryIsCompleteAndItsKeyUnique) {
    std::set<std::string_view> keys;
    for (const auto& kind : scenario::eventKinds()) {
        EXPECT_TRUE(keys.insert(kind.key).second) << kind.key;
        EXPECT_NE(kind.parse, nullptr) << kind.key;
        EXPECT_NE(kind.apply, nullptr) << kind.key;
        ASSERT_FALSE(kind.uses.empty()) << kind.key;
        for (const auto& use : kind.uses) EXPECT_TRUE(use.example.starts_with("`" + std::string(kind.key) + " = "));
        EXPECT_EQ(scenario::findEventKind(kind.key), &kind);
    }
    keys.clear();
    for (const auto& kind : scenario::checkKinds()) {
        EXPECT_TRUE(keys.insert(kind.key).second) << kind.key;
        EXPECT_NE(kind.parse, nullptr) << kind.key;
        EXPECT_NE(kind.evaluate, nullptr) << kind.key;
        EXPECT_TRUE(kind.usage.starts_with("`" + std::string(kind.key) + " = ")) << kind.key;
        EXPECT_EQ(scenario::findCheckKind(kind.key), &kind);
    }
    EXPECT_EQ(scenario::findEventKind("at"), nullptr);
    EXPECT_EQ(scenario::findCheckKind("at"), nullptr);
}

// The parser's messages list what the tables hold, in their order.
TEST(ScenarioKinds, TheParserKnowsExactlyTheTablesKeys) {
    std::string events;
    for (const auto& kind : scenario::eventKinds()) events += (events.empty() ? "" : ", ") + std::string(kind.key);
    EXPECT_EQ(parseError("end = 100\ntimeline = [ { at = 1, explode = 1 } ]\n"),
              "bad.toml:2: timeline[0].explode: unknown event 'explode' (known: " + events + ")");
    std::string checks = "at";
    for (const auto& kind : scenario::checkKinds()) checks += ", " + std::string(kind.key);
    EXPECT_EQ(parseError("end = 100\n[[expect]]\nfoo = 1\n"),
              "bad.toml:3: expect[0].foo: unknown expectation 'foo' (known: " + checks + ")");
    // The fields a kind takes, from its entry.
    EXPECT_EQ(parseError("end = 100\n[world]\npeds = [{ name = \"a\", model = \"s_m_y_cop_01\", position = [0, 0, 0] "
                         "}]\n[[timeline]]\nat = 1\nshoot = \"a\"\ntarget = \"player\"\nhold = 5\n"),
              "bad.toml:8: timeline[0].hold: unknown field 'hold' for a 'shoot' event (it takes: target, damage)");
    EXPECT_EQ(parseError("end = 100\ntimeline = [ { at = 1, focus = true, hold = 5 } ]\n"),
              "bad.toml:2: timeline[0].hold: unknown field 'hold' for a 'focus' event (it takes none)");
}

// A failed check is marked by a field of its line, which the report's timeline uses; a line of
// another kind is never marked, whatever its text.
TEST(ScenarioKinds, AFailedCheckIsMarkedOnItsNarrationLine) {
    const scenario::Scenario s = scenario::parseScenario(R"(
end = 200
timeline = [ { at = 10, vanish = "FAILED" } ]
[world]
peds = [{ name = "FAILED", model = "s_m_y_cop_01", position = [5, 5, 0] }]
[[expect]]
at = 50
wanted_level = 0
[[expect]]
at = 100
wanted_level = 3
)",
                                                         "inline.toml");
    const scenario::RunResult result = scenario::runScenario(s, sim::linkedScript(), {});
    std::vector<const scenario::NarrationLine*> checks;
    const scenario::NarrationLine* vanished = nullptr;
    for (const auto& line : result.narration) {
        if (line.kind == scenario::NarrationKind::Check) checks.push_back(&line);
        if (line.text == "FAILED vanishes") vanished = &line;
    }
    ASSERT_EQ(checks.size(), 2u);
    EXPECT_FALSE(checks[0]->failed);
    EXPECT_TRUE(checks[0]->text.starts_with("ok: expected wanted level 0"));
    EXPECT_TRUE(checks[1]->failed);
    EXPECT_EQ(checks[1]->text, "FAILED: expected wanted level 3, found wanted level 0 (inline.toml:11)");
    ASSERT_NE(vanished, nullptr);
    EXPECT_EQ(vanished->kind, scenario::NarrationKind::World);
    EXPECT_FALSE(vanished->failed);

    const std::string html = scenario::timelineHtml(result, 1000);
    EXPECT_NE(html.find("<li data-kind=\"check\" data-ms=\"112\" class=\"failed\">"), std::string::npos) << html;
    EXPECT_NE(html.find("<li data-kind=\"check\" data-ms=\"64\"><time>"), std::string::npos);
    EXPECT_NE(html.find("<li data-kind=\"world\" data-ms=\"16\"><time>"), std::string::npos);
    EXPECT_EQ(std::string(scenario::kindName(scenario::NarrationKind::Wanted)), "wanted");
}

}  // namespace
