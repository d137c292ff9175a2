// The simulated host: clock, keyboard, native dispatch and recording, and the script's fiber.
#pragma once

#include "host/call_record.h"
#include "host/fiber.h"
#include "host/native_context.h"
#include "host/native_table.h"
#include "world/world.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace sim {

// Thrown from scriptWait once a stop has been requested; it unwinds the script's stack.
struct HostStop {};

struct HostConfig {
    std::uint32_t startTick = 100000;
    std::uint32_t frameMs = 16;
    bool recordCalls = true;
};

// Answers every known native in place of the world's handlers (fuzzing, minimal benchmark worlds).
class AnswerSource {
public:
    virtual ~AnswerSource() = default;
    virtual void answer(int nativeIndex, NativeContext& call) = 0;
};

// How the host loads a script: a fresh state, then the library's attach notification.
struct ScriptModule {
    void (*resetState)() = nullptr;
    int (*dllMain)(void* module, std::uint32_t reason, void* reserved) = nullptr;
};

class SimHost {
public:
    explicit SimHost(HostConfig config = {});
    ~SimHost();
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // The host that the exported functions talk to; null when none exists.
    static SimHost* current();

    World& world() { return world_; }
    const World& world() const { return world_; }

    // Script lifecycle. load() resets the script and sends the attach notification; start()
    // makes the registered entry run from the next frame on; stop() unwinds it. unload() sends
    // the detach notification, after which a well-behaved script has unregistered.
    void load(const ScriptModule& module);
    void unload(const ScriptModule& module);
    void start();
    void stop();
    bool registered() const { return entry_ != nullptr; }
    bool scriptFinished() const;

    // Time. Each frame moves the clock by the frame length, runs the frame hooks, then lets the
    // script run if its wait is over.
    void runFrames(std::uint64_t count);
    void runFor(std::uint32_t ms);
    // Runs frames until `done` holds after a frame, at most `maxFrames`; true when it held.
    bool runUntil(const std::function<bool()>& done, std::uint64_t maxFrames);
    std::uint64_t frame() const { return frame_; }
    std::uint32_t tick() const { return tick_; }
    std::uint32_t frameMs() const { return config_.frameMs; }
    void setFrameMs(std::uint32_t ms) { config_.frameMs = ms; }
    void setTick(std::uint32_t tick) { tick_ = tick; }
    // Hooks run at the top of every frame, before the script: scenario timelines use them.
    void addFrameHook(std::function<void(SimHost&)> hook) { frameHooks_.push_back(std::move(hook)); }

    // Where the script library lies, as GetModuleFileNameW reports it; its folder holds the
    // settings file and the log. Empty: the script has no folder (no settings, no log).
    void setScriptPath(std::string path) { scriptPath_ = std::move(path); }
    const std::string& scriptPath() const { return scriptPath_; }

    // Keyboard and mouse, as GetAsyncKeyState reports them.
    void setKey(int virtualKey, bool down) { keys_[static_cast<std::size_t>(virtualKey & 0xFF)] = down; }
    bool keyDown(int virtualKey) const { return keys_[static_cast<std::size_t>(virtualKey & 0xFF)]; }
    void releaseAllKeys() { keys_.fill(false); }

    // Window focus, as GetForegroundWindow and GetWindowThreadProcessId report it: with the focus,
    // the foreground window is the game's, owned by the game's process; without it, the window of
    // another program.
    void setFocus(bool focused) { focused_ = focused; }
    bool focused() const { return focused_; }
    void setProcessId(std::uint32_t id) { processId_ = id; }
    std::uint32_t processId() const { return processId_; }
    std::uintptr_t foregroundWindow() const { return focused_ ? gameWindow : otherWindow; }
    std::uint32_t windowProcessId(std::uintptr_t window) const {
        return window == gameWindow ? processId_ : processId_ + 1;
    }
    static constexpr std::uintptr_t gameWindow = 0x10010;
    static constexpr std::uintptr_t otherWindow = 0x20020;

    // Recording. Every call is recorded while recordCalls is set; observers see each call.
    const std::vector<NativeCall>& calls() const { return calls_; }
    void clearCalls() { calls_.clear(); }
    std::uint64_t callCount() const { return callCount_; }
    void setRecordCalls(bool record) { config_.recordCalls = record; }
    void addCallObserver(std::function<void(const NativeCall&)> observer) {
        callObservers_.push_back(std::move(observer));
    }
    std::vector<const NativeCall*> callsNamed(const std::string& name) const;
    std::size_t countCalls(const std::string& name) const;
    std::uint64_t waitCount() const { return waitCount_; }

    // Protocol faults: unknown hashes, wrong argument counts, calls outside the script.
    const std::vector<std::string>& errors() const { return errors_; }
    void addError(std::string message);

    // Fault injection: the next call of this native throws std::bad_alloc into the script.
    void throwOnNextCall(const std::string& name);

    void setHandler(NativeId native, NativeHandler handler);
    // While set, the source answers every known native and no handler runs; null restores them.
    void setAnswerSource(AnswerSource* source) { answerSource_ = source; }

    // The host exports, reached through the exported functions.
    void scriptRegister(void* module, void (*entry)());
    // The script of that module runs no more.
    void scriptUnregister(void* module);
    std::uint64_t unregisterCount() const { return unregisterCount_; }
    void scriptWait(std::uint32_t ms);
    void nativeInit(std::uint64_t hash);
    void nativePush64(std::uint64_t value);
    std::uint64_t* nativeCall();
    std::uint32_t getTickCount() const { return tick_; }
    // Every key the script read, in order, while calls are recorded.
    struct KeyRead {
        std::uint64_t frame;
        int virtualKey;
    };
    std::int16_t getAsyncKeyState(int virtualKey) const {
        if (config_.recordCalls) keyReads_.push_back(KeyRead{frame_, virtualKey});
        return keyDown(virtualKey) ? static_cast<std::int16_t>(0x8000) : 0;
    }
    const std::vector<KeyRead>& keyReads() const { return keyReads_; }
    void clearKeyReads() { keyReads_.clear(); }

private:
    static void fiberBody(void* self);
    void beginFrame();
    bool waitIsOver() const;
    void resumeScript();

    HostConfig config_;
    World world_;
    std::array<bool, 256> keys_{};
    std::string scriptPath_;
    bool focused_ = true;
    std::uint32_t processId_ = 0x1F40;
    mutable std::vector<KeyRead> keyReads_;  // read-only queries record what was asked
    std::uint64_t frame_ = 0;
    std::uint32_t tick_ = 0;
    std::vector<std::function<void(SimHost&)>> frameHooks_;

    void (*entry_)() = nullptr;
    void* module_ = nullptr;
    std::uint64_t unregisterCount_ = 0;
    std::unique_ptr<ScriptFiber> fiber_;
    bool started_ = false;
    bool inScript_ = false;
    bool stopRequested_ = false;
    std::uint32_t waitMs_ = 0;
    std::uint32_t waitStart_ = 0;
    std::uint64_t waitCount_ = 0;

    NativeCall pending_;
    bool callOpen_ = false;
    std::array<std::uint64_t, 3> resultBlock_{};
    std::vector<NativeHandler> handlers_;
    std::vector<NativeCall> calls_;
    std::uint64_t callCount_ = 0;
    std::vector<std::function<void(const NativeCall&)>> callObservers_;
    std::vector<std::string> errors_;
    int throwOnNative_ = -1;
    AnswerSource* answerSource_ = nullptr;
};

// Every native handler file registers its handlers here.
void registerAllHandlers(SimHost& host);

}  // namespace sim
