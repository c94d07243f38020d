#!/usr/bin/env python3
"""A bookmark set and followed; a note written, the reader killed, the note back."""
import os
import signal
import sys
import time

import harness as h


def set_and_follow(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        h.click_verse(s, 3)
        s.key("ctrl+shift+3")  # sets bookmark 3 on 创1:3
        s.key("ctrl+Right", "ctrl+Right")
        h.wait_place(s, "创世记", 3)
        s.click_center(h.button(s, "下一卷"))
        h.wait_place(s, "出埃及记", 1)
        s.key("ctrl+3")
        h.wait_place(s, "创世记", 1)
        h.expect_copy(s, h.verse_text(2) + "\r\n", "following bookmark 3 made 创1:3 current")
        s.key("ctrl+5")  # an empty slot leads nowhere
        time.sleep(0.5)
        h.wait_place(s, "创世记", 1)
        s.key("alt+F4")
        h.check(s.wait_exit() == 0, "the reader did not end cleanly")
        marks = s.ini_value("MAIN", "BOOK MARKS")
        h.check(marks == "-1,-1,-1,2,-1,-1,-1,-1,-1,-1", f"BOOK MARKS written as {marks!r}")


NOTE = "起初 note 1"


def note_editor(s):
    return h.wait_for("the note editor", lambda: next(
        (w for w in s.windows() if (w.name or "").startswith("批注")), None), timeout=8)


def note_survives_kill(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        h.click_verse(s, 2)
        s.key("F5")
        editor = note_editor(s)
        h.check(editor.name == "批注 - 创1:2", f"the note editor is titled {editor.name!r}")
        memo = s.find("text", root=editor, what="the note's text box")
        s.click_center(memo)
        s.type_text(NOTE, read=lambda: h.text_of(memo))
        h.check(h.text_of(memo) == NOTE, f"the note box holds {h.text_of(memo)!r}")
        h.do_action(s.find("push button", description="确定", root=editor), "Press")
        h.wait_for("the note editor to close", lambda: not any(
            (w.name or "").startswith("批注") for w in s.windows()), timeout=5)
        s.kill_reader(signal.SIGKILL)

        s.start_reader()
        h.wait_place(s, "创世记", 1)
        h.click_verse(s, 2)
        s.key("F5")
        editor = note_editor(s)
        memo = s.find("text", root=editor, what="the note's text box")
        got = h.text_of(memo)
        s.screenshot("note-after-kill")
        h.check(got == NOTE, f"after SIGKILL and a restart the note reads {got!r}")


if __name__ == "__main__":
    sys.exit(h.main({"bookmark_set_and_follow": set_and_follow,
                     "note_survives_kill": note_survives_kill}))
