// The one timed status message at the bottom of the screen.
#pragma once

#include <cstdint>
#include <string>

void setStatusText(std::string text, std::uint32_t durationMs);
void drawStatusText();
void showStatusTextAndWait(std::string text, std::uint32_t durationMs);
