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


def test():
    folder_src, qmtool = sys.argv[1], sys.argv[2]
    with e.Session(screen="1024x768") as s:
        folder = os.path.join(s.tmp, "Quillmoor")
        shutil.copytree(folder_src, folder, symlinks=True)
        picture = os.path.join(folder, "Projects", "Demo", "Frames", "shore.jpg")
        s.start_editor(folder)
        s.new_project("Cove", TITLE)

        # A frame from a picture, through the file dialog.
        s.press("Edit Project...", "push button")
        s.press("Add New Frame (Scene)...", "push button")
        s.modal_click("Picture (resized to fit window)...")
        s.choose_file(picture)
        frames = s.find("Frames", "list", timeout=15)
        e.poll("the new frame in the frames list",
               lambda: [i.name for i in s.find_all(role="list item", root=frames)] == ["shore"], 15)
        s.press("Back", "push button")

        # The initial frame, in the project properties.
        s.modal_click("Project Properties...")
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
