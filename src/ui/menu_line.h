// Draws one caption as game text at pixel positions, optionally over a box sized by its line count.
#pragma once

#include <string>

void drawMenuLine(std::string caption, float lineWidth, float lineMargin, float lineTop, float lineLeft,
                  float textIndent, bool active, bool title, bool centreWhenMeasuring, bool centreWhenDrawing,
                  bool withBox);
