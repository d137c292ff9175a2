// Natives about the screen: resolution, texture dictionaries, text and rectangles.
#include "natives/handlers.h"

namespace sim {
namespace {

void getScreenResolution(NativeContext& call) {
    if (auto* width = call.pointerArg<std::int32_t>(0)) *width = call.world.screen.width;
    if (auto* height = call.pointerArg<std::int32_t>(1)) *height = call.world.screen.height;
}

void requestStreamedTextureDict(NativeContext& call) {
    const char* name = call.textArg(0);
    call.world.screen.requestedTextureDicts.emplace_back(name != nullptr ? name : "");
}

}  // namespace

void registerScreenHandlers(SimHost& host) {
    host.setHandler(nativeIndex("GET_SCREEN_RESOLUTION"), getScreenResolution);
    host.setHandler(nativeIndex("REQUEST_STREAMED_TEXTURE_DICT"), requestStreamedTextureDict);
}

}  // namespace sim
