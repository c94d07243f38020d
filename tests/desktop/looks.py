#!/usr/bin/env python3
"""Every look chosen from the menu, with a minimise and restore between; an unwritable settings
file while choosing a skin; closing by Alt+F4 and by the 退出 item."""
import os
import sys
import time

import harness as h
from first_start import check_on_screen

LOOKS = ["红胜火", "绿如蓝", "灰色调", "系统皮肤", "灰色调"]
INDEX = {"系统皮肤": 0, "绿如蓝": 1, "红胜火": 2, "灰色调": 3}


def shown_on_screen(s, when):
    wid = s.wait_main_window()
    h.wait_for(f"the window shown {when}", lambda: s.xwininfo(wid)["map_state"] == "IsViewable"
               and s.wm_state(wid) == "Normal", timeout=5)
    check_on_screen(s, wid, f"{when}: ")
    return wid


def every_look(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        for look in LOOKS:
            h.menu_path(s, "操作", "皮肤", look)
            time.sleep(0.5)
            shown_on_screen(s, f"after choosing {look}")
            s.screenshot(f"look-{look}")
            wid = s.wait_main_window()
            h._run(["xdotool", "windowminimize", wid], env=s.env)
            h.wait_for("the window iconic", lambda: s.wm_state(wid) == "Iconic", timeout=5)
            h._run(["xdotool", "windowactivate", wid], env=s.env, check_rc=False)
            shown_on_screen(s, f"after a minimise and restore in {look}")
        h.check(s.reader_running(), "the reader ended")
        s.key("alt+F4")
        h.check(s.wait_exit() == 0, "the reader did not end cleanly")
        h.check(s.ini_value("MAIN", "SKIN INDEX") == str(INDEX[LOOKS[-1]]),
                f"SKIN INDEX is {s.ini_value('MAIN', 'SKIN INDEX')!r}")


def unwritable_settings(session):
    def folder_in_place(s):
        os.makedirs(s.ini_path)
    with session(prepare=folder_in_place) as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        try:
            h.menu_path(s, "操作", "皮肤", "红胜火")
        except Exception:
            pass  # the reader may end while it answers; that is looked at below
        def error_box():
            if not s.reader_running():
                raise h.Fatal(f"the reader ended (exit code {s.app.poll()}) instead of "
                              "reporting the refused write")
            return next((w for w in s.windows() if w.getRoleName() in ("alert", "dialog")
                         and w.name == "错误"), None)
        box = h.wait_for("the 错误 message box", error_box, timeout=8)
        s.screenshot("error-box")
        message = " ".join(l.name or "" for l in h.find_all(box, "label"))
        h.check("Unable to write to" in message, f"the message box says {message!r}")
        s.click_center(s.find("push button", name="确定", root=box))
        h.wait_for("the message box to close", lambda: not any(
            w.name == "错误" for w in s.windows()), timeout=5)
        time.sleep(0.5)
        h.check(s.reader_running(), "the reader ended after the message box")
        h.check(os.path.isdir(s.ini_path), "the folder in place of the settings was touched")


def closing(how):
    def run(session):
        with session() as s:
            s.start_reader()
            h.wait_place(s, "创世记", 1)
            s.key("ctrl+Right")
            h.wait_place(s, "创世记", 2)
            h.expect_copy(s, h.verse_text(31) + "\r\n", "创2:1 is current")
            if how == "alt_f4":
                s.key("alt+F4")
            else:
                h.menu_path(s, "操作", "退出")
            code = s.wait_exit()
            h.check(code == 0, f"the reader ended with exit code {code}")
            values = {k: s.ini_value("MAIN", k) for k in
                      ("BIB CHAPT INFO", "EDITOR VISIBLE", "BOOK MARKS")}
            h.check(values == {"BIB CHAPT INFO": "31", "EDITOR VISIBLE": "0",
                               "BOOK MARKS": "-1,-1,-1,-1,-1,-1,-1,-1,-1,-1"},
                    f"settings written at the end: {values}")
    return run


if __name__ == "__main__":
    sys.exit(h.main({"every_look": every_look, "unwritable_settings": unwritable_settings,
                     "close_alt_f4": closing("alt_f4"), "close_quit_item": closing("quit")}))
