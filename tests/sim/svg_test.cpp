// The SVG picture of a screen frame: sizes, positions, colours, layering and escaping.
#include "render/svg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

sim::DrawnText statusLikeText() {
    sim::DrawnText text;
    text.caption = "A & <b>";
    text.x = 0.5f;
    text.y = 0.5f;
    text.style.scale = 0.40f;
    text.style.colour = {98, 190, 255, 255};
    text.style.centre = true;
    text.style.dropShadowDistance = 1;
    text.style.dropShadow = {10, 10, 10, 255};
    text.style.edge = 1;
    text.style.edgeColour = {10, 10, 10, 205};
    return text;
}

TEST(ScreenSvg, AnEmptyFrameIsTheBackdropAtTheScreenSize) {
    sim::ScreenFrame frame;
    frame.frame = 7;
    const std::string svg = sim::renderScreenSvg(frame, 800, 600);
    EXPECT_NE(
        svg.find("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"800\" height=\"600\" viewBox=\"0 0 800 600\">"),
        std::string::npos);
    EXPECT_NE(svg.find("frame 7"), std::string::npos);
    EXPECT_EQ(occurrences(svg, "<rect "), 1u);
    EXPECT_EQ(occurrences(svg, "<text "), 0u);
    EXPECT_EQ(svg.substr(svg.size() - 7), "</svg>\n");
}

TEST(ScreenSvg, BoxesBecomePixelRectanglesWithTheirAlphaBeneathTheText) {
    sim::ScreenFrame frame;
    frame.texts.push_back(statusLikeText());
    frame.rects.push_back({0.5f, 0.9f, 1.0f, 0.1f, {15, 16, 17, 150}});
    const std::string svg = sim::renderScreenSvg(frame, 800, 600);

    const std::string box =
        "<rect x=\"0.00\" y=\"510.00\" width=\"800.00\" height=\"60.00\" fill=\"rgb(15,16,17)\" "
        "fill-opacity=\"0.588\"/>";
    const std::size_t boxAt = svg.find(box);
    ASSERT_NE(boxAt, std::string::npos) << svg;
    EXPECT_LT(boxAt, svg.find("<text "));
}

TEST(ScreenSvg, TextIsPlacedByTheLayoutModelWithShadowAndEdge) {
    sim::ScreenFrame frame;
    frame.texts.push_back(statusLikeText());
    const std::string svg = sim::renderScreenSvg(frame, 800, 600);

    // Scale 0.40 at 600 pixels: lines 14.4 pixels tall, characters 7.2 across.
    EXPECT_NE(svg.find("font-size=\"11.96\" text-anchor=\"middle\""), std::string::npos) << svg;
    const std::string shadow = "<text x=\"401.00\" y=\"312.23\" fill=\"rgb(10,10,10)\" fill-opacity=\"1.000\">";
    const std::string face =
        "<text x=\"400.00\" y=\"311.23\" fill=\"rgb(98,190,255)\" fill-opacity=\"1.000\" stroke=\"rgb(10,10,10)\" "
        "stroke-opacity=\"0.804\"";
    ASSERT_NE(svg.find(shadow), std::string::npos) << svg;
    ASSERT_NE(svg.find(face), std::string::npos) << svg;
    EXPECT_LT(svg.find(shadow), svg.find(face));
    EXPECT_EQ(occurrences(svg, ">A &amp; &lt;b&gt;</text>"), 2u);
}

TEST(ScreenSvg, AWrappedCaptionIsDrawnLineUnderLine) {
    sim::DrawnText text;
    text.caption = std::string(150, 'w');
    text.style.scale = 0.40f;
    sim::ScreenFrame frame;
    frame.texts.push_back(text);
    const std::string svg = sim::renderScreenSvg(frame, 800, 600);

    EXPECT_EQ(occurrences(svg, "<text "), 2u);  // no shadow, no edge
    EXPECT_EQ(occurrences(svg, "stroke="), 0u);
    EXPECT_NE(svg.find("<text x=\"0.00\" y=\"11.23\" fill=\"rgb(255,255,255)\" fill-opacity=\"1.000\">" +
                       std::string(111, 'w') + "</text>"),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("<text x=\"0.00\" y=\"25.63\" fill=\"rgb(255,255,255)\" fill-opacity=\"1.000\">" +
                       std::string(39, 'w') + "</text>"),
              std::string::npos)
        << svg;
}

}  // namespace
