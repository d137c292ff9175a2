// A paused live session of the real script that a test steps frame by frame.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "play/session.h"

namespace test {

// The session on the default road (or `world`), paused after its first frame.
std::unique_ptr<play::Session> pausedSession(const std::string& world = "");
// Runs `frames` more frames and waits for them.
void playFrames(play::Session& session, std::uint32_t frames);
// Queues an entry and runs `frames` frames.
void playEntry(play::Session& session, const std::string& json, std::uint32_t frames);

}  // namespace test
