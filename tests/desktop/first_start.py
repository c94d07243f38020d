#!/usr/bin/env python3
"""First start with no settings, and the first start in each look."""
import sys

import harness as h

SCREEN_W, SCREEN_H = h.SCREEN
SKINS = {0: "系统皮肤", 1: "绿如蓝", 2: "红胜火", 3: "灰色调"}


def frame_of(s, wid):
    """The window with the manager's frame around it, as (x, y, width, height)."""
    info = s.xwininfo(wid)
    left, right, top, bottom = s.frame_extents(wid)
    return info, (info["x"] - left, info["y"] - top, info["width"] + left + right,
                  info["height"] + top + bottom)


def check_on_screen(s, wid, when=""):
    """Shown, and the whole window with its title bar (drawn or the manager's) on screen."""
    info, frame = frame_of(s, wid)
    h.check(info["map_state"] == "IsViewable", f"{when}the main window is not shown: {info}")
    h.check(frame[0] >= 0 and frame[1] >= 0 and frame[0] + frame[2] <= SCREEN_W
            and frame[1] + frame[3] <= SCREEN_H,
            f"{when}the window (frame {frame}) runs past the screen {h.SCREEN}: its title bar "
            "is not reachable")


def check_placement(s, wid):
    """The main window at (52, 202): the client window's position, or the frame's when the
    manager keeps the frame there. Then wholly on screen."""
    info, frame = frame_of(s, wid)
    h.check((info["x"], info["y"]) == (52, 202) or frame[:2] == (52, 202),
            f"the main window is at ({info['x']}, {info['y']}) (frame at {frame[:2]}), "
            "not at (52, 202)")
    check_on_screen(s, wid)


def genesis_one_shown(s):
    h.wait_place(s, "创世记", 1)
    h.expect_copy(s, h.verse_text(0) + "\r\n", "创1:1 is the current verse")


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
            s.activate_reader()
            s.key("alt+F4")
            h.check(s.wait_exit() == 0, "the reader did not end cleanly")
            h.check(s.ini_value("MAIN", "SKIN INDEX") == str(skin),
                    "the start rewrote SKIN INDEX")
    return run


if __name__ == "__main__":
    sys.exit(h.main({"no_settings": no_settings, "look_system": look(0), "look_blue": look(1),
                     "look_red": look(2), "look_gray": look(3)}))
