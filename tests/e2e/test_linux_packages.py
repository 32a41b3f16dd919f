"""The demo game as Linux packages, built by `qmtool package`.

deb:      the Debian package's fields and files (hidden names, Depends: on the Qt, SDL_mixer,
          FluidSynth and FFmpeg packages); when the test runs as root it installs the package
          into a throwaway root (dpkg --root on an empty database) and plays it from there: the
          title window, Start, the first frame, and a saved game that lands in the user's data
          folder, not in the installed game. Otherwise the contents only. lintian, when
          installed, reports no error.
portable: every library the player, its bundled libraries and its Qt plugins ask for resolves
          inside lib/ unless it belongs to the base system; run paths are relative; the game
          started by its start script from another folder, LD_LIBRARY_PATH unset, shows the
          title window and Start shows the first frame.
cd:       a run-from-CD folder made by `qmtool distribute --cd` (stand-in setup compiler),
          copied elsewhere and made read-only as a CD is: its start script, run from another
          folder, shows the title window and Start shows the first frame from the CD's Data/;
          a saved game lands in the user's data folder and nothing is written on the CD.

usage: test_linux_packages.py deb|portable|cd QMTOOL EDITOR_FOLDER DEMO_PROJECT SOURCE_TREE
"""

import glob
import os
import re
import shutil
import stat
import subprocess
import time
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

NAME = "the-lighthouse-keeper"
# What a portable game takes from the system (distribution/BaseSystemLibraries.cpp): the C
# library, the graphics driver stack and what a plain desktop's packages bring.
BASE = re.compile(r"^(ld-linux|linux-vdso|libc\.|libm\.|libmvec|libdl\.|libpthread|librt\.|"
                  r"libresolv|libutil|libanl|libBrokenLocale|libthread_db|libnss_|libGL|libEGL|"
                  r"libOpenGL|libglapi|libgbm|libdrm|libxshmfence|"
                  r"libxcb-(dri2|dri3|glx|present|randr|shm|sync|xfixes)\.|libstdc\+\+|libgcc_s|"
                  r"libX11|libxcb\.|libXext|libXfixes|libXxf86vm|libXau|libXdmcp|libbsd|libmd\.|"
                  r"libfontconfig|libfreetype|libexpat|libpng16|libbrotli(dec|common)|libz\.|"
                  r"libasound|libpulse|libpipewire|libasyncns|libdbus-1|libsndfile|libogg|"
                  r"libvorbis\.|libvorbisenc|libopus\.|libmpg123|libmp3lame|libsystemd|libcap\.|"
                  r"libglib|libgobject|libgio|libgmodule|libgthread|libffi|libpcre2-8|libmount|"
                  r"libblkid|libselinux|libxml2|libzstd|liblzma)")


def run(*argv, **kw):
    return subprocess.run([str(a) for a in argv], check=True, stdout=subprocess.PIPE,
                          stderr=subprocess.PIPE, timeout=300, **kw).stdout.decode()


def package(qmtool, editor, demo_src, kind, to, *options):
    started = time.monotonic()
    out = run(qmtool, "package", demo_src, "--" + kind, "--to", to, "--editor", editor, *options)
    e.log("qmtool package --%s took %.1f s" % (kind, time.monotonic() - started))
    return out


def start_and_see_first_frame(s, argv, cwd, env):
    s.start_command(argv, cwd, env)
    s.find(demo.TITLE, "label", timeout=30)
    demo.uncheck_resolution(s)
    demo.choose_scaling(s, demo.UNSCALED)
    demo.click_label(s, demo.START)
    s.find(demo.PLAY_AREA)
    demo.wait_for_picture(s, "the Shore picture", demo.shows_shore, lambda shot: (192, 144))


def save_game(s, name):
    demo.open_menu(s)
    demo.choose(s, "Save game...")
    dialog = s.find(role="dialog", timeout=15)
    box = s.find(role="text", root=dialog)
    s.set_text(box, name)
    e.poll("the name in the save dialog", lambda: s.text_of(box) == name, 10)
    s.do_action(s.find("SAVE", "push button", root=dialog), "Press")
    s.gone(role="dialog")


