// A stack of its own for the script entry, switched to and from by the host (ucontext or Win32 fibers).
#pragma once

#include <memory>

namespace sim {

struct FiberImpl;

class ScriptFiber {
public:
    using Body = void (*)(void* context);

    ScriptFiber(Body body, void* context);
    ~ScriptFiber();
    ScriptFiber(const ScriptFiber&) = delete;
    ScriptFiber& operator=(const ScriptFiber&) = delete;

    // From the host: run the script until it yields or its body returns.
    void resume();
    // From the script: hand control back to the host.
    void yield();
    bool finished() const;

private:
    std::unique_ptr<FiberImpl> impl_;
};

}  // namespace sim
