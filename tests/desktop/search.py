#!/usr/bin/env python3
"""Searching from the find panel: typing a key, Enter, the four scopes, the remembered keys."""
import re
import sys
import time

import harness as h

REMEMBERED = "耶稣里的"  # a remembered key that begins like the typed one
TYPED = "耶稣"
MATTHEW_1 = 23145  # first verse line of Matthew
SCOPES = {"本段": ("--chapter", "929"), "本章": ("--chapter", "929"),
          "本篇": ("--book", "39"), "全部": ()}


def expected_count(scope, key):
    out = h.bibtool("search", *SCOPES[scope], key)
    return int(re.search(r"共找到 (\d+) 项", out).group(1)) if "共找到" in out else 0



def result_count(s):
    m = re.search(r"共找到 (\d+) 项", h.key_box(s).description or "")
    return int(m.group(1)) if m else None


def key_box_text(s):
    return h.text_of(s.find("text", root=h.key_box(s), showing=False, what="the key box's edit"))


def typed_search(scope, enter_key, remembered=True):
    def run(session):
        ini = f"[MAIN]\nBIB CHAPT INFO={MATTHEW_1}\n"
        if remembered:
            ini += f"[SEARCH KEYS]\n0={REMEMBERED}\n"
        with session(ini=ini) as s:
            s.start_reader()
            h.wait_place(s, "马太福音", 1)
            s.click_center(h.button(s, "查找", "check box"))
            box = h.key_box(s)
            h.do_action(s.find("radio button", name=scope, showing=False), "Toggle", "Press")
            # The key is typed into the box that has the focus; Chinese arrives as an input
            # method would leave it, pasted whole.
            s.click_center(box)
            s.key("ctrl+a", "BackSpace")
            shown = s.type_text(TYPED, read=lambda: key_box_text(s))
            s.screenshot("key-typed")
            s.key(enter_key)
            want = expected_count(scope, TYPED)
            try:
                got = h.wait_for("a result count", lambda: result_count(s), timeout=6)
            except h.ScenarioFailure:
                raise h.ScenarioFailure(f"{enter_key} in the key box ran no search (typed "
                                        f"{TYPED!r}, the box shows {shown!r})")
            s.screenshot("results")
            h.check(got == want,
                    f"{got} results instead of {want} for {TYPED} in {scope}"
                    + (f": the box completed the key to {shown!r}" if shown != TYPED else ""))
            s.key("alt+F4")
            h.check(s.wait_exit() == 0, "the reader did not end cleanly")
            keys = [s.ini_value("SEARCH KEYS", "0"), s.ini_value("SEARCH KEYS", "1")]
            expected_keys = [TYPED, REMEMBERED] if remembered else [TYPED, None]
            h.check(keys == expected_keys,
                    f"remembered keys {keys}, expected {expected_keys}")
    return run


def run_button(session):
    """The green run button, with no remembered key to complete into."""
    with session(ini=f"[MAIN]\nBIB CHAPT INFO={MATTHEW_1}\n") as s:
        s.start_reader()
        h.wait_place(s, "马太福音", 1)
        s.click_center(h.button(s, "查找", "check box"))
        box = h.key_box(s)
        h.do_action(s.find("radio button", name="全部", showing=False), "Toggle", "Press")
        s.click_center(box)
        s.paste_text(TYPED)
        h.do_action(s.find("push button", description="执行", showing=False), "Press")
        got = h.wait_for("a result count", lambda: result_count(s), timeout=8)
        h.check(got == 1524, f"{got} results for {TYPED} in the whole Bible instead of 1524")


def scopes_visible(session):
    """At the first window size the four scope buttons of the find panel are all on view."""
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        s.click_center(h.button(s, "查找", "check box"))
        h.key_box(s)
        time.sleep(0.3)
        s.screenshot("find-panel-820x409")
        info = s.xwininfo(s.window)
        h.check((info["width"], info["height"]) == (820, 409),
                f"the window is {info['width']} x {info['height']}, not 820 x 409")
        right = info["x"] + info["width"]
        hidden = []
        for caption in ("本段", "本章", "本篇", "全部"):
            radio = s.find("radio button", name=caption, showing=False)
            x, y, w, hh = h.extents(radio)
            if not ("showing" in h.states(radio) and w > 0 and x >= info["x"] and x + w <= right):
                hidden.append(f"{caption} at x {x}..{x + w}")
        h.check(not hidden, f"scope buttons past the window's right edge {right}: {hidden}")


if __name__ == "__main__":
    scenarios = {"run_button": run_button, "scopes_visible": scopes_visible,
                 "keypad_enter_all": typed_search("全部", "KP_Enter")}
    for scope, name in (("本段", "paragraph"), ("本章", "chapter"), ("本篇", "book"),
                        ("全部", "all")):
        scenarios[f"enter_{name}"] = typed_search(scope, "Return")
    sys.exit(h.main(scenarios))