def test_deb(qmtool, editor, demo_src, source_tree):
    with e.Session(screen="1024x768") as s:
        out = os.path.join(s.tmp, "out")
        os.mkdir(out)
        package(qmtool, editor, demo_src, "deb", out)
        debs = glob.glob(os.path.join(out, "*.deb"))
        if len(debs) != 1 or not os.path.basename(debs[0]).startswith(NAME + "_1.0_"):
            raise e.Failure("expected one %s_1.0_<arch>.deb, found %r" % (NAME, debs))
        deb = debs[0]
        e.log("package size: %d bytes" % os.path.getsize(deb))

        fields = {}
        for line in run("dpkg-deb", "--field", deb).splitlines():
            if ":" in line and not line.startswith(" "):
                key, value = line.split(":", 1)
                fields[key] = value.strip()
        expected = {"Package": NAME, "Version": "1.0", "Section": "games",
                    "Maintainer": "The Quillmoor team <demo@quillmoor.invalid>"}
        for key, value in expected.items():
            if fields.get(key) != value:
                raise e.Failure("%s: %r, expected %r" % (key, fields.get(key), value))
        depends = [d.strip().split(" ")[0] for d in fields.get("Depends", "").split(",")]
        for wanted in (r"libqt6widgets6", r"libqt6gui6", r"libqt6core6", r"libsdl2-mixer-2\.0-0",
                       r"libfluidsynth\d+", r"libavcodec\d+", r"libavformat\d+",
                       r"libswscale\d+", r"timgm6mb-soundfont"):
            if not any(re.fullmatch(wanted, d) for d in depends):
                raise e.Failure("Depends: lacks %s: %r" % (wanted, fields.get("Depends")))

        files = set()
        for line in run("dpkg-deb", "--contents", deb).splitlines():
            path = line.split(None, 5)[5]
            files.add(path[2:] if path.startswith("./") else path)
        game = "usr/lib/games/%s/" % NAME
        for wanted in ("usr/games/" + NAME, game + NAME, game + "UserData.dat",
                       game + "Config/General", game + "Frames/shore.005", game + "Icons/hand.003",
                       game + "Areas/key.002", "usr/share/applications/%s.desktop" % NAME,
                       "usr/share/pixmaps/%s.png" % NAME, "usr/share/doc/%s/copyright" % NAME):
            if wanted not in files:
                raise e.Failure("the package lacks %s" % wanted)
        for unwanted in (game + "Frames/shore.jpg", game + "Project.dat"):
            if unwanted in files:
                raise e.Failure("the package holds %s" % unwanted)

        if shutil.which("lintian"):
            started = time.monotonic()
            report = subprocess.run(["lintian", "--fail-on", "error", deb], stdout=subprocess.PIPE,
                                    stderr=subprocess.STDOUT, timeout=300)
            text = report.stdout.decode(errors="replace")
            e.log("lintian (%.1f s): %s" % (time.monotonic() - started,
                                            text.strip() or "no tags"))
            if report.returncode != 0 or re.search(r"^E: ", text, re.M):
                raise e.Failure("lintian reports errors:\n" + text)

        if os.geteuid() != 0:
            e.log("not root: the package's contents only")
            return
        # A throwaway root with an empty package database: nothing of this machine changes.
        root = os.path.join(s.tmp, "root")
        admin = os.path.join(root, "var/lib/dpkg")
        for sub in ("info", "updates", "triggers"):
            os.makedirs(os.path.join(admin, sub))
        open(os.path.join(admin, "status"), "w").close()
        run("dpkg", "--root=" + root, "--force-depends", "--force-script-chrootless",
            "--log=/dev/null", "-i", deb)
        installed = os.path.join(root, game)
        text = open(os.path.join(installed, "Config", "General"), "rb").read()
        if source_tree.encode() in text:
            raise e.Failure("the installed project names the build machine's folder")

        data = os.path.join(s.tmp, "data")
        start_and_see_first_frame(s, [os.path.join(root, "usr/games", NAME)], s.tmp,
                                  {"XDG_DATA_HOME": data})
        save_game(s, "on the shore")
        sav = os.path.join(data, "Quillmoor", "Games", NAME, "on the shore.sav")
        e.poll("%s to be written" % sav, lambda: os.path.isfile(sav), 15)
        if glob.glob(os.path.join(installed, "*.sav")):
            raise e.Failure("the saved game went into the installed game's folder")


