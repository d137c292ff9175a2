// Machine-readable records of a finished run: the trace's closing summary line, the --json
// document and the JUnit XML that CI systems read.
#pragma once

#include <string>

#include "scenario/format/scenario.h"
#include "scenario/run/run.h"

namespace scenario {

// One JSON line with what both hosts agree on (no wall time, no cross-check):
//   {"summary":{"result":"FAILED","expectations":5,"met":4,...}}
std::string traceSummaryLine(const RunResult& result);

// The whole run as one JSON document: scenario, summary, expectations and narration.
std::string runJson(const Scenario& scenario, const RunResult& result);

// One <testsuite> of one <testcase> per expectation; a failed one carries a <failure>.
std::string junitXml(const Scenario& scenario, const RunResult& result);
// The <testsuite> element alone, and a document around several of them (a bulk run's).
std::string junitSuite(const Scenario& scenario, const RunResult& result);
std::string junitDocument(const std::string& suites);

// "text" with the characters JSON requires escaped.
std::string jsonString(const std::string& text);

}  // namespace scenario
