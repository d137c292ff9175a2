// screen-svg: runs the real script in the simulated host, opens the vehicle menu with a status
// message showing, and writes that frame as an SVG picture.
//
//   screen-svg [--out FILE] [--width N] [--height N] [--vehicle 0|1|2] [--message TEXT]
//
// It opens the menu with Ctrl+I, moves to the vehicle and chooses it, then waits for the spawn to
// return. The spawn's own message is shown while the script is held inside the menu, so it has
// expired by the time the menu can be seen again; the tool therefore shows a message the way the
// attack-mode switch does after its hold (setStatusText for 3000 ms, with the script running),
// using the spawn's last caption when there was one, and then presses Ctrl+I again. The frame
// after that shows the five menu lines and the message bar together.
#include "host/sim_host.h"
#include "render/svg.h"
#include "runtime/state.h"
#include "script_link/script_module.h"
#include "ui/status_text.h"
#include "ui/vocabulary.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <initializer_list>
#include <iostream>
#include <string>

namespace {

constexpr int keyReturn = 0x0D;
constexpr int keyControl = 0x11;
constexpr int keyI = 0x49;
constexpr int keyNumpad2 = 0x62;
// Shown when the spawn showed none: what E shows first in the Insurgent or the Technical.
constexpr const char* fallbackMessage = attackModeMessages[1];
constexpr std::uint64_t spawnFrameLimit = 20000;

struct Options {
    std::string out = "screen.svg";
    std::int32_t width = 1280;
    std::int32_t height = 720;
    int vehicle = 1;
    std::string message;
};

void usage() {
    std::cerr << "usage: screen-svg [--out FILE] [--width N] [--height N] [--vehicle 0|1|2] [--message TEXT]\n";
}

bool parseOptions(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string flag = argv[i];
        if (flag == "--help" || flag == "-h" || i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (flag == "--out") {
            options.out = value;
        } else if (flag == "--width") {
            options.width = std::atoi(value.c_str());
        } else if (flag == "--height") {
            options.height = std::atoi(value.c_str());
        } else if (flag == "--vehicle") {
            options.vehicle = std::atoi(value.c_str());
        } else if (flag == "--message") {
            options.message = value;
        } else {
            return false;
        }
    }
    return options.width > 0 && options.height > 0 && options.vehicle >= 0 && options.vehicle <= 2;
}

// Holds the keys down for one frame, then lets them go for another.
void press(sim::SimHost& host, std::initializer_list<int> keys) {
    for (int key : keys) host.setKey(key, true);
    host.runFrames(1);
    for (int key : keys) host.setKey(key, false);
    host.runFrames(1);
}

bool showsCaption(const sim::ScreenFrame& frame, const std::string& caption) {
    for (const auto& text : frame.texts) {
        if (text.caption == caption) return true;
    }
    return false;
}

// The status line is the one centred caption over a box.
const sim::DrawnText* statusLine(const sim::ScreenFrame& frame) {
    if (frame.rects.empty()) return nullptr;
    for (const auto& text : frame.texts) {
        if (text.style.centre) return &text;
    }
    return nullptr;
}

// Chooses the vehicle and runs until the spawn has returned; gives the last status caption seen.
std::string chooseVehicle(sim::SimHost& host, int vehicle) {
    for (int step = 0; step < vehicle; ++step) {
        press(host, {keyNumpad2});
        host.runFor(250);
    }
    std::string lastMessage;
    press(host, {keyReturn});
    host.runUntil(
        [&] {
            if (const auto* line = statusLine(host.world().screen.current)) lastMessage = line->caption;
            return !state.menuOpen;
        },
        spawnFrameLimit);
    return lastMessage;
}

void describeFrame(const sim::ScreenFrame& frame) {
    std::cout << "frame " << frame.frame << ": " << frame.texts.size() << " captions, " << frame.rects.size()
              << " boxes\n";
    for (const auto& text : frame.texts) {
        std::cout << "  text \"" << text.caption << "\" at (" << text.x << ", " << text.y << ") scale "
                  << text.style.scale << (text.style.centre ? " centred" : "") << "\n";
    }
    for (const auto& rect : frame.rects) {
        std::cout << "  box centre (" << rect.centreX << ", " << rect.centreY << ") size " << rect.width << " x "
                  << rect.height << " alpha " << rect.colour.a << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        usage();
        return 2;
    }

    sim::SimHost host;
    host.world().screen.width = options.width;
    host.world().screen.height = options.height;
    host.load(sim::linkedScript());
    host.start();
    host.runFrames(2);

    press(host, {keyControl, keyI});
    if (!showsCaption(host.world().screen.current, menuTitle)) {
        std::cerr << "screen-svg: Ctrl+I did not open the menu\n";
        return 1;
    }
    const std::string spawnMessage = chooseVehicle(host, options.vehicle);
    if (state.menuOpen) {
        std::cerr << "screen-svg: the spawn did not return within " << spawnFrameLimit << " frames\n";
        return 1;
    }

    std::string message = options.message;
    if (message.empty()) message = spawnMessage.empty() ? fallbackMessage : spawnMessage;
    std::cout << (spawnMessage.empty() ? "the spawn showed no message" : "the spawn showed \"" + spawnMessage + "\"")
              << "; showing \"" << message << "\" for 3000 ms\n";
    setStatusText(message, 3000);
    press(host, {keyControl, keyI});

    const sim::ScreenFrame& frame = host.world().screen.current;
    describeFrame(frame);
    if (!showsCaption(frame, menuTitle) || statusLine(frame) == nullptr) {
        std::cerr << "screen-svg: the frame does not show both the menu and the message\n";
        return 1;
    }
    std::ofstream file(options.out);
    file << sim::renderScreenSvg(frame, options.width, options.height);
    if (!file) {
        std::cerr << "screen-svg: cannot write " << options.out << "\n";
        return 1;
    }
    std::cout << "wrote " << options.out << "\n";
    return 0;
}
