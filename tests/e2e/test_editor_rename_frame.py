"""A frame that another area leads to, renamed in the editor's frames list as an author does it:
the demo's Door (the Shore's first area goes there, and a saved game stands in it) selected with
the mouse, F2, the new name typed, Return, OK on the question about the saved game. The list
shows the new name in its sorted place; after the editor quits `qmtool check` finds nothing
broken, `qmtool play` reaches the renamed frame from the Shore, and the saved game still names
the old frame (it is the player's file)."""

import json
import os
import shutil
import subprocess
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402

OLD, NEW = "Door", "Tower Gate"
SAVED = "Before the door"


def run_tool(qmtool, *args):
    return subprocess.run([qmtool] + list(args), stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, timeout=30)


def frame_names(s, frames):
    """Every row of the frames list by its accessible name, in the list's order."""
    return [i.name for i in s.find_all(role="list item", root=frames, showing=False)]


def rename(s, project):
    s.start_editor(os.path.dirname(os.path.dirname(project)), project)
    s.press("Edit Project...", "push button", timeout=30)
    frames = s.find("Frames", "list", timeout=15)
    before = e.poll("the demo's frames in the list",
                    lambda: [n for n in [frame_names(s, frames)] if OLD in n], 15)[0]

    row = [i for i in s.find_all(role="list item", root=frames) if i.name == OLD][0]
    x, y, w, h = s.extents(row)
    s.click_at(x + w // 2, y + h // 2)
    e.poll("%s selected" % OLD,
           lambda: row.getState().contains(s.atspi.STATE_SELECTED), 15)
    # The label's editor is not on the accessibility bus; the keys reach it in order, as the
    # X server delivers them to the window that has the focus.
    s.key("F2", at=(x + w // 2, y + h // 2))
    s.x("xdotool", "key", "--clearmodifiers", "ctrl+a")
    s.x("xdotool", "type", "--delay", "20", NEW)
    s.x("xdotool", "key", "--clearmodifiers", "Return")

    # The saved game names the frame: the editor says it keeps the old name, OK goes on.
    alert = s.find(role="alert", timeout=15)
    question = " ".join(l.name for l in s.find_all(role="label", root=alert))
    if "saved game" not in question or "'%s'" % OLD not in question:
        raise e.Failure("the question before the rename says %r" % question)
    s.do_action(s.find("OK", "push button", root=alert), "Press")
    s.gone(role="alert", timeout=15)

    expected = sorted([n for n in before if n != OLD] + [NEW], key=str.lower)
    e.poll("the frames list to show %r" % expected, lambda: frame_names(s, frames) == expected, 15)

    s.press("Back", "push button")
    s.press("Quit project", "push button", timeout=15)
    s.press("Yes, Close", "push button", timeout=15)
    s.press("Quit", "push button", timeout=15)
    code = s.wait_player_exit(15)
    if code != 0:
        raise e.Failure("the editor ended with status %d" % code)


def test():
    folder_src, qmtool = sys.argv[1], sys.argv[2]
    with e.Session(screen="1600x900") as s:
        folder = os.path.join(s.tmp, "Quillmoor")
        shutil.copytree(folder_src, folder, symlinks=True)
        project = os.path.join(folder, "Projects", "Demo")

        # A saved game standing in the frame, made by playing there.
        saved = run_tool(qmtool, "play", project, "start", "click", "1", "save", SAVED)
        sav = os.path.join(project, SAVED + ".sav")
        if saved.returncode != 0 or not os.path.exists(sav):
            raise e.Failure("qmtool play saved no game:\n" + saved.stdout.decode(errors="replace"))
        with open(sav, "rb") as f:
            saved_game = f.read()
        if b'"%s"' % OLD.encode() not in saved_game:
            raise e.Failure("the saved game does not name %s" % OLD)

        try:
            rename(s, project)
        except e.Failure:
            raise e.Failure(traceback.format_exc() + "\n" + "\n".join(
                l for l in s.describe(limit=2000).splitlines() if "hidden" not in l))

        check = run_tool(qmtool, "check", project)
        if check.returncode != 0:
            raise e.Failure("qmtool check finds problems after the rename:\n" +
                            check.stdout.decode(errors="replace"))
        played = run_tool(qmtool, "play", project, "start", "click", "1")
        steps = [json.loads(l) for l in played.stdout.decode().splitlines() if l.startswith("{")]
        if played.returncode != 0 or [st["frame"] for st in steps] != ["Shore", NEW]:
            raise e.Failure("qmtool play after the rename:\n" + played.stdout.decode())
        with open(sav, "rb") as f:
            if f.read() != saved_game:
                raise e.Failure("the rename changed the player's saved game")


if __name__ == "__main__":
    e.main(test, limit=90)
