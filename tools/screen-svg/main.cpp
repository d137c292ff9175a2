// screen-svg: runs the real script in the simulated host, opens the vehicle menu with a status
// message showing, and writes that frame as an SVG picture.
//
//   screen-svg [--out FILE] [--width N] [--height N] [--vehicle 0|1|2] [--message TEXT]
// (width and height from 1 to 16384; --help lists the options)
//
// It opens the menu with Ctrl+I, moves to the vehicle and chooses it, then waits for the spawn to
// return. The spawn's own message is shown while the script is held inside the menu, so it has
// expired by the time the menu can be seen again; the tool therefore shows a message the way the
// attack-mode switch does after its hold (setStatusText for 3000 ms, with the script running),
// using the spawn's last caption when there was one, and then presses Ctrl+I again. The frame
// after that shows the five menu lines and the message bar together.
#include "command_line.h"
#include "host/sim_host.h"
#include "render/svg.h"
#include "runtime/state.h"
#include "script_link/script_module.h"
#include "ui/status_text.h"
#include "ui/vocabulary.h"

#include <cstdint>
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
// Past any real screen, and small enough that the picture stays a sensible file.
constexpr std::uint64_t maxScreenSide = 16384;

struct Options {
    std::string out = "screen.svg";
    std::int32_t width = 1280;
    std::int32_t height = 720;
    int vehicle = 1;
    std::string message;
};

// -1 to go on, or the exit status.
int parseOptions(int argc, char** argv, Options& options) {
    CLI::App app{
        "Runs the Tobek Gunner script in the simulated host, opens the vehicle menu with a status message "
        "showing and writes that frame as an SVG picture.",
        "screen-svg"};
    app.footer("Pictures of the screen: docs/screen-pictures.md");
    app.add_option("--out", options.out, "The SVG file to write")->type_name("FILE")->capture_default_str();
    tools::addWholeNumber(app, "--width", options.width, "The screen width the script reads, in pixels", "N", 1,
                          maxScreenSide);
    tools::addWholeNumber(app, "--height", options.height, "The screen height the script reads, in pixels", "N", 1,
                          maxScreenSide);
    tools::addWholeNumber(app, "--vehicle", options.vehicle,
                          "The menu line to choose: 0 Technical, 1 Insurgent, 2 Valkyrie", "0|1|2", 0,
                          menuVehicles.size() - 1);
    app.add_option("--message", options.message, "The status message to show (default: the spawn's own)")
        ->type_name("TEXT");
    return tools::parseCommandLine(app, argc, argv);
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
    if (const int status = parseOptions(argc, argv, options); status >= 0) return status;

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
