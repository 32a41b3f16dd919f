"""The first frame is heard: SDL's disk driver writes what the player mixes (MIDI music and the
looping waves on the Shore), and the samples written while the game runs are not silent."""

import array
import os
import shutil
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e_support as e  # noqa: E402
import demo_game as demo  # noqa: E402

RATE, CHANNELS, BYTES = 44100, 2, 2  # the player's output: 16-bit stereo at 44.1 kHz
SECOND = RATE * CHANNELS * BYTES


def levels(raw):
    """Peak and RMS (0..1) of signed 16-bit native-endian samples."""
    samples = array.array("h")
    samples.frombytes(raw[:len(raw) - len(raw) % 2])
    if sys.byteorder != "little":
        samples.byteswap()
    if not samples:
        return 0.0, 0.0
    peak = max(abs(v) for v in samples) / 32768.0
    rms = (sum(v * v for v in samples) / len(samples)) ** 0.5 / 32768.0
    return peak, rms


def test():
    run, project_src = sys.argv[1], sys.argv[2]
    with e.Session(screen="1024x768", audio="disk") as s:
        out = os.path.join(s.tmp, "output.raw")
        s.audio_file = out
        s.env["SDL_DISKAUDIOFILE"] = out
        project = s.copy_project(project_src)
        s.start_player(run, project)
        s.find(demo.TITLE, "label", timeout=30)
        demo.uncheck_resolution(s)
        demo.choose_scaling(s, demo.UNSCALED)
        demo.click_label(s, demo.START)
        s.find(demo.PLAY_AREA)
        demo.wait_for_picture(s, "the Shore picture", demo.shows_shore, lambda shot: (192, 144))
        e.poll("the audio output file", lambda: os.path.exists(out), 10)
        started_at = os.path.getsize(out)
        # About two seconds of the Shore, counted in samples written rather than wall time.
        e.poll("two seconds of output after Start",
               lambda: os.path.getsize(out) >= started_at + 2 * SECOND, 20)
        demo.quit_game(s)
        demo.click_label(s, demo.EXIT)
        status = s.wait_player_exit(15)
        if status != 0:
            raise e.Failure("the player ended with status %d" % status)

        with open(out, "rb") as f:
            f.seek(started_at - started_at % 4)
            game = f.read(2 * SECOND)
        peak, rms = levels(game)
        e.log("two seconds from Start: peak %.4f, RMS %.4f" % (peak, rms))
        if shutil.which("sox"):
            chunk = os.path.join(s.tmp, "game.raw")
            with open(chunk, "wb") as f:
                f.write(game)
            stat = subprocess.run(["sox", "-t", "raw", "-r", str(RATE), "-e", "signed", "-b", "16",
                                   "-c", str(CHANNELS), chunk, "-n", "stat"],
                                  stderr=subprocess.PIPE, stdout=subprocess.DEVNULL).stderr.decode()
            for line in stat.splitlines():
                if line.startswith(("Maximum amplitude", "RMS     amplitude")):
                    e.log("sox: " + line.strip())
        if peak < 0.02 or rms < 0.002:
            raise e.Failure("the Shore is silent: peak %.4f, RMS %.4f over two seconds" % (peak, rms))
        # Sound all through, not a click at the start: most quarter seconds carry signal.
        quarter = SECOND // 4
        heard = sum(1 for i in range(0, len(game) - quarter + 1, quarter)
                    if levels(game[i:i + quarter])[0] >= 0.01)
        if heard < 6:
            raise e.Failure("only %d of 8 quarter seconds after Start carry sound" % heard)


if __name__ == "__main__":
    e.main(test)
