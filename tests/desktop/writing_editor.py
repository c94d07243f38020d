#!/usr/bin/env python3
"""The shortcut keys while the writing editor (a tool window beside the main window) is active."""
import sys
import time

import harness as h

def open_editor(s):
    h.menu_path(s, "视图", "编辑栏(F)")
    editor = h.wait_for("the writing editor", lambda: next(
        (w for w in s.windows() if w.name == "简易编辑框"), None), timeout=8)
    memo = s.find("text", root=editor, what="the editor's text box")
    s.click_center(memo)
    return editor, memo


def ctrl_c_copies_selection(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        editor, memo = open_editor(s)
        # The editor follows the current verse; its text, selected whole, is copied as it is
        # (the grid's copy would add a line end).
        text = h.wait_for("the editor's text", lambda: h.text_of(memo), timeout=5)
        s.key("ctrl+a")
        s.clear_clipboard()
        s.key("ctrl+c")
        try:
            h.wait_for("Ctrl+C to copy the editor's selection", lambda: s.clipboard() == text,
                       timeout=4)
        except h.ScenarioFailure:
            raise h.ScenarioFailure(f"Ctrl+C in the editor copied {s.clipboard()!r}, "
                                    f"not its selection {text!r}")


def chapter_keys_and_f5(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        open_editor(s)
        s.screenshot("editor-active")
        s.key("ctrl+Right")
        try:
            h.wait_place(s, "创世记", 2, timeout=3)
        except h.ScenarioFailure:
            raise h.ScenarioFailure("Ctrl+Right in the active writing editor did not go to the "
                                    "next chapter")
        s.key("F5")
        h.wait_for("F5 in the writing editor to open the note editor", lambda: any(
            (w.name or "").startswith("批注") for w in s.windows()), timeout=4)


if __name__ == "__main__":
    sys.exit(h.main({"ctrl_c_copies_selection": ctrl_c_copies_selection,
                     "chapter_keys_and_f5": chapter_keys_and_f5}))
