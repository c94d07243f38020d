#!/usr/bin/env python3
"""First start with no settings, and the first start in each look."""
import sys

import harness as h

SCREEN_W, SCREEN_H = h.SCREEN
SKINS = {0: "系统皮肤", 1: "绿如蓝", 2: "红胜火", 3: "灰色调"}


def check_placement(s, wid):
    """The main window at (52, 202) inside the screen, its title bar (drawn or the manager's) on
    screen. The position is the client window's; the manager's frame, if any, lies around it."""
    info = s.xwininfo(wid)
    left, right, top, bottom = s.frame_extents(wid)
    h.check(info["map_state"] == "IsViewable", f"the main window is not shown: {info}")
    frame = (info["x"] - left, info["y"] - top, info["width"] + left + right,
             info["height"] + top + bottom)
    h.check((info["x"], info["y"]) == (52, 202) or frame[:2] == (52, 202),
            f"the main window is at ({info['x']}, {info['y']}) (frame at {frame[:2]}), "
            "not at (52, 202)")
    h.check(frame[0] >= 0 and frame[1] >= 0 and frame[0] + frame[2] <= SCREEN_W
            and frame[1] + frame[3] <= SCREEN_H,
            f"the window (frame {frame}) runs past the screen {h.SCREEN}: its title bar is "
            "not reachable")
    return info


def genesis_one_shown(s):
    h.wait_place(s, "创世记", 1)
    h.check(h.copied_verse(s) == h.verse_text(0) + "\r\n", "Ctrl+C does not copy 创1:1")


def no_settings(session):
    with session() as s:
        s.start_reader()
        s.screenshot("first-start")
        genesis_one_shown(s)
        check_placement(s, s.window)


def look(skin):
    def run(session):
        with session(ini=f"[MAIN]\nSKIN INDEX={skin}\n") as s:
            s.start_reader()
            h.wait_place(s, "创世记", 1)
            s.screenshot(f"first-start-{SKINS[skin]}")
            check_placement(s, s.window)
            s.key("alt+F4")
            h.check(s.wait_exit() == 0, "the reader did not end cleanly")
            h.check(s.ini_value("MAIN", "SKIN INDEX") == str(skin),
                    "the start rewrote SKIN INDEX")
    return run


if __name__ == "__main__":
    sys.exit(h.main({"no_settings": no_settings, "look_system": look(0), "look_blue": look(1),
                     "look_red": look(2), "look_gray": look(3)}))
