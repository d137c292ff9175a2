// The screen model: frame bookkeeping and the deterministic text layout.
#include "world/screen.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace sim {
namespace {

bool isContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0u) == 0x80u; }

// The characters of `text`, each as the bytes of one code point.
std::vector<std::string> splitCharacters(const std::string& text) {
    std::vector<std::string> characters;
    for (char c : text) {
        if (isContinuationByte(c) && !characters.empty()) {
            characters.back().push_back(c);
        } else {
            characters.emplace_back(1, c);
        }
    }
    return characters;
}

std::vector<std::string> splitWords(const std::string& text) {
    std::vector<std::string> words(1);
    for (char c : text) {
        if (c == ' ') {
            words.emplace_back();
        } else {
            words.back().push_back(c);
        }
    }
    return words;
}

// How many characters one line may hold; at least one.
std::size_t charactersPerLine(float x, const TextStyle& style, std::int32_t screenWidth, std::int32_t screenHeight) {
    const double advance = glyphAdvancePixels(style.scale, screenHeight);
    if (!(advance > 0.0)) return std::numeric_limits<std::size_t>::max();
    const double room =
        style.centre ? 2.0 * std::min<double>(x, 1.0 - static_cast<double>(x)) : 1.0 - static_cast<double>(x);
    const double pixels = room * screenWidth;
    if (!(pixels >= advance)) return 1;
    return std::max<std::size_t>(1, static_cast<std::size_t>(std::floor(pixels / advance)));
}

// Lays out lines word by word, breaking words that do not fit on a line of their own.
class LineBuilder {
public:
    explicit LineBuilder(std::size_t limit) : limit_(limit) {}

    void addWord(const std::string& word) {
        const std::size_t length = characterCount(word);
        if (started_ && length_ + 1 + length <= limit_) {
            line_ += ' ';
            line_ += word;
            length_ += 1 + length;
            return;
        }
        if (started_) lines_.push_back(std::move(line_));
        startWith(word, length);
    }

    std::vector<std::string> finish() {
        if (started_) lines_.push_back(std::move(line_));
        return std::move(lines_);
    }

private:
    void startWith(const std::string& word, std::size_t length) {
        line_.clear();
        length_ = 0;
        started_ = true;
        if (length <= limit_) {
            line_ = word;
            length_ = length;
            return;
        }
        for (const std::string& character : splitCharacters(word)) {
            if (length_ == limit_) {
                lines_.push_back(std::move(line_));
                line_.clear();
                length_ = 0;
            }
            line_ += character;
            ++length_;
        }
    }

    std::size_t limit_;
    std::vector<std::string> lines_;
    std::string line_;
    std::size_t length_ = 0;
    bool started_ = false;
};

}  // namespace

float textLineHeight(float scale) { return lineHeightPerScale * scale; }

float glyphAdvancePixels(float scale, std::int32_t screenHeight) {
    return glyphAdvancePerLine * textLineHeight(scale) * static_cast<float>(screenHeight);
}

std::size_t characterCount(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return !isContinuationByte(c); }));
}

std::vector<std::string> layoutText(const std::string& text, float x, const TextStyle& style, std::int32_t screenWidth,
                                    std::int32_t screenHeight) {
    if (text.empty()) return {};
    LineBuilder builder(charactersPerLine(x, style, screenWidth, screenHeight));
    for (const std::string& word : splitWords(text)) builder.addWord(word);
    return builder.finish();
}

void Screen::beginFrame(std::uint64_t frame) {
    if (keepHistory && current.frame != 0) history.push_back(current);
    previous = std::move(current);
    current = ScreenFrame{};
    current.frame = frame;
}

const ScreenFrame* Screen::frameNumbered(std::uint64_t frame) const {
    if (current.frame == frame) return &current;
    if (previous.frame == frame) return &previous;
    for (const ScreenFrame& kept : history) {
        if (kept.frame == frame) return &kept;
    }
    return nullptr;
}

std::int32_t Screen::lineCount(const std::string& text, float x, float /*y*/, const TextStyle& textStyle) const {
    return static_cast<std::int32_t>(layoutText(text, x, textStyle, width, height).size());
}

float Screen::characterHeight(float scale) const { return textLineHeight(scale); }

}  // namespace sim
