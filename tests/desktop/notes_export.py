#!/usr/bin/env python3
"""The notes exported through the menu are what bibtool gives for the same folder; the 关于
dialog's credits as a screen reader reads them."""
import os
import shutil
import sys
import time

import harness as h

PREPARED = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                        "bibtool", "tests", "folder")


def prepared_folder(s):
    # A notes file, a journal left by a run that did not end, bookmarks in the settings.
    for name in ("Orvane.tip", "Orvane.ti~", "orvane.ini"):
        shutil.copy(os.path.join(PREPARED, name), s.app_dir)


def click_menu(s, menu, caption):
    """Chooses a menu item with the pointer. The item opens a modal window, and an
    accessibility action would wait for its reply until that window is gone."""
    title = s.find(name=menu, what=f"the menu {menu}")
    s.click_center(title)
    item = s.find("menu item", name=caption, what=f"the menu item {caption}")
    time.sleep(0.2)
    s.click_center(item)


def file_dialog(s):
    return h.wait_for("the export's file dialog", lambda: next(
        (w for w in s.windows() if (w.name or "") == "导出批注"), None), timeout=10)


def export_matches_bibtool(session):
    with session(prepare=prepared_folder) as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        target = os.path.join(s.folder, "exported.md")
        click_menu(s, "操作", "导出批注…")
        dialog = file_dialog(s)
        name_box = h.wait_for("the file name box", lambda: next(
            (t for t in h.find_all(dialog, "text") if h.text_of(t).endswith("批注.md")), None))
        s.screenshot("file-dialog")
        s.click_center(name_box)
        s.key("ctrl+a")
        s.type_ascii(target)
        s.key("Return")
        h.wait_for("the exported file", lambda: os.path.isfile(target), timeout=10)
        s.key("alt+F4")
        h.check(s.wait_exit() == 0, "the reader did not end cleanly")
        # After the run the journal is folded into the notes file: the tool reads the merged
        # file, the reader exported from both; they must agree.
        h.check(not os.path.exists(os.path.join(s.app_dir, "Orvane.ti~")),
                "the journal was not folded in at the end of the run")
        with open(target, "rb") as f:
            exported = f.read()
        tool = h.bibtool("notes", s.app_dir).encode()
        h.check(exported == tool, f"the export differs from bibtool notes:\n{exported.decode()}"
                f"\n---\n{tool.decode()}")
        h.check("### 书签 3：创世记 1:3" in exported.decode(), "bookmark 3 is missing")


CREDITS = ("和合本（1919 年），公有领域", "King James Version", "Matthew Henry's Concise Commentary",
           "OpenBible.info，CC-BY", "https://www.openbible.info/labs/cross-references/",
           "AR PL UMing", "WenQuanYi Micro Hei", "Liberation")


def about_credits(session):
    with session() as s:
        s.start_reader()
        h.wait_place(s, "创世记", 1)
        click_menu(s, "帮助", "关于")
        about = h.wait_for("the 关于 dialog", lambda: next(
            (w for w in s.windows() if (w.name or "") == "关于"), None), timeout=10)
        label = h.wait_for("the credits", lambda: next(
            (l for l in h.find_all(about, "label") if "和合本" in (l.name or "")), None))
        text = label.name
        for credit in CREDITS:
            h.check(credit in text, f"the credits lack {credit!r}: {text!r}")
        h.check(any("版本" in h.text_of(l) for l in h.find_all(about, "label")),
                "the dialog names no version")
        s.screenshot("about")
        h.do_action(s.find("push button", name="确定", root=about), "Press")
        h.wait_for("the dialog to close", lambda: not any(
            (w.name or "") == "关于" for w in s.windows()), timeout=5)


if __name__ == "__main__":
    sys.exit(h.main({"export_matches_bibtool": export_matches_bibtool,
                     "about_credits": about_credits}))
