// The timed status message.
#include "ui/status_text.h"

void setStatusText(std::string /*text*/, std::uint32_t /*durationMs*/) {}
void drawStatusText() {}
void showStatusTextAndWait(std::string /*text*/, std::uint32_t /*durationMs*/) {}
