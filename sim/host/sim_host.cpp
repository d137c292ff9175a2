// The simulated host's clock, dispatch, recording and script fiber.
#include "host/sim_host.h"

#include "host/native_table.h"

#include <new>
#include <stdexcept>

namespace sim {
namespace {
SimHost* currentHost = nullptr;
}

const std::string& NativeCall::name() const {
    static const std::string unknown = "<unknown>";
    static const std::vector<std::string> names = [] {
        std::vector<std::string> built;
        for (int i = 0; i < nativeCount(); ++i) built.emplace_back(nativeInfo(i).name);
        return built;
    }();
    return native < 0 ? unknown : names[static_cast<std::size_t>(native)];
}

SimHost::SimHost(HostConfig config) : config_(config), tick_(config.startTick) {
    handlers_.assign(static_cast<std::size_t>(nativeCount()), nullptr);
    registerAllHandlers(*this);
    currentHost = this;
}

SimHost::~SimHost() {
    stop();
    if (currentHost == this) currentHost = nullptr;
}

SimHost* SimHost::current() { return currentHost; }

namespace {
// The module handle the linked script is loaded under; any value other than null serves.
void* const linkedModule = reinterpret_cast<void*>(std::uintptr_t{0x180000000});
constexpr std::uint32_t processAttach = 1;
constexpr std::uint32_t processDetach = 0;
}  // namespace

void SimHost::load(const ScriptModule& module) {
    if (module.resetState != nullptr) module.resetState();
    if (module.dllMain != nullptr) module.dllMain(linkedModule, processAttach, nullptr);
}

void SimHost::unload(const ScriptModule& module) {
    if (module.dllMain != nullptr) module.dllMain(linkedModule, processDetach, nullptr);
}

void SimHost::start() {
    if (entry_ == nullptr) {
        addError("start: no script registered");
        return;
    }
    fiber_ = std::make_unique<ScriptFiber>(&SimHost::fiberBody, this);
    started_ = true;
    stopRequested_ = false;
    waitMs_ = 0;
    waitStart_ = tick_;
}

void SimHost::fiberBody(void* self) {
    auto* host = static_cast<SimHost*>(self);
    try {
        host->entry_();
        host->addError("the script entry returned");
    } catch (const HostStop&) {
    } catch (...) {
        host->addError("the script entry ended with an exception");
    }
}

void SimHost::stop() {
    if (!fiber_ || fiber_->finished()) return;
    stopRequested_ = true;
    resumeScript();
}

bool SimHost::scriptFinished() const { return fiber_ && fiber_->finished(); }

void SimHost::runFrames(std::uint64_t count) {
    for (std::uint64_t i = 0; i < count; ++i) beginFrame();
}

void SimHost::runFor(std::uint32_t ms) {
    const std::uint32_t begin = tick_;
    while (tick_ - begin < ms) beginFrame();
}

bool SimHost::runUntil(const std::function<bool()>& done, std::uint64_t maxFrames) {
    for (std::uint64_t i = 0; i < maxFrames; ++i) {
        beginFrame();
        if (done()) return true;
    }
    return false;
}

void SimHost::beginFrame() {
    if (frame_ > 0) tick_ += config_.frameMs;
    ++frame_;
    world_.beginFrame(frame_, tick_, frame_ > 1 ? config_.frameMs : 0);
    for (auto& hook : frameHooks_) hook(*this);
    if (started_ && waitIsOver()) resumeScript();
    world_.endFrame(keys_, focused_, frame_ > 1 ? config_.frameMs : 0);
}

bool SimHost::waitIsOver() const { return waitMs_ == 0 || tick_ - waitStart_ >= waitMs_; }

void SimHost::resumeScript() {
    if (!fiber_ || fiber_->finished()) return;
    inScript_ = true;
    fiber_->resume();
    inScript_ = false;
}

void SimHost::addError(std::string message) { errors_.push_back(std::move(message)); }

void SimHost::throwOnNextCall(const std::string& name) { throwOnNative_ = findNativeByName(name); }

void SimHost::setHandler(NativeId native, NativeHandler handler) {
    handlers_[static_cast<std::size_t>(nativeIndex(native))] = handler;
}

std::vector<const NativeCall*> SimHost::callsNamed(const std::string& name) const {
    std::vector<const NativeCall*> found;
    const int index = findNativeByName(name);
    for (const auto& call : calls_) {
        if (call.native == index) found.push_back(&call);
    }
    return found;
}

std::size_t SimHost::countCalls(const std::string& name) const { return callsNamed(name).size(); }

void SimHost::scriptRegister(void* module, void (*entry)()) {
    module_ = module;
    entry_ = entry;
}

void SimHost::scriptUnregister(void* module) {
    ++unregisterCount_;
    if (entry_ == nullptr || module != module_) {
        addError("scriptUnregister for a module that has no script registered");
        return;
    }
    entry_ = nullptr;
    started_ = false;
}

void SimHost::scriptWait(std::uint32_t ms) {
    if (!inScript_) {
        addError("scriptWait called outside the script fiber");
        return;
    }
    if (stopRequested_) throw HostStop{};
    ++waitCount_;
    waitMs_ = ms;
    waitStart_ = tick_;
    fiber_->yield();
    if (stopRequested_) throw HostStop{};
}

void SimHost::nativeInit(std::uint64_t hash) {
    if (callOpen_) addError("nativeInit while a call was open");
    pending_.frame = frame_;
    pending_.tick = tick_;
    pending_.hash = hash;
    pending_.native = findNative(hash);
    pending_.argCount = 0;
    pending_.slots.fill(0);
    pending_.texts.clear();
    callOpen_ = true;
}

void SimHost::nativePush64(std::uint64_t value) {
    if (!callOpen_) {
        addError("nativePush64 without nativeInit");
        return;
    }
    if (pending_.argCount >= static_cast<int>(pending_.slots.size())) {
        addError("too many arguments pushed");
        return;
    }
    pending_.slots[static_cast<std::size_t>(pending_.argCount++)] = value;
}

std::uint64_t* SimHost::nativeCall() {
    resultBlock_.fill(0);
    if (!callOpen_) {
        addError("nativeCall without nativeInit");
        return resultBlock_.data();
    }
    callOpen_ = false;
    ++callCount_;
    NativeCall& call = pending_;
    if (call.native < 0) {
        addError("unknown native hash " + std::to_string(call.hash));
    } else {
        const NativeInfo& info = nativeInfo(call.native);
        if (static_cast<std::size_t>(call.argCount) != info.args.size()) {
            addError(std::string(info.name) + " called with " + std::to_string(call.argCount) +
                     " arguments, expected " + std::to_string(info.args.size()));
        }
        for (int i = 0; i < call.argCount && static_cast<std::size_t>(i) < info.args.size(); ++i) {
            if (argKind(info, i) != ArgKind::Text) continue;
            const auto* text =
                reinterpret_cast<const char*>(static_cast<std::uintptr_t>(call.slots[static_cast<std::size_t>(i)]));
            call.texts.emplace_back(text != nullptr ? text : "");
        }
        if (call.native == throwOnNative_) {
            throwOnNative_ = -1;
            throw std::bad_alloc();
        }
        NativeContext context{*this, world_, call.slots.data(), call.argCount, resultBlock_.data()};
        if (answerSource_ != nullptr) {
            answerSource_->answer(call.native, context);
        } else if (NativeHandler handler = handlers_[static_cast<std::size_t>(call.native)]; handler != nullptr) {
            handler(context);
        }
    }
    call.result = resultBlock_;
    if (config_.recordCalls) calls_.push_back(call);
    for (auto& observer : callObservers_) observer(call);
    return resultBlock_.data();
}

}  // namespace sim
