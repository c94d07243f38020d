#!/usr/bin/env python3
"""The main window opens where it was closed: its rectangle and splitters kept in the settings,
brought back whole onto a screen smaller than the one they were saved on, and maximised again."""
import re
import sys

import harness as h

SCREEN_W, SCREEN_H = h.SCREEN


def frame_of(s, wid):
    info = s.xwininfo(wid)
    left, right, top, bottom = s.frame_extents(wid)
    return info, (info["x"] - left, info["y"] - top, info["width"] + left + right,
                  info["height"] + top + bottom)


def restored_and_written_back(session):
    with session(ini="[MAIN]\nWINDOW RECT=100,120,700,500\nSPLIT LEFT=220\nSPLIT BOTTOM=180\n") as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        info, frame = frame_of(s, s.window)
        s.screenshot("window-restored")
        h.check(frame[:2] == (100, 120) or (info["x"], info["y"]) == (100, 120),
                f"the window opened at frame {frame[:2]}, not at the kept (100, 120)")
        h.check((info["width"], info["height"]) == (700, 500),
                f"the window is {info['width']}x{info['height']}, not the kept 700x500")
        s.key("alt+F4")
        h.check(s.wait_exit() == 0, "the reader did not end cleanly")
        h.check(s.ini_value("MAIN", "WINDOW RECT") == "100,120,700,500",
                f"closing wrote WINDOW RECT={s.ini_value('MAIN', 'WINDOW RECT')}")
        h.check(s.ini_value("MAIN", "SPLIT LEFT") == "220",
                f"closing wrote SPLIT LEFT={s.ini_value('MAIN', 'SPLIT LEFT')}")
        h.check(s.ini_value("MAIN", "SPLIT BOTTOM") == "180",
                f"closing wrote SPLIT BOTTOM={s.ini_value('MAIN', 'SPLIT BOTTOM')}")
        h.check(s.ini_value("MAIN", "WINDOW MAXIMIZED") in ("0", "false", "False"),
                f"closing wrote WINDOW MAXIMIZED={s.ini_value('MAIN', 'WINDOW MAXIMIZED')}")


def clamped_into_the_screen(session):
    # Saved on a large second screen to the lower right, since removed.
    with session(ini="[MAIN]\nWINDOW RECT=2600,1900,1900,1200\n") as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        def whole_on_screen():
            _, f = frame_of(s, s.window)
            return (f[0] >= 0 and f[1] >= 0 and f[0] + f[2] <= SCREEN_W
                    and f[1] + f[3] <= SCREEN_H)
        # The manager frames the window after it is shown; the reader then fits the frame in.
        h.wait_for("the whole framed window on the screen (status bar and title in reach)",
                   whole_on_screen, timeout=5)
        info, frame = frame_of(s, s.window)
        s.screenshot("window-clamped")
        h.check(info["map_state"] == "IsViewable", f"the main window is not shown: {info}")
        h.check(info["width"] <= SCREEN_W and info["height"] <= SCREEN_H,
                f"the window {info['width']}x{info['height']} is larger than the screen")


def damaged_value_gives_first_placement(session):
    with session(ini="[MAIN]\nWINDOW RECT=wide and tall\nSPLIT LEFT=-40\n") as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        info, frame = frame_of(s, s.window)
        h.check((info["x"], info["y"]) == (52, 202) or frame[:2] == (52, 202),
                f"a damaged WINDOW RECT moved the window to {frame[:2]}")
        h.check((info["width"], info["height"]) == (820, 409),
                f"a damaged WINDOW RECT gave {info['width']}x{info['height']}")


def maximised_again(session):
    with session(ini="[MAIN]\nWINDOW RECT=100,120,700,500\nWINDOW MAXIMIZED=1\n") as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        out = h._run(["xprop", "-id", str(s.window), "_NET_WM_STATE"], env=s.env, check_rc=False)
        h.check("MAXIMIZED_VERT" in out and "MAXIMIZED_HORZ" in out,
                f"the window was not maximised: {out.strip()}")
        s.key("alt+F4")
        h.check(s.wait_exit() == 0, "the reader did not end cleanly")
        h.check(s.ini_value("MAIN", "WINDOW MAXIMIZED") in ("1", "true", "True"),
                "closing maximised forgot WINDOW MAXIMIZED")
        # The rectangle of the window on its own is kept for when it is restored.
        h.check(s.ini_value("MAIN", "WINDOW RECT") == "100,120,700,500",
                f"closing maximised overwrote WINDOW RECT={s.ini_value('MAIN', 'WINDOW RECT')}")


if __name__ == "__main__":
    sys.exit(h.main({"restored_and_written_back": restored_and_written_back,
                     "clamped_into_the_screen": clamped_into_the_screen,
                     "damaged_value_gives_first_placement": damaged_value_gives_first_placement,
                     "maximised_again": maximised_again}))
