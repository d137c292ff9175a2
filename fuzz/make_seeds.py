#!/usr/bin/env python3
"""Writes the fuzzer's seed corpus: short inputs that steer the script into each of its paths
(menu, spawning, both fire modes, scans, the clock's wrap) before the generated tail takes over.

Input layout (see fuzz_input.h): an 8-byte header, a control lane of three bytes per frame
(clock step, key toggle, world event), then the answer lane."""
import os
import struct

KEYS = {"LB": 0, "RB": 1, "RETURN": 2, "CTRL": 3, "PRIOR": 4, "NEXT": 5, "E": 6, "I": 7, "NP2": 8, "NP5": 9, "NP8": 10}
EVENTS = {"enter": 0, "leave": 1, "gunner_out": 2, "gunner_in": 3, "gunner_climbing": 4, "vanish": 5,
          "gunner_gone": 6, "vehicle_gone": 7, "ped_arrives": 8, "ped_gone": 9, "respawn": 10,
          "handle_back": 11, "other_vehicle": 12, "wreck": 13, "repair": 14, "gunner_hurt": 15}
FRAME_16MS = 23  # clock byte for a 16 ms step
FLAG_WRAP, FLAG_JUMPS, FLAG_THROW = 0x01, 0x02, 0x04


def seed(actions, frames=None, hostility=0, flags=0, peds=0, rate=0, length=2000, start=0, answers=b""):
    """actions: {frame: ("key", name) | ("event", name) | ("clock", byte)}, one list per frame."""
    last = max(actions) + 1 if actions else 0
    control = bytearray()
    for frame in range(frames if frames is not None else last):
        clock, keys, event = FRAME_16MS, 0, 0
        for kind, what in actions.get(frame, []):
            if kind == "key":
                keys = 224 + KEYS[what]
            elif kind == "event":
                event = 0xF0 | EVENTS[what]
            elif kind == "clock":
                clock = what
        control += bytes([clock, keys, event])
    header = bytes([hostility, flags, (peds & 63) | (rate << 6), (length - 1000) // 16]) + struct.pack("<HH", start, len(control))
    return header + bytes(control) + answers


def press(actions, frame, key, hold=2):
    actions.setdefault(frame, []).append(("key", key))
    actions.setdefault(frame + hold, []).append(("key", key))


def at(actions, frame, kind, what):
    actions.setdefault(frame, []).append((kind, what))


def open_menu(actions, frame):
    at(actions, frame, "key", "CTRL")
    at(actions, frame + 1, "key", "I")
    at(actions, frame + 3, "key", "CTRL")
    at(actions, frame + 4, "key", "I")


def spawn(actions, frame, downs=0):
    """Opens the menu at `frame`, moves down `downs` items and chooses; returns a frame after the
    spawn's 3-second message."""
    open_menu(actions, frame)
    f = frame + 10
    for _ in range(downs):
        press(actions, f, "NEXT")
        f += 20
    press(actions, f, "RETURN")
    return f + 240


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(out, exist_ok=True)
    seeds = {}

    seeds["empty"] = b""

    a = {}
    open_menu(a, 3)
    for i in range(6):
        press(a, 20 + 20 * i, "NEXT" if i % 2 == 0 else "NP8")
    press(a, 160, "PRIOR")
    press(a, 200, "RETURN")
    seeds["menu_browse_and_close"] = seed(a, peds=0)

    a = {}
    f = spawn(a, 3, downs=0)
    at(a, f, "event", "enter")
    press(a, f + 10, "LB", hold=300)
    press(a, f + 330, "RB", hold=100)
    press(a, f + 450, "E")
    at(a, f + 700, "event", "leave")
    seeds["technical_fire_then_enemies"] = seed(a, peds=40, rate=1)

    a = {}
    f = spawn(a, 3, downs=2)
    press(a, f + 20, "E")
    at(a, f + 400, "event", "enter")
    at(a, f + 600, "event", "gunner_out")
    at(a, f + 700, "event", "gunner_in")
    seeds["valkyrie_scans_fifty"] = seed(a, peds=63, rate=1)

    a = {}
    f = spawn(a, 3, downs=1)
    at(a, f, "event", "enter")
    press(a, f + 10, "E")
    press(a, f + 40, "E")
    at(a, f + 100, "event", "leave")
    at(a, f + 300, "event", "wreck")
    at(a, f + 400, "event", "repair")
    f2 = spawn(a, f + 500, downs=0)
    at(a, f2, "event", "gunner_hurt")
    seeds["insurgent_crazy_wreck_respawn"] = seed(a, peds=30, rate=2)

    a = {}
    f = spawn(a, 3, downs=0)
    at(a, f, "event", "enter")
    press(a, f + 10, "LB", hold=1500)
    seeds["fire_across_the_wrap"] = seed(a, flags=FLAG_WRAP, start=800, peds=10, rate=1, length=3000)

    a = {}
    f = spawn(a, 3, downs=0)
    at(a, f, "event", "enter")
    press(a, f + 10, "E")
    press(a, f + 50, "LB", hold=500)
    seeds["hostile_some"] = seed(a, hostility=24, peds=50, rate=2)

    seeds["hostile_all"] = seed({}, hostility=255, peds=63, rate=3)

    # Held fire with 128 ms frames: a shot order every frame, past the 2942nd, where the level stops at 6.
    a = {}
    f = spawn(a, 3, downs=0) - 200  # the spawn's message lasts 24 frames of 128 ms, not 190
    at(a, f, "event", "enter")
    at(a, f + 10, "key", "LB")
    for frame in range(0, 5080):
        at(a, frame, "clock", 167)
    seeds["wanted_to_six"] = seed(a, peds=0, length=5080)

    a = {}
    f = spawn(a, 3, downs=2)
    at(a, f, "event", "enter")
    at(a, f + 50, "clock", 255)
    at(a, f + 300, "clock", 255)
    seeds["clock_jumps_and_throws"] = seed(a, hostility=40, flags=FLAG_JUMPS | FLAG_THROW, peds=63, rate=2)

    for name, data in seeds.items():
        with open(os.path.join(out, name), "wb") as file:
            file.write(data)
    print(f"wrote {len(seeds)} seeds to {out}")


if __name__ == "__main__":
    main()
