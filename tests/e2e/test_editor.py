"""The editor from a copy of its installation folder: the demo project given on the command line
opens on the project panel, "Run Project (Start)" hides the editor and shows the game's title
window, closing that window brings the editor back; the project closes, a new one is made from
the keyboard in the new-project window and its properties, and the editor quits from its
panels."""

import os
import shutil
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402


def test():
    folder_src = sys.argv[1]
    with e.Session(screen="1024x768") as s:
        folder = os.path.join(s.tmp, "Quillmoor")
        shutil.copytree(folder_src, folder, symlinks=True)
        for name in ("run.dat", "Readme.txt", "Icons", "Schemes", "Presets", "Compiler",
                     "Help/index.html", "Projects/Demo/Config/General", "Projects/Sample"):
            if not os.path.exists(os.path.join(folder, name)):
                raise e.Failure("the installation folder has no %s" % name)
        project = os.path.join(folder, "Projects", "Demo")
        s.start_editor(folder, project)

        s.find("Run Project (Start)", "push button", timeout=30)

        # The frames list shows with the frames panel: every frame of the demo, by name (the
        # thumbnails are large: those below the first ones are reached by scrolling).
        s.press("Edit Project...", "push button")
        frames = s.find("Frames", "list", timeout=15)
        shown = [item.name for item in s.find_all(role="list item", root=frames)]
        if not shown or not all(shown):
            raise e.Failure("the frames list shows no named frame: %r" % shown)
        names = sorted(item.name for item in
                       s.find_all(role="list item", root=frames, showing=False))
        expected = sorted(f[:-4] for f in os.listdir(os.path.join(project, "Frames"))
                          if f.lower().endswith(".fme"))
        if names != expected:
            raise e.Failure("the frames list shows %r, not %r" % (names, expected))
        s.press("Back", "push button")
        e.poll("the frames list hidden on the project panel",
               lambda: not s.find_all("Frames", "list"), 15)

        s.press("Run Project (Start)", "push button")
        s.find(demo.TITLE, "label", timeout=30)
        e.poll("the editor hidden during the test run",
               lambda: not s.find_all("Run Project (Start)", "push button"), 15)

        demo.click_label(s, demo.EXIT)
        for alert in s.find_all(role="alert"):
            s.do_action(s.find("Yes", "push button", root=alert), "Press")
        s.find("Run Project (Start)", "push button", timeout=15)
        s.gone(demo.TITLE, "label", timeout=15)

        s.press("Quit project", "push button")
        s.press("Yes, Close", "push button")

        # A new project, from the keyboard: the name, Enter for OK, then OK on the question.
        s.click(s.find("New Project", "push button"))
        name_box = s.find("Project name", "text", timeout=15)
        s.set_text(name_box, "Harbour")
        x, y, w, h = s.extents(name_box)
        s.key("Return", at=(x + w // 2, y + h // 2))
        alert = s.find(role="alert", timeout=15)
        s.do_action(s.find("OK", "push button", root=alert), "Press")
        # The project properties of the new project: a title, then OK makes the project.
        s.set_text(s.find("Software Title", "text", timeout=15), "Harbour Tales")
        s.press("OK", "push button")
        s.find("Run Project (Start)", "push button", timeout=15)
        created = os.path.join(folder, "Projects", "Harbour")
        for name in ("Config/General", "Config/Texts", "Config/Version", "Config/Variables",
                     "Project.dat",
                     "Icons/Hand.cur", "Frames", "Areas"):
            if not os.path.exists(os.path.join(created, name)):
                raise e.Failure("the new project has no %s" % name)
        s.press("Quit project", "push button")
        s.press("Yes, Close", "push button")
        s.press("Quit", "push button")
        code = s.wait_player_exit(15)
        if code != 0:
            raise e.Failure("the editor ended with status %d" % code)

        # The version stamp was written when the project opened.
        with open(os.path.join(project, "Config", "Version"), "rb") as f:
            if not f.read().startswith(b'"Version 2.06.01"'):
                raise e.Failure("Config/Version was not stamped")


if __name__ == "__main__":
    e.main(test, limit=80)