def test_portable(qmtool, editor, demo_src, source_tree):
    with e.Session(screen="1024x768") as s:
        out = os.path.join(s.tmp, "out")
        os.mkdir(out)
        # The archive at xz's quickest level: what is checked here is what it holds and plays.
        package(qmtool, editor, demo_src, "portable", out, "--quick")
        folder = os.path.join(out, demo.TITLE)
        tarball = folder + ".tar.xz"
        if not (os.path.isdir(folder) and os.path.isfile(tarball)):
            raise e.Failure("no folder and .tar.xz named after the title in %r" % os.listdir(out))
        e.log("package size: %d bytes (.tar.xz)" % os.path.getsize(tarball))
        lib = os.path.join(folder, "lib")
        for wanted in (NAME, NAME + ".sh", NAME + ".desktop", NAME + ".png", "qt.conf",
                       "soundfont.sf2", "plugins/platforms/libqxcb.so",
                       "plugins/platforms/libqoffscreen.so", "plugins/imageformats/libqsvg.so",
                       "Frames/shore.005", "lib/libQt6Core.so.6", "lib/libSDL2_mixer-2.0.so.0",
                       "lib/libfluidsynth.so.3", "lib/libqmsound.so", "lib/libqmvideo.so"):
            if not os.path.exists(os.path.join(folder, wanted)):
                raise e.Failure("the folder lacks %s" % wanted)

        env = dict(os.environ)
        env.pop("LD_LIBRARY_PATH", None)
        # ldd on the player and its plugins (what the loader really does); the bundled libraries
        # find their own needs beside them ($ORIGIN), which readelf shows.
        programs = [os.path.join(folder, NAME)] + \
            sorted(glob.glob(os.path.join(folder, "plugins", "*", "*.so")))
        bundled = {n for n in os.listdir(lib) if os.path.isfile(os.path.join(lib, n))}
        outside = set()
        for elf in programs + [os.path.join(lib, name) for name in sorted(bundled)]:
            dynamic = run("readelf", "-d", elf)
            needed = re.findall(r"\(NEEDED\)\s+Shared library: \[([^\]]+)\]", dynamic)
            paths = re.findall(r"\((?:RUNPATH|RPATH)\)\s+Library r\w*path: \[([^\]]+)\]", dynamic)
            for path in paths:
                if not all(p.startswith("$ORIGIN") for p in path.split(":")):
                    raise e.Failure("%s has the run path %s" % (elf, path))
            if elf in programs:
                resolved = dict(re.findall(r"^\s*(\S+) => (.+?)(?: \(0x[0-9a-f]+\))?$",
                                           run("ldd", elf, env=env), re.M))
            else:
                if needed and paths != ["$ORIGIN"]:
                    raise e.Failure("%s has the run path %r, not $ORIGIN" % (elf, paths))
                resolved = {n: os.path.join(lib, n) for n in needed if n in bundled}
            for soname in needed:
                if soname.startswith("ld-linux"):
                    continue  # the loader: ldd names it without "=>"
                where = resolved.get(soname, "from the system")
                if where == "not found":
                    raise e.Failure("%s: %s is not found" % (elf, soname))
                if os.path.dirname(os.path.realpath(where)) == os.path.realpath(lib):
                    continue
                if not BASE.match(soname):
                    raise e.Failure("%s takes %s from %s, not from lib/" % (elf, soname, where))
                outside.add(soname)
        e.log("from the system: %s" % " ".join(sorted(outside)))
        for path in glob.glob(os.path.join(folder, "*")) + glob.glob(os.path.join(folder, "*/*")):
            if os.path.isfile(path) and os.path.getsize(path) < 4 << 20:
                if source_tree.encode() in open(path, "rb").read():
                    raise e.Failure("%s names the build machine's folder" % path)

        # The start script puts the game in the user's menu with the folder's own paths.
        menu_data = os.path.join(s.tmp, "menu")
        menu_env = dict(env, XDG_DATA_HOME=menu_data)
        run(os.path.join(folder, NAME + ".sh"), "--add-to-menu", env=menu_env)
        entry = open(os.path.join(menu_data, "applications", NAME + ".desktop")).read()
        for line in ('Exec="%s/%s.sh"' % (folder, NAME), "Icon=%s/%s.png" % (folder, NAME),
                     "Name=" + demo.TITLE):
            if line not in entry.splitlines():
                raise e.Failure("the menu entry lacks %r:\n%s" % (line, entry))

        elsewhere = os.path.join(s.tmp, "elsewhere")
        os.mkdir(elsewhere)
        start_and_see_first_frame(s, [os.path.join(folder, NAME + ".sh")], elsewhere,
                                  {"LD_LIBRARY_PATH": None, "QT_PLUGIN_PATH": None})


