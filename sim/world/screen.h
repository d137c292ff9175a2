// The simulated screen: resolution, the text state the SET_TEXT_* natives set, and what was drawn.
#pragma once

#include <cstddef>
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

// What the SET_TEXT_* natives have set since the last text command. Every END_TEXT_COMMAND_*
// consumes it and puts it back to these defaults, so nothing carries over to the next command.
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

// A caption the script drew, at screen fractions (0..1 across and down). `x` is the left end of
// the text, or its centre when `style.centre` is set; `y` is the top of the first line.
struct DrawnText {
    std::string caption;
    float x = 0.0f;
    float y = 0.0f;
    TextStyle style;
    std::string entry;  // the text entry the command began with ("STRING" for plain text)
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

// Which text command is open between its BEGIN and END natives.
enum class TextCommand : std::uint8_t { None, Display, LineCount };

// Text layout model. The simulated game has no fonts; it lays text out by these rules, which the
// line-count query, the character-height query and the SVG picture all share:
// - One line of text at scale s is `lineHeightPerScale` × s of the screen height tall; this is
//   what GET_RENDERED_CHARACTER_HEIGHT answers (the font is ignored).
// - Every character (UTF-8 code point) advances `glyphAdvancePerLine` of that line height, in
//   pixels, so text keeps its proportions on any screen shape.
// - Left-aligned text starts at x and may run to the right screen edge: (1 − x) × width pixels.
//   Centred text is centred on x and may run as far as the nearer screen edge on both sides:
//   2 × min(x, 1 − x) × width pixels. y plays no part.
// - A line holds as many whole characters as fit (at least one). Words are separated by single
//   spaces and fill lines greedily; the space at a break is dropped; a word longer than a line is
//   broken between characters.
// - An empty caption has no lines.
inline constexpr float lineHeightPerScale = 0.06f;
inline constexpr float glyphAdvancePerLine = 0.5f;

// Height of one line of text at `scale`, as a fraction of the screen height.
float textLineHeight(float scale);
// Advance of one character at `scale`, in pixels of a screen `screenHeight` pixels tall.
float glyphAdvancePixels(float scale, std::int32_t screenHeight);
// Splits `text` into the lines the model lays it out in at x, on a screen of the given size.
std::vector<std::string> layoutText(const std::string& text, float x, const TextStyle& style, std::int32_t screenWidth,
                                    std::int32_t screenHeight);
// Number of characters (UTF-8 code points) in `text`.
std::size_t characterCount(const std::string& text);

struct Screen {
    std::int32_t width = 1280;
    std::int32_t height = 720;
    std::vector<std::string> requestedTextureDicts;

    // Text command under construction.
    TextStyle style;
    TextCommand command = TextCommand::None;
    std::string commandEntry;
    std::string commandText;

    ScreenFrame current;   // being drawn this frame
    ScreenFrame previous;  // the last complete frame
    // When set, every frame is kept in `history` (tests and reports; off for long runs).
    bool keepHistory = false;
    std::vector<ScreenFrame> history;

    // Closes the current frame and opens frame `frame`.
    void beginFrame(std::uint64_t frame);
    // The frame with this number: the current one, the previous one, or one kept in `history`;
    // null when it is none of these.
    const ScreenFrame* frameNumbered(std::uint64_t frame) const;

    // The layout model the line-count and character-height queries answer from.
    std::int32_t lineCount(const std::string& text, float x, float y, const TextStyle& textStyle) const;
    float characterHeight(float scale) const;
};

}  // namespace sim
