// ScriptFiber on ucontext (Linux, with AddressSanitizer told about each stack switch) or Win32 fibers.
#include "host/fiber.h"

#include <cstddef>
#include <cstdlib>
#include <vector>

#if defined(_WIN32)
#include <windows.h>
#else
#include <ucontext.h>
#endif

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SIM_ASAN 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define SIM_ASAN 1
#endif
#if defined(SIM_ASAN)
#include <sanitizer/common_interface_defs.h>
#endif

namespace sim {

namespace {
constexpr std::size_t stackBytes = 4u << 20;
}

#if defined(_WIN32)

struct FiberImpl {
    ScriptFiber::Body body = nullptr;
    void* context = nullptr;
    void* hostFiber = nullptr;
    void* scriptFiber = nullptr;
    bool convertedThread = false;
    bool finished = false;

    static void CALLBACK entry(void* parameter) {
        auto* self = static_cast<FiberImpl*>(parameter);
        self->body(self->context);
        self->finished = true;
        SwitchToFiber(self->hostFiber);
    }
};

ScriptFiber::ScriptFiber(Body body, void* context) : impl_(std::make_unique<FiberImpl>()) {
    impl_->body = body;
    impl_->context = context;
    impl_->scriptFiber = CreateFiber(stackBytes, &FiberImpl::entry, impl_.get());
    if (impl_->scriptFiber == nullptr) std::abort();
}

ScriptFiber::~ScriptFiber() {
    if (impl_->scriptFiber != nullptr) DeleteFiber(impl_->scriptFiber);
}

// GCC 12 takes MinGW's inline GetCurrentFiber (a read at gs:0x20) for an access past an empty
// array and warns; the read is the documented way to find the running fiber.
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif
void ScriptFiber::resume() {
    if (impl_->finished) return;
    if (!IsThreadAFiber()) {
        ConvertThreadToFiber(nullptr);
        impl_->convertedThread = true;
    }
    impl_->hostFiber = GetCurrentFiber();
    SwitchToFiber(impl_->scriptFiber);
}
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

void ScriptFiber::yield() { SwitchToFiber(impl_->hostFiber); }

#else

struct FiberImpl {
    ScriptFiber::Body body = nullptr;
    void* context = nullptr;
    ucontext_t host{};
    ucontext_t script{};
    std::vector<unsigned char> stack;
    bool finished = false;
#if defined(SIM_ASAN)
    void* hostFakeStack = nullptr;
    const void* hostStackBottom = nullptr;
    std::size_t hostStackSize = 0;
#endif

    static void entry(unsigned int high, unsigned int low) {
        auto* self = reinterpret_cast<FiberImpl*>((static_cast<std::uintptr_t>(high) << 32) | low);
#if defined(SIM_ASAN)
        __sanitizer_finish_switch_fiber(nullptr, &self->hostStackBottom, &self->hostStackSize);
#endif
        self->body(self->context);
        self->finished = true;
#if defined(SIM_ASAN)
        __sanitizer_start_switch_fiber(nullptr, self->hostStackBottom, self->hostStackSize);
#endif
        swapcontext(&self->script, &self->host);
    }
};

ScriptFiber::ScriptFiber(Body body, void* context) : impl_(std::make_unique<FiberImpl>()) {
    impl_->body = body;
    impl_->context = context;
    impl_->stack.resize(stackBytes);
    getcontext(&impl_->script);
    impl_->script.uc_stack.ss_sp = impl_->stack.data();
    impl_->script.uc_stack.ss_size = impl_->stack.size();
    impl_->script.uc_link = nullptr;
    const auto address = reinterpret_cast<std::uintptr_t>(impl_.get());
    makecontext(&impl_->script, reinterpret_cast<void (*)()>(&FiberImpl::entry), 2,
                static_cast<unsigned int>(address >> 32), static_cast<unsigned int>(address & 0xFFFFFFFFu));
}

ScriptFiber::~ScriptFiber() = default;

void ScriptFiber::resume() {
    if (impl_->finished) return;
#if defined(SIM_ASAN)
    __sanitizer_start_switch_fiber(&impl_->hostFakeStack, impl_->stack.data(), impl_->stack.size());
#endif
    swapcontext(&impl_->host, &impl_->script);
#if defined(SIM_ASAN)
    __sanitizer_finish_switch_fiber(impl_->hostFakeStack, nullptr, nullptr);
#endif
}

void ScriptFiber::yield() {
#if defined(SIM_ASAN)
    void* fakeStack = nullptr;
    __sanitizer_start_switch_fiber(&fakeStack, impl_->hostStackBottom, impl_->hostStackSize);
#endif
    swapcontext(&impl_->script, &impl_->host);
#if defined(SIM_ASAN)
    __sanitizer_finish_switch_fiber(fakeStack, &impl_->hostStackBottom, &impl_->hostStackSize);
#endif
}

#endif

bool ScriptFiber::finished() const { return impl_->finished; }

}  // namespace sim
