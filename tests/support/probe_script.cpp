// The probe script: a minimal frame loop around a test's action, loaded like the real script.
#include "support/probe_script.h"

#include "runtime/entry.h"
#include "runtime/host.h"
#include "runtime/natives.h"
#include "runtime/platform_calls.h"
#include "runtime/state.h"
#include "support/script_harness.h"

#include <utility>

namespace test {
namespace {

std::function<void()> pendingAction;
std::uint64_t passes = 0;

void probeMain() {
    getScreenResolution(&state.screenWidth, &state.screenHeight);
    for (;;) {
        ++passes;
        beginFramePass();
        if (pendingAction) {
            auto action = std::move(pendingAction);
            pendingAction = nullptr;
            action();
        }
        waitForGame(0);
    }
}

int probeDllMain(void* module, std::uint32_t reason, void* /*reserved*/) {
    if (reason == 1) scriptRegister(static_cast<HINSTANCE__*>(module), probeMain);
    return 1;
}

}  // namespace

ProbeTest::ProbeTest() { restart(sim::HostConfig{}); }

ProbeTest::~ProbeTest() {
    if (host_) host_->stop();
    pendingAction = nullptr;
}

void ProbeTest::TearDown() { expectNoProtocolErrors(host()); }

void ProbeTest::restart(sim::HostConfig config, std::int32_t screenWidth, std::int32_t screenHeight) {
    if (host_) host_->stop();
    host_.reset();
    pendingAction = nullptr;
    passes = 0;
    host_ = std::make_unique<sim::SimHost>(config);
    host_->world().screen.width = screenWidth;
    host_->world().screen.height = screenHeight;
    host_->load(sim::ScriptModule{&resetScriptState, &probeDllMain});
    host_->start();
    host_->runFrames(1);
}

void ProbeTest::runInScript(std::function<void()> action) { pendingAction = std::move(action); }

std::uint64_t ProbeTest::probePasses() const { return passes; }

}  // namespace test
