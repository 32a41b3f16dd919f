"""A game made from scratch in the editor: "New Project" and its properties, a frame added from
a picture through the file dialog, that frame chosen as the initial frame, "Run Project (Start)"
showing the game's title window, back to the editor, quit; `qmtool check` then finds no problem
in the new project."""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

TITLE = "Cove Tales"


def modal_click(s, name, role="push button"):
    """Buttons that open a modal dialog answer AT-SPI only once it closes: click them instead."""
    s.click(s.find(name, role, timeout=15))


def test():
    folder_src, qmtool = sys.argv[1], sys.argv[2]
    with e.Session(screen="1024x768") as s:
        folder = os.path.join(s.tmp, "Quillmoor")
        shutil.copytree(folder_src, folder, symlinks=True)
        picture = os.path.join(folder, "Projects", "Demo", "Frames", "shore.jpg")
        s.player_log = open(os.path.join(s.tmp, "player.log"), "wb")
        s.player = subprocess.Popen([os.path.join(folder, "quillmoor")], cwd=s.tmp, env=s.env,
                                    stdout=s.player_log, stderr=subprocess.STDOUT,
                                    start_new_session=True)
        s.application()

        modal_click(s, "New Project")
        s.set_text(s.find("Project name", "text", timeout=15), "Cove")
        s.press("OK", "push button")
        alert = s.find(role="alert", timeout=15)
        s.do_action(s.find("OK", "push button", root=alert), "Press")
        s.set_text(s.find("Software Title", "text", timeout=15), TITLE)
        s.press("OK", "push button")
        s.find("Run Project (Start)", "push button", timeout=15)

        # A frame from a picture, through the file dialog.
        s.press("Edit Project...", "push button")
        s.press("Add New Frame (Scene)...", "push button")
        modal_click(s, "Picture (resized to fit window)...")
        def file_name_box():
            boxes = [t for t in s.find_all(role="text") if "file name" in (t.name or "").lower()]
            return boxes[0] if boxes else None
        try:
            box = e.poll("the file dialog", file_name_box, 15)
        except e.Failure:
            windows = s.x("xdotool", "search", "--name", ".", output=True,
                          check=False)
            names = [s.x("xdotool", "getwindowname", w, output=True, check=False).strip()
                     for w in windows.split()]
            raise e.Failure("no file name box in the file dialog (windows: %r):\n%s"
                            % (names, s.describe()))
        s.set_text(box, picture)
        s.press("Open", "push button")
        frames = s.find("Frames", "list", timeout=15)
        e.poll("the new frame in the frames list",
               lambda: [i.name for i in s.find_all(role="list item", root=frames)] == ["shore"], 15)
        s.press("Back", "push button")

        # The initial frame, in the project properties.
        modal_click(s, "Project Properties...")
        s.press("Screen and Options", "page tab")
        try:
            combo = s.find("Initial Frame", "combo box", timeout=15)
        except e.Failure:
            raise e.Failure("no initial frame list:\n" + "\n".join(
                l for l in s.describe().splitlines() if "hidden" not in l))
        s.click(combo)
        s.x("xdotool", "key", "Return")  # the first frame of the open list
        e.poll("the list closed", lambda: not s.find_all(role="list", root=combo), 15)
        s.press("OK", "push button")
        s.find("Run Project (Start)", "push button", timeout=15)

        s.press("Run Project (Start)", "push button")
        s.find(TITLE, "label", timeout=30)
        demo.click_label(s, "Exit")
        s.find("Run Project (Start)", "push button", timeout=15)

        s.press("Quit project", "push button")
        s.press("Yes, Close", "push button")
        s.press("Quit", "push button")
        code = s.wait_player_exit(15)
        if code != 0:
            raise e.Failure("the editor ended with status %d" % code)

        project = os.path.join(folder, "Projects", "Cove")
        check = subprocess.run([qmtool, "check", project], stdout=subprocess.PIPE,
                               stderr=subprocess.STDOUT, timeout=30)
        if check.returncode != 0:
            raise e.Failure("qmtool check finds problems in the new project:\n" +
                            check.stdout.decode(errors="replace"))
        with open(os.path.join(project, "Config", "General"), "rb") as f:
            if b'"shore"' not in f.read():
                raise e.Failure("the initial frame was not written")


if __name__ == "__main__":
    e.main(test, limit=90)
