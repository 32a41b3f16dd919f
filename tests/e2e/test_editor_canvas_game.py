"""A game built on the frame canvas: a new project with two colour frames, a clickable area drawn
with the mouse on the first frame that goes to the second (set in the area properties dialog),
a text added with a right-click, the first frame made the initial frame. Then the game is
played headless with `qmtool play` and in the player `run`: the text shows on the first frame
and a click on the area opens the second."""

import json
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

TITLE = "Cellar Door"
TEXT = "Welcome below"


def modal_click(s, name, role="push button", root=None):
    """Buttons that open a modal dialog answer AT-SPI only once it closes: click them instead."""
    s.click(s.find(name, role, timeout=15, root=root))


def in_dialog(s, title):
    return s.find(title, "dialog", timeout=15)


def new_solid_frame(s, name):
    s.press("Add New Frame (Scene)...", "push button")
    modal_click(s, "Solid Color...")
    colours = s.find(role="dialog", timeout=15)
    s.do_action(s.find("OK", "push button", root=colours), "Press")
    box = s.find(role="dialog", timeout=15)
    s.set_text(s.find(role="text", root=box), name)
    s.do_action(s.find("OK", "push button", root=box), "Press")
    frames = s.find("Frames", "list", timeout=15)
    e.poll("frame %s in the frames list" % name,
           lambda: name in [i.name for i in s.find_all(role="list item", root=frames)], 15)


def drag(s, x0, y0, x1, y1, button=1):
    s.x("xdotool", "mousemove", x0, y0, "mousedown", button)
    for t in (0.25, 0.5, 0.75, 1.0):
        s.x("xdotool", "mousemove", int(x0 + (x1 - x0) * t), int(y0 + (y1 - y0) * t))
        time.sleep(0.05)
    s.x("xdotool", "mouseup", button)


def build(s, folder):
    s.player_log = open(os.path.join(s.tmp, "player.log"), "wb")
    s.player = subprocess.Popen([os.path.join(folder, "quillmoor")], cwd=s.tmp, env=s.env,
                                stdout=s.player_log, stderr=subprocess.STDOUT,
                                start_new_session=True)
    s.application()
    modal_click(s, "New Project")
    s.set_text(s.find("Project name", "text", timeout=15), "Cellar")
    s.press("OK", "push button")
    alert = s.find(role="alert", timeout=15)
    s.do_action(s.find("OK", "push button", root=alert), "Press")
    s.set_text(s.find("Software Title", "text", timeout=15), TITLE)
    s.press("OK", "push button")
    s.find("Run Project (Start)", "push button", timeout=15)

    s.press("Edit Project...", "push button")
    new_solid_frame(s, "Stairs")
    new_solid_frame(s, "Vault")

    # The first frame on the canvas.
    frames = s.find("Frames", "list", timeout=15)
    stairs = [i for i in s.find_all(role="list item", root=frames) if i.name == "Stairs"][0]
    x, y, w, h = s.extents(stairs)
    s.x("xdotool", "mousemove", x + w // 2, y + h // 2, "click", "--repeat", "2", "1")
    canvas = s.find("Frame canvas", timeout=15)
    s.find("Done", "push button", timeout=15)
    cx, cy, cw, ch = s.extents(canvas)
    if (cw, ch) != (640, 480):
        raise e.Failure("the canvas is %dx%d, not the project's 640x480" % (cw, ch))

    # An area from (100, 80) to (220, 200) on the canvas, going to the Vault.
    drag(s, cx + 100, cy + 80, cx + 220, cy + 200)
    dialog = in_dialog(s, "Area Properties")
    s.press("Action", "page tab")
    # A click, as a person does: the dialog follows the box's clicks.
    s.click(s.find("Go to another frame.", "check box", root=dialog))
    combo = s.find("Frame to go to", "combo box", root=dialog)
    s.set_text(s.find(role="text", root=combo), "Vault")
    s.do_action(s.find("OK", "push button", root=dialog), "Press")
    s.gone("Area Properties", "dialog", timeout=15)

    # A text where the right button is pressed.
    s.x("xdotool", "mousemove", cx + 300, cy + 300, "click", "3")
    add = in_dialog(s, "Add Text")
    s.set_text(s.find("Text", "text", root=add), TEXT)
    s.do_action(s.find("OK", "push button", root=add), "Press")
    font = in_dialog(s, "Font")
    s.do_action(s.find("OK", "push button", root=font), "Press")
    s.find(TEXT, "label", timeout=15)

    s.press("Done", "push button")
    s.press("Back", "push button")
    modal_click(s, "Project Properties...")
    s.press("Screen and Options", "page tab")
    combo = s.find("Initial Frame", "combo box", timeout=15)
    s.click(combo)
    s.x("xdotool", "key", "Return")  # the first frame of the open list: Stairs
    e.poll("the list closed", lambda: not s.find_all(role="list", root=combo), 15)
    s.press("OK", "push button")
    s.find("Run Project (Start)", "push button", timeout=15)
    s.press("Quit project", "push button")
    s.press("Yes, Close", "push button")
    s.press("Quit", "push button")
    code = s.wait_player_exit(15)
    if code != 0:
        raise e.Failure("the editor ended with status %d" % code)


def test():
    folder_src, qmtool, run = sys.argv[1], sys.argv[2], sys.argv[3]
    with e.Session(screen="1024x768") as s:
        folder = os.path.join(s.tmp, "Quillmoor")
        shutil.copytree(folder_src, folder, symlinks=True)
        build(s, folder)
        project = os.path.join(folder, "Projects", "Cellar")

        check = subprocess.run([qmtool, "check", project], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, timeout=30)
        if check.returncode != 0:
            raise e.Failure("qmtool check finds problems in the game:\n" +
                            check.stdout.decode(errors="replace"))
        played = subprocess.run([qmtool, "play", project, "start", "click", "1"],
                                stdout=subprocess.PIPE, timeout=30)
        steps = [json.loads(line) for line in played.stdout.decode().splitlines() if line]
        frames = [step["frame"] for step in steps]
        if frames[-2:] != ["Stairs", "Vault"]:
            raise e.Failure("qmtool play went through %r, not Stairs then Vault" % frames)

        # The player: the text on the first frame, the area leads to the second.
        s.start_player(run, project)
        s.find(TITLE, "label", timeout=30)
        demo.uncheck_resolution(s)
        demo.choose_scaling(s, demo.UNSCALED)
        demo.click_label(s, demo.START)
        s.find(TEXT, "label", timeout=15)
        s.click(s.find("Area 1", timeout=15))
        s.gone(TEXT, "label", timeout=15)


if __name__ == "__main__":
    e.main(test, limit=90)
