"""The demo game's portable folder on a plain desktop: a Debian 12 root made by debootstrap
(minbase) with only the packages a plain desktop brings, the folder unpacked into it from its
archive, and its start script run in chroot against the host's X server. The title window
shows and Start shows the first frame (libglvnd's front ends come from lib/fallback/). Without
libfontconfig1 the script names libfontconfig.so.1 and exits 1.

Root only (debootstrap, chroot, mounts): skipped otherwise, and when the host's Debian mirror
cannot be reached. The root is made once and kept in BUILD_FOLDER/e2e-roots/; each run works
on a copy.

usage: test_portable_plain_desktop.py QMTOOL EDITOR_FOLDER DEMO_PROJECT BUILD_FOLDER
"""

import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.request

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402
from test_linux_packages import NAME, package, start_and_see_first_frame  # noqa: E402

SUITE = "bookworm"
PLAIN_DESKTOP = ["libgl1", "libx11-6", "libxcb1", "libfontconfig1", "libfreetype6", "libasound2",
                 "libpulse0", "libglib2.0-0", "fonts-dejavu-core"]


def host_mirror():
    """The Debian archive the host's APT takes SUITE from (one-line or deb822 sources)."""
    for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*")):
        try:
            text = open(path).read()
        except OSError:
            continue
        for m in re.finditer(r"^deb\s+(?:\[[^\]]*\]\s+)?(\S+)\s+(\S+)", text, re.M):
            if m.group(2) == SUITE:
                return m.group(1).rstrip("/")
        for stanza in re.split(r"\n\s*\n", text):
            fields = dict(re.findall(r"^(\w[\w-]*):\s*(.*)$", stanza, re.M))
            if "deb" in fields.get("Types", "").split() and \
                    SUITE in fields.get("Suites", "").split() and fields.get("URIs"):
                return fields["URIs"].split()[0].rstrip("/")
    return None


def mounts_under(path):
    """Mount points at or below `path`, deepest first."""
    top = os.path.realpath(path)
    found = []
    for line in open("/proc/self/mountinfo"):
        point = re.sub(r"\\([0-7]{3})", lambda m: chr(int(m.group(1), 8)), line.split()[4])
        if point == top or point.startswith(top + "/"):
            found.append(point)
    return sorted(found, key=len, reverse=True)


def remove_root(path):
    """Deletes a root unless something is still mounted in it (/dev, /tmp of the host)."""
    for point in mounts_under(path):
        if subprocess.run(["umount", point]).returncode != 0:
            subprocess.run(["umount", "-l", point])
    left = mounts_under(path)
    if left:
        raise e.Failure("still mounted, %s is kept: %s" % (path, " ".join(left)))
    shutil.rmtree(path, ignore_errors=True)


def plain_root(roots):
    """The cached plain-desktop root, made by debootstrap when it is not there yet."""
    root = os.path.join(roots, SUITE + "-plain")
    if os.path.isdir(root):
        return root
    mirror = host_mirror()
    if not mirror:
        raise e.Skip("no Debian %s mirror in /etc/apt/sources.list*" % SUITE)
    try:
        urllib.request.urlopen(mirror + "/dists/%s/Release" % SUITE, timeout=20).close()
    except OSError as err:
        raise e.Skip("the Debian mirror %s cannot be reached: %s" % (mirror, err))
    partial = root + ".partial"
    if os.path.exists(partial):
        remove_root(partial)
    started = time.monotonic()
    made = subprocess.run(["debootstrap", "--variant=minbase",
                           "--include=" + ",".join(PLAIN_DESKTOP), SUITE, partial, mirror],
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, timeout=900)
    if made.returncode != 0:
        raise e.Failure("debootstrap failed:\n" + made.stdout.decode(errors="replace")[-3000:])
    subprocess.run(["chroot", partial, "apt-get", "clean"], check=True)
    os.rename(partial, root)
    e.log("debootstrap of the plain desktop took %.1f s" % (time.monotonic() - started))
    return root


def bind(source, target):
    if os.path.isdir(source):
        os.makedirs(target, exist_ok=True)
    else:
        os.makedirs(os.path.dirname(target), exist_ok=True)
        open(target, "a").close()
    subprocess.run(["mount", "--bind", source, target], check=True)


def test():
    qmtool, editor, demo_src, build = sys.argv[1:5]
    if os.geteuid() != 0:
        raise e.Skip("not root: debootstrap, chroot and mounts need root")
    if not shutil.which("debootstrap"):
        raise e.Skip("debootstrap is not installed (scripts/install-deps.sh installs it)")
    roots = os.path.join(build, "e2e-roots")
    os.makedirs(roots, exist_ok=True)
    for stale in glob.glob(os.path.join(roots, "run-*")):
        remove_root(stale)  # left by a run that was killed
    cached = plain_root(roots)
    work = tempfile.mkdtemp(prefix="run-", dir=roots)
    try:
        with e.Session(screen="1024x768") as s:
            play_and_lose_a_library(s, qmtool, editor, demo_src, cached, work + "/root")
    finally:
        remove_root(work)  # once the session has ended the player, which holds /dev open


def play_and_lose_a_library(s, qmtool, editor, demo_src, cached, root):
    """Plays the demo from its portable folder in a copy of the cached root, then removes
    libfontconfig1 and runs the start script again."""
    subprocess.run(["cp", "-a", cached, root], check=True)
    out = os.path.join(s.tmp, "out")
    os.mkdir(out)
    package(qmtool, editor, demo_src, "portable", out, "--quick")
    subprocess.run(["tar", "-xf", os.path.join(out, demo.TITLE + ".tar.xz"), "-C",
                    os.path.join(root, "opt")], check=True)
    script = "/opt/%s/%s.sh" % (demo.TITLE, NAME)
    subprocess.run(["mount", "-t", "proc", "proc", os.path.join(root, "proc")], check=True)
    # The X server, the session bus and the accessibility bus (in the session's runtime
    # folder) at the same places inside.
    bus = re.search(r"unix:path=([^,;]+)", s.env["DBUS_SESSION_BUS_ADDRESS"])
    for source in ["/dev", "/tmp/.X11-unix", s.tmp] + ([bus.group(1)] if bus else []):
        bind(source, root + source)

    env = {"LD_LIBRARY_PATH": None, "QT_PLUGIN_PATH": None, "HOME": "/root",
           "PATH": "/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin"}
    start_and_see_first_frame(s, ["chroot", root, script], s.tmp, env)

    subprocess.run(["chroot", root, "dpkg", "--force-depends", "-r", "libfontconfig1"],
                   check=True, stdout=subprocess.DEVNULL)
    run_env = {k: v for k, v in dict(s.env, **env).items() if v is not None}
    ran = subprocess.run(["chroot", root, script], env=run_env, stdout=subprocess.PIPE,
                         stderr=subprocess.PIPE, timeout=60)
    said = ran.stderr.decode(errors="replace")
    e.log("without libfontconfig1: status %d, %r" % (ran.returncode, said))
    named = re.match(r"%s cannot start: these libraries are missing on this system: (.*)\n"
                     % re.escape(demo.TITLE), said)
    if ran.returncode != 1 or not named or "libfontconfig.so.1" not in named.group(1).split():
        raise e.Failure("without libfontconfig1 the script gave status %d and said %r"
                        % (ran.returncode, said))


if __name__ == "__main__":
    e.main(test, limit=1200)
