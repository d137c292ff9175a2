// Menu line drawing: style resolution, pixel-to-screen conversion and the two text passes.
#include "ui/menu_line.h"

#include "runtime/natives.h"
#include "runtime/state.h"
#include "ui/vocabulary.h"

#include <cstdint>

namespace {

struct LineStyle {
    Colour text;
    std::int32_t textAlpha;
    float textScale;
    Colour box;
};

constexpr const char* plainTextEntry = "STRING";

// Active takes its text colour, scale and box colour; title then overrides scale and box colour
// only, so a title keeps the text colour that `active` resolved.
LineStyle resolveStyle(bool active, bool title) {
    LineStyle style{lineTextColour, textAlpha, 0.35f, lineBoxColour};
    if (active) {
        style.text = activeTextColour;
        style.textScale = 0.40f;
        style.box = activeBoxColour;
    }
    if (title) {
        style.textScale = 0.50f;
        style.box = titleBoxColour;
    }
    return style;
}

void applyTextStyle(const LineStyle& style, bool centre) {
    setTextFont(0);
    setTextScale(0.0f, style.textScale);
    setTextColour(style.text.r, style.text.g, style.text.b, style.textAlpha);
    setTextCentre(centre);
    setTextDropshadow(1, textOutlineColour.r, textOutlineColour.g, textOutlineColour.b, dropShadowAlpha);
    setTextEdge(1, textOutlineColour.r, textOutlineColour.g, textOutlineColour.b, edgeAlpha);
}

}  // namespace

void drawMenuLine(std::string caption, float lineWidth, float lineMargin, float lineTop, float lineLeft,
                  float textIndent, bool active, bool title, bool centreWhenMeasuring, bool centreWhenDrawing,
                  bool withBox) {
    const LineStyle style = resolveStyle(active, title);

    // Every step in single precision, in the order written, so positions match to the bit.
    const float rw = 1.0f / static_cast<float>(state.screenWidth);
    const float rh = 1.0f / static_cast<float>(state.screenHeight);
    const float textX = (textIndent + lineLeft) * rw;
    const float boxTop = lineTop * rh + 0.00278f;
    const float textY = (boxTop + lineMargin * rh) - 0.005f;

    applyTextStyle(style, centreWhenDrawing);
    beginTextCommandDisplayText(plainTextEntry);
    addTextComponentSubstringPlayerName(caption.c_str());
    endTextCommandDisplayText(textX, textY);

    applyTextStyle(style, centreWhenMeasuring);
    beginTextCommandGetNumberOfLinesForString(plainTextEntry);
    addTextComponentSubstringPlayerName(caption.c_str());
    const std::int32_t lineCount = endTextCommandGetNumberOfLinesForString(textX, textY);

    if (!withBox) return;
    const float charHeight = getRenderedCharacterHeight(style.textScale, 0);
    const float boxWidth = lineWidth * rw;
    const float boxHeight = (static_cast<float>(lineCount) * charHeight + (lineMargin * rh) * 2.0f) + 0.005f;
    const float boxCentreX = boxWidth * 0.5f + lineLeft * rw;
    const float boxCentreY = boxHeight * 0.5f + boxTop;
    drawRect(boxCentreX, boxCentreY, boxWidth, boxHeight, style.box.r, style.box.g, style.box.b, boxAlpha);
}
