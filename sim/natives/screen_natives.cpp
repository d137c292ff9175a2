// Natives about the screen: resolution, texture dictionaries, text and rectangles.
#include "natives/handlers.h"

#include <string>

namespace sim {
namespace {

Rgba rgbaArgs(const NativeContext& call, int first) {
    return Rgba{call.intArg(first), call.intArg(first + 1), call.intArg(first + 2), call.intArg(first + 3)};
}

std::string textOrEmpty(const char* text) { return text != nullptr ? text : ""; }

void getScreenResolution(NativeContext& call) {
    if (auto* width = call.pointerArg<std::int32_t>(0)) *width = call.world.screen.width;
    if (auto* height = call.pointerArg<std::int32_t>(1)) *height = call.world.screen.height;
}

void requestStreamedTextureDict(NativeContext& call) {
    call.world.screen.requestedTextureDicts.push_back(textOrEmpty(call.textArg(0)));
}

void setTextFont(NativeContext& call) { call.world.screen.style.font = call.intArg(0); }
void setTextScale(NativeContext& call) { call.world.screen.style.scale = call.floatArg(1); }
void setTextColour(NativeContext& call) { call.world.screen.style.colour = rgbaArgs(call, 0); }
void setTextCentre(NativeContext& call) { call.world.screen.style.centre = call.boolArg(0); }

void setTextDropshadow(NativeContext& call) {
    call.world.screen.style.dropShadowDistance = call.intArg(0);
    call.world.screen.style.dropShadow = rgbaArgs(call, 1);
}

void setTextEdge(NativeContext& call) {
    call.world.screen.style.edge = call.intArg(0);
    call.world.screen.style.edgeColour = rgbaArgs(call, 1);
}

const char* commandName(TextCommand command) { return command == TextCommand::Display ? "display-text" : "line-count"; }

void beginTextCommand(NativeContext& call, TextCommand command) {
    Screen& screen = call.world.screen;
    if (screen.command != TextCommand::None) {
        call.host.addError(std::string("a ") + commandName(command) + " command began while a " +
                           commandName(screen.command) + " command was open");
    }
    screen.command = command;
    screen.commandEntry = textOrEmpty(call.textArg(0));
    screen.commandText.clear();
}

// Closes the open command when it is `command`; the text state is consumed either way.
bool endTextCommand(NativeContext& call, TextCommand command) {
    Screen& screen = call.world.screen;
    const bool matches = screen.command == command;
    if (!matches) {
        call.host.addError(std::string("a ") + commandName(command) + " command ended without its begin");
    }
    screen.command = TextCommand::None;
    return matches;
}

void resetTextCommand(Screen& screen) {
    screen.style = TextStyle{};
    screen.commandEntry.clear();
    screen.commandText.clear();
}

void beginDisplayText(NativeContext& call) { beginTextCommand(call, TextCommand::Display); }
void beginLineCount(NativeContext& call) { beginTextCommand(call, TextCommand::LineCount); }

void addSubstring(NativeContext& call) {
    Screen& screen = call.world.screen;
    if (screen.command == TextCommand::None) {
        call.host.addError("a text component was added outside a text command");
        return;
    }
    screen.commandText += textOrEmpty(call.textArg(0));
}

void endDisplayText(NativeContext& call) {
    Screen& screen = call.world.screen;
    if (endTextCommand(call, TextCommand::Display)) {
        screen.current.texts.push_back(
            DrawnText{screen.commandText, call.floatArg(0), call.floatArg(1), screen.style, screen.commandEntry});
    }
    resetTextCommand(screen);
}

void endLineCount(NativeContext& call) {
    Screen& screen = call.world.screen;
    std::int32_t lines = 0;
    if (endTextCommand(call, TextCommand::LineCount)) {
        lines = screen.lineCount(screen.commandText, call.floatArg(0), call.floatArg(1), screen.style);
    }
    call.returnInt(lines);
    resetTextCommand(screen);
}

void getRenderedCharacterHeight(NativeContext& call) {
    call.returnFloat(call.world.screen.characterHeight(call.floatArg(0)));
}

void drawRect(NativeContext& call) {
    call.world.screen.current.rects.push_back(
        DrawnRect{call.floatArg(0), call.floatArg(1), call.floatArg(2), call.floatArg(3), rgbaArgs(call, 4)});
}

}  // namespace

void registerScreenHandlers(SimHost& host) {
    host.setHandler(NativeId::GetScreenResolution, getScreenResolution);
    host.setHandler(NativeId::RequestStreamedTextureDict, requestStreamedTextureDict);
    host.setHandler(NativeId::SetTextFont, setTextFont);
    host.setHandler(NativeId::SetTextScale, setTextScale);
    host.setHandler(NativeId::SetTextColour, setTextColour);
    host.setHandler(NativeId::SetTextCentre, setTextCentre);
    host.setHandler(NativeId::SetTextDropshadow, setTextDropshadow);
    host.setHandler(NativeId::SetTextEdge, setTextEdge);
    host.setHandler(NativeId::BeginTextCommandDisplayText, beginDisplayText);
    host.setHandler(NativeId::AddTextComponentSubstringPlayerName, addSubstring);
    host.setHandler(NativeId::EndTextCommandDisplayText, endDisplayText);
    host.setHandler(NativeId::BeginTextCommandGetNumberOfLinesForString, beginLineCount);
    host.setHandler(NativeId::EndTextCommandGetNumberOfLinesForString, endLineCount);
    host.setHandler(NativeId::GetRenderedCharacterHeight, getRenderedCharacterHeight);
    host.setHandler(NativeId::DrawRect, drawRect);
}

}  // namespace sim
