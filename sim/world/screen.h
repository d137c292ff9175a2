// The simulated screen: resolution, the text state the SET_TEXT_* natives set, and what was drawn.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct Rgba {
    std::int32_t r = 255;
    std::int32_t g = 255;
    std::int32_t b = 255;
    std::int32_t a = 255;
};

// What the SET_TEXT_* natives have set since the last text command.
struct TextStyle {
    std::int32_t font = 0;
    float scale = 0.0f;  // SET_TEXT_SCALE's second argument: the one the game uses for size
    Rgba colour;
    bool centre = false;
    std::int32_t dropShadowDistance = 0;
    Rgba dropShadow{0, 0, 0, 0};
    std::int32_t edge = 0;
    Rgba edgeColour{0, 0, 0, 0};
};

// A caption the script drew, at screen fractions (0..1 across and down).
struct DrawnText {
    std::string caption;
    float x = 0.0f;
    float y = 0.0f;
    TextStyle style;
};

// A DRAW_RECT box, given by its centre and size in screen fractions.
struct DrawnRect {
    float centreX = 0.0f;
    float centreY = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
    Rgba colour;
};

// Everything drawn during one frame.
struct ScreenFrame {
    std::uint64_t frame = 0;
    std::vector<DrawnText> texts;
    std::vector<DrawnRect> rects;
};

struct Screen {
    std::int32_t width = 1280;
    std::int32_t height = 720;
    std::vector<std::string> requestedTextureDicts;

    // Text command under construction.
    TextStyle style;
    std::string commandEntry;
    std::string commandText;

    ScreenFrame current;   // being drawn this frame
    ScreenFrame previous;  // the last complete frame
    // When set, every frame is kept in `history` (tests and reports; off for long runs).
    bool keepHistory = false;
    std::vector<ScreenFrame> history;

    // Closes the current frame and opens frame `frame`.
    void beginFrame(std::uint64_t frame);

    // The layout model the line-count and character-height queries answer from.
    std::int32_t lineCount(const std::string& text, float x, float y, const TextStyle& textStyle) const;
    float characterHeight(float scale) const;
};

}  // namespace sim
