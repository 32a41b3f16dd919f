"""The editor makes an installer: from a copy of its installation folder with a stand-in setup
compiler in Compiler/, the demo project goes through "Distribute... (Create .exe)", "Create
stand-alone installation...", the options page (system files left out, with their warning),
the location, OK and the instructions; the installer lands in the chosen folder and the
player's temporary copy is gone from the project."""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402

COMPILER = """#!/bin/sh
here=$(dirname "$0")
sleep 1
mkdir -p "$here/../Output"
printf 'setup of %s' "$1" > "$here/../Output/Setup.exe"
"""


def answer_alert(s, button, expected):
    e.log("waiting for the message box", expected)
    alert = s.find(role="alert", timeout=15)
    labels = " ".join(l.name for l in s.find_all(role="label", root=alert))
    if expected not in labels:
        raise e.Failure("the message box says %r, not %r" % (labels, expected))
    s.do_action(s.find(button, "push button", root=alert), "Press")
    e.poll("the message box closed", lambda: not s.find_all(role="alert"), 15)


def test():
    folder_src = sys.argv[1]
    with e.Session(screen="1024x768") as s:
        folder = e.editor_copy(s, folder_src, COMPILER)
        out = os.path.join(s.tmp, "releases")
        os.mkdir(out)
        project = os.path.join(folder, "Projects", "Demo")
        s.start_editor(folder, project)

        s.press("Distribute... (Create .exe)", "push button", timeout=30)
        # The button opens a modal dialog: click it rather than wait for the action to return.
        s.click(s.find("Create stand-alone installation...", "push button"))
        name = s.text_of(s.find("File name", "text", timeout=15))
        if not name.endswith(".exe"):
            raise e.Failure("the file name box holds %r" % name)
        s.set_text(s.find("Location", "text"), out)

        s.press("Options...", "push button")
        # Checking the box asks first: click it, the answer comes from the message box.
        s.click(s.find("Do not distribute the other system files (540KB).", "check box"))
        answer_alert(s, "OK", "WARNING! The selected system files are required")
        s.press("OK (options)", "push button")

        s.click(s.find("OK", "push button"))
        answer_alert(s, "OK", "The Setup Compiler will now appear.")
        s.find("Waiting that you close the Setup Compiler window before completing the "
               "operation...", "label", timeout=15)

        installer = os.path.join(out, name)
        e.poll("the installer in the chosen folder", lambda: os.path.isfile(installer), 30)
        s.find("File name", "text", timeout=15)
        leftovers = [f for f in os.listdir(project) if f.lower().endswith(".exe")]
        if leftovers:
            raise e.Failure("the player's copy was left in the project: %r" % leftovers)
        with open(installer) as f:
            if not f.read().endswith("Demo.iss"):
                raise e.Failure("the compiler was not given the project's script")

        dialog = s.find("Create .EXE", "dialog")
        s.do_action(s.find("Cancel", "push button", root=dialog), "Press")
        s.gone("File name", "text", timeout=15)
        s.press("Cancel", "push button")
        s.press("Quit project", "push button")
        s.press("Yes, Close", "push button", timeout=15)
        s.press("Quit", "push button")
        code = s.wait_player_exit(15)
        if code != 0:
            raise e.Failure("the editor ended with status %d" % code)


if __name__ == "__main__":
    e.main(test, limit=80)