# Stands in for the setup compiler: the setup program is not what this test plays.
COMPILER = """#!/bin/sh
mkdir -p "$(dirname "$0")/../Output" && echo setup > "$(dirname "$0")/../Output/Setup.exe"
"""


def set_writable(root, writable):
    for folder, dirs, files in os.walk(root):
        for path in [folder] + [os.path.join(folder, f) for f in files]:
            if os.path.islink(path):
                continue
            mode = os.stat(path).st_mode
            os.chmod(path, mode | stat.S_IWUSR if writable else
                     mode & ~(stat.S_IWUSR | stat.S_IWGRP | stat.S_IWOTH))


def files_under(root):
    return sorted(os.path.relpath(os.path.join(d, f), root)
                  for d, _, names in os.walk(root) for f in names)


def test_cd(qmtool, editor, demo_src, source_tree):
    with e.Session(screen="1024x768") as s:
        folder = e.editor_copy(s, editor, COMPILER)
        project = s.copy_project(demo_src)
        out = os.path.join(s.tmp, "out")
        os.mkdir(out)
        started = time.monotonic()
        log = run(qmtool, "distribute", project, "--cd", "--to", out, "--editor", folder)
        e.log("qmtool distribute --cd took %.1f s" % (time.monotonic() - started))
        if "run '%s.sh' in the root of the CD" % NAME not in log:
            raise e.Failure("the instructions do not name the start script:\n" + log)

        # The CD as the player meets it: elsewhere, read-only.
        disc = os.path.join(s.tmp, "disc")
        shutil.copytree(os.path.join(out, "Write_this_on_a_CD"), disc, symlinks=True)
        for wanted in (NAME + ".sh", NAME + ".desktop", demo.TITLE + ".exe",
                       "Data/%s/Frames/shore.005" % demo.TITLE):
            if not os.path.exists(os.path.join(disc, wanted)):
                raise e.Failure("the CD lacks %s: %r" % (wanted, files_under(disc)))
        before = files_under(disc)
        set_writable(disc, False)
        try:
            data = os.path.join(s.tmp, "data")
            elsewhere = os.path.join(s.tmp, "elsewhere")
            os.mkdir(elsewhere)
            start_and_see_first_frame(s, [os.path.join(disc, NAME + ".sh")], elsewhere,
                                      {"XDG_DATA_HOME": data, "LD_LIBRARY_PATH": None,
                                       "QT_PLUGIN_PATH": None})
            save_game(s, "on the shore")
            sav = os.path.join(data, "Quillmoor", "Games", NAME, "on the shore.sav")
            e.poll("%s to be written" % sav, lambda: os.path.isfile(sav), 15)
            if files_under(disc) != before:
                raise e.Failure("the game wrote on the CD: %r" %
                                sorted(set(files_under(disc)) - set(before)))
        finally:
            set_writable(disc, True)


def test():
    mode, qmtool, editor, demo_src, source_tree = sys.argv[1:6]
    {"deb": test_deb, "portable": test_portable, "cd": test_cd}[mode](qmtool, editor, demo_src,
                                                                      source_tree)


if __name__ == "__main__":
    e.main(test, limit=150)
