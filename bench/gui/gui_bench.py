#!/usr/bin/env python3
"""Measures the running program the way a user meets it: the real window under Xvfb, driven by
xdotool, timed through the program's event trace (QUILLON_EVENT_TRACE: a line per key received and
per paint finished, with the process's CPU time). Each row sends its keys, waits until the window
has been quiet for a moment and reports the wall time from the first key received to the last
paint, and the processor time spent in between; rows with a reference command compare with vim on
the same input. Usage: bench/gui/gui_bench.py BUILD_DIR [--filter TEXT] [--keep]
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

QUIET_SECONDS = 0.4  # no trace line for this long: the action is done
PAUSE_NS = 250_000_000  # a paint after this long without a trace line belongs to no action
MAX_SECONDS = 600


def die(message):
    print(message, file=sys.stderr)
    sys.exit(1)


class Trace:
    """The program's event trace file, read as it grows."""

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.lines = []  # (wall ns, cpu ns, what)

    def poll(self):
        try:
            with open(self.path, "rb") as f:
                f.seek(self.offset)
                data = f.read()
        except FileNotFoundError:
            return 0
        end = data.rfind(b"\n")
        if end < 0:
            return 0
        self.offset += end + 1
        added = 0
        for raw in data[: end + 1].splitlines():
            parts = raw.split()
            if len(parts) >= 3:
                self.lines.append((int(parts[0]), int(parts[1]), parts[2].decode()))
                added += 1
        return added


class Program:
    """One run of the program under the display, with its own home directory."""

    def __init__(self, bench, args, env_extra=None):
        self.bench = bench
        self.trace_path = os.path.join(bench.work, "trace-%d.log" % time.monotonic_ns())
        self.trace = Trace(self.trace_path)
        env = dict(os.environ)
        env.update(
            {
                "DISPLAY": bench.display,
                "HOME": bench.home,
                "QUILLON_EVENT_TRACE": self.trace_path,
                "XDG_CACHE_HOME": os.path.join(bench.home, ".cache"),
            }
        )
        env.pop("QT_QPA_PLATFORM", None)
        if env_extra:
            env.update(env_extra)
        self.started_ns = time.monotonic_ns()
        self.process = subprocess.Popen(
            [bench.program, "--no-session"] + args,
            env=env,
            cwd=bench.work,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        self.rusage = None

    def wait_quiet(self, since_index=0, need_paint=True, quiet_seconds=QUIET_SECONDS):
        """Waits until a paint came after `since_index` and the trace was then quiet."""
        deadline = time.monotonic() + MAX_SECONDS
        last_change = time.monotonic()
        while time.monotonic() < deadline:
            if self.trace.poll():
                last_change = time.monotonic()
            if self.process.poll() is not None:
                return
            # A paint counts only after the action's first key or click when there is one
            # (the caret's blink may paint before it arrives).
            lines = self.trace.lines[since_index:]
            first_input = next((i for i, l in enumerate(lines) if l[2] in ("key", "mouse")), 0)
            painted = any(w == "paint" for _, _, w in lines[first_input:])
            if (painted or not need_paint) and time.monotonic() - last_change >= quiet_seconds:
                return
            time.sleep(0.01)
        die("the program did not become quiet")

    def window(self):
        for _ in range(500):
            out = subprocess.run(
                ["xdotool", "search", "--onlyvisible", "--name", "Quillon"],
                env=self.bench.xenv,
                capture_output=True,
                text=True,
            ).stdout.split()
            if out:
                return out[0]
            time.sleep(0.02)
        die("no main window appeared")

    def focus(self):
        subprocess.run(
            ["xdotool", "windowfocus", "--sync", self.window()], env=self.bench.xenv, check=False
        )

    def click_in(self, title, x_fraction, y_from_bottom):
        """Clicks inside the window of that title: at x_fraction of its width and
        y_from_bottom pixels above its bottom edge."""
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title],
                             env=self.bench.xenv, capture_output=True, text=True).stdout.split()
        if not out:
            die("no window " + title)
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", out[0]],
                                  env=self.bench.xenv, capture_output=True, text=True).stdout
        values = dict(line.split("=", 1) for line in geometry.split() if "=" in line)
        x = int(values["X"]) + int(int(values["WIDTH"]) * x_fraction)
        y = int(values["Y"]) + int(values["HEIGHT"]) + y_from_bottom
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], env=self.bench.xenv)

    def keys(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "30"] + list(keys), env=self.bench.xenv)

    def type(self, text):
        subprocess.run(["xdotool", "type", "--delay", "5", text], env=self.bench.xenv)

    def act(self, send, since_last_key=True, through_pauses=False):
        """Runs send(), waits for quiet, and returns (wall ms, cpu ms) from the first key the
        program received after the call (the last one with since_last_key) to its last paint."""
        # Lines written before the call are read first: a paint among them would otherwise
        # count as the action's while the program is still busy with it.
        self.trace.poll()
        start = len(self.trace.lines)
        send()
        self.wait_quiet(start, quiet_seconds=3.0 if through_pauses else QUIET_SECONDS)
        return self.measure(start, since_last_key, through_pauses)

    def measure(self, start, since_last_key=True, through_pauses=False):
        lines = self.trace.lines[start:]
        keys = [line for line in lines if line[2] in ("key", "mouse")]
        paints = [line for line in lines if line[2] == "paint"]
        if not keys or not paints:
            return None
        first = keys[-1] if since_last_key else keys[0]
        # The key's own arrival may be traced twice (override question, then the press).
        if since_last_key:
            same = [k for k in keys if first[0] - k[0] < 2_000_000]
            first = same[0]
        # A paint after a pause that follows the action's paints (the caret's blink, a timer) is
        # not part of the action.
        last = None
        previous = first
        for line in lines:
            if line[0] < first[0]:
                continue
            if not through_pauses and last is not None and line[0] - previous[0] > PAUSE_NS:
                break
            if line[2] == "paint":
                last = line
            previous = line
        if last is None:
            return None
        return ((last[0] - first[0]) / 1e6, (last[1] - first[1]) / 1e6)

    def startup(self):
        """Wall and cpu ms from the start of the process to its last paint once quiet."""
        self.wait_quiet(0)
        paints = [line for line in self.trace.lines if line[2] == "paint"]
        last = paints[-1]
        return ((last[0] - self.started_ns) / 1e6, last[1] / 1e6)

    def resident_kib(self):
        with open("/proc/%d/status" % self.process.pid) as f:
            for line in f:
                if line.startswith("VmRSS:"):
                    return int(line.split()[1])
        return 0

    def quit(self):
        """Exit through the File menu; wall ms until the process ended and its cpu ms after the
        key."""
        self.focus()
        start = len(self.trace.lines)
        self.keys("alt+f")
        time.sleep(0.3)
        self.trace.poll()
        start = len(self.trace.lines)
        sent = time.monotonic_ns()
        self.keys("x")
        _, status, usage = os.wait4(self.process.pid, 0)
        ended = time.monotonic_ns()
        self.process.returncode = status
        self.trace.poll()
        keys = [line for line in self.trace.lines[start:] if line[2] == "key"]
        key_wall, key_cpu = (keys[0][0], keys[0][1]) if keys else (sent, 0)
        cpu_total = (usage.ru_utime + usage.ru_stime) * 1000
        return ((ended - key_wall) / 1e6, cpu_total - key_cpu / 1e6)

    def kill(self):
        if self.process.poll() is None:
            self.process.send_signal(signal.SIGKILL)
            self.process.wait()


class Bench:
    def __init__(self, build_dir, keep):
        self.program = os.path.abspath(os.path.join(build_dir, "bin", "quillon"))
        self.quillon_bench = os.path.abspath(os.path.join(build_dir, "bin", "quillon_bench"))
        if not os.access(self.program, os.X_OK):
            die(self.program + " not found: build it first")
        for tool in ("Xvfb", "xdotool"):
            if shutil.which(tool) is None:
                die(tool + " is missing (apt-get install xvfb xdotool)")
        self.keep = keep
        self.work = tempfile.mkdtemp(prefix="quillon-gui-bench.")
        self.home = os.path.join(self.work, "home")
        os.makedirs(self.home)
        self.display = self.free_display()
        self.xvfb = subprocess.Popen(
            ["Xvfb", self.display, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        self.xenv = dict(os.environ, DISPLAY=self.display)
        time.sleep(1.0)
        self.rows = []

    @staticmethod
    def free_display():
        for n in range(70, 200):
            if not os.path.exists("/tmp/.X%d-lock" % n):
                return ":%d" % n
        die("no free display number")

    def close(self):
        self.xvfb.terminate()
        self.xvfb.wait()
        if not self.keep:
            shutil.rmtree(self.work, ignore_errors=True)

    def write_config(self, text):
        with open(os.path.join(self.home, "veskide.ini"), "w") as f:
            f.write(text)

    def row(self, label, wall_ms, cpu_ms, target):
        """target: (kind, limit, reference ms or None); kind 'ms' (wall and cpu below the limit),
        'cpu' (cpu below), 'wall' (wall below), 'ratio' (cpu / reference at most the limit),
        'wall-ratio' (wall / reference at most the limit)."""
        kind, limit, reference = target
        if wall_ms is None:
            result, ratio = "no figure", "-"
        elif kind == "ms":
            ratio = "-"
            result = "ok" if wall_ms < limit[0] and cpu_ms < limit[1] else "MISSED"
        elif kind == "wall":
            ratio = "-"
            result = "ok" if wall_ms < limit else "MISSED"
        else:
            ours = cpu_ms if kind == "ratio" else wall_ms
            ratio = "%.2f" % (ours / reference) if reference else "-"
            result = "ok" if reference and ours / reference <= limit else "MISSED"
        goal = {
            "ms": lambda: "wall < %g, cpu < %g ms" % limit,
            "wall": lambda: "wall < %g ms" % limit,
            "ratio": lambda: "cpu <= %gx vim" % limit,
            "wall-ratio": lambda: "wall <= %gx vim" % limit,
        }[kind]()
        ref = "%.1f ms" % reference if reference else "-"
        wall = "%.1f" % wall_ms if wall_ms is not None else "-"
        cpu = "%.1f" % cpu_ms if cpu_ms is not None else "-"
        line = "%-34s %10s %10s %10s %6s  %-24s %s" % (label, wall, cpu, ref, ratio, goal, result)
        print(line, flush=True)
        self.rows.append(line)


# ------------------------------------------------------------------ inputs


SINGLE_LINE_UNIT = 36  # bytes of each declaration write_single_line repeats


def write_single_line(path, size):
    unit = b"int value_%07d = 0x1234; /* c */ "
    with open(path, "wb") as f:
        written = 0
        n = 0
        block = []
        while written < size:
            piece = unit % (n % 10000000)
            block.append(piece)
            written += len(piece)
            n += 1
            if len(block) >= 4096:
                f.write(b"".join(block))
                block = []
        f.write(b"".join(block))
        f.write(b"\n")


def vim_seconds(args, runs=3):
    if shutil.which("vim") is None:
        return None
    best = None
    for _ in range(runs):
        start = time.monotonic()
        process = subprocess.Popen(
            ["vim", "-u", "NONE", "-i", "NONE", "-n", "-es"] + args,
            stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL,
        )
        _, _, usage = os.wait4(process.pid, 0)
        wall = time.monotonic() - start
        cpu = usage.ru_utime + usage.ru_stime
        if best is None or cpu < best[1]:
            best = (wall, cpu)
    return best


# ------------------------------------------------------------------ rows


def page_right(program):
    """Back to the line's start, then one click in the horizontal scroll bar's trough right of
    its thumb: a page of horizontal scrolling (no key is bound to it). The document window
    opens at the same place and size every run, its scroll bar 159 pixels above the bottom
    of the 800 x 600 frame."""
    program.keys("ctrl+Home")
    time.sleep(0.3)
    program.click_in("Quillon", 0.5, -159)


def long_line_rows(bench, size, label):
    path = os.path.join(bench.work, "line%s.c" % label)
    write_single_line(path, size)
    program = Program(bench, [path])
    program.startup()
    program.focus()
    target = ("ms", (50, 5), None)
    actions = [
        ("Ctrl+End", lambda: program.keys("ctrl+End")),
        ("Ctrl+Home", lambda: program.keys("ctrl+Home")),
        ("End", lambda: program.keys("End")),
        ("Home", lambda: program.keys("Home")),
        ("type at start", lambda: program.keys("x")),
        ("Backspace at start", lambda: program.keys("BackSpace")),
        ("undo", lambda: program.keys("ctrl+z")),
        ("redo", lambda: program.keys("ctrl+shift+z")),
        ("page right", lambda: page_right(program)),
        ("End, type at end", lambda: (program.keys("End"), program.keys("y"))),
        ("middle: type", None),
        ("middle: Backspace", lambda: program.keys("BackSpace")),
    ]
    for name, send in actions:
        if send is None:
            # The caret goes to the line's middle through the Find dialog (not measured): the
            # unit written there is the only one with its number.
            program.keys("ctrl+f")
            time.sleep(0.8)
            program.type("value_%07d " % (size // SINGLE_LINE_UNIT // 2))
            program.keys("Return")
            time.sleep(1.0)
            program.focus()
            program.keys("Right")
            time.sleep(0.5)
            send = lambda: program.keys("x")
        wall, cpu = program.act(send) or (None, None)
        bench.row("%s line: %s" % (label, name), wall, cpu, target)
    program.kill()


def replace_all_rows(bench, reference_file):
    vim = vim_seconds(["-c", "%s/put_string/PUT_STRING/g", "-c", "q!", reference_file], runs=1)
    program = Program(bench, [reference_file])
    program.startup()
    program.focus()
    program.keys("ctrl+h")
    time.sleep(1.0)
    program.type("put_string")
    program.keys("Tab")
    program.type("PUT_STRING")
    program.keys("Return")
    time.sleep(1.0)
    result = program.act(lambda: program.keys("a")) or (None, None)
    bench.row("Replace All, Yes to all (100 MB)", result[0], result[1],
              ("ratio", 0.5, vim[1] * 1000 if vim else None))
    time.sleep(0.5)
    program.focus()
    result = program.act(lambda: program.keys("ctrl+z")) or (None, None)
    bench.row("Undo of it", result[0], result[1], ("wall", 1000, None))
    program.kill()


def messages_rows(bench):
    tool = os.path.join(bench.work, "chatty-cc")
    with open(tool, "w") as f:
        f.write(
            "#!/bin/sh\n"
            "exec awk 'BEGIN { for (i = 1; i <= 1000000; i++) "
            "printf \"game.c(%d): Error: something is wrong\\n\", i % 500 + 1 }'\n"
        )
    os.chmod(tool, 0o755)
    source = os.path.join(bench.work, "game.c")
    with open(source, "w") as f:
        f.write("int main(void) { return 0; }\n" * 600)
    bench.write_config("[C]\npcecc=%s {file}\n" % tool)
    program = Program(bench, [source])
    program.startup()
    program.focus()
    result = program.act(lambda: program.keys("ctrl+F9")) or (None, None)
    bench.row("1,000,000 error lines: build", result[0], result[1], ("wall", 1000, None))
    program.focus()
    result = program.act(lambda: program.keys("F4")) or (None, None)
    bench.row("1,000,000 error lines: F4", result[0], result[1], ("wall", 1000, None))
    program.kill()
    os.remove(os.path.join(bench.home, "veskide.ini"))


def settings_rows(bench):
    path = os.path.join(bench.home, "veskide.ini")
    with open(path, "w") as f:
        f.write("; notes\n")
        line = "; " + "x" * 96 + "\n"
        f.write(line * (100 * 1024 * 1024 // len(line)))
        f.write("[C]\npcecc=cc65 {file}\n[COLORS]\nBGCOLOR=16777215\n")
    program = Program(bench, [])
    wall, cpu = program.startup()
    bench.row("100 MB settings file: start", wall, cpu, ("wall", 500, None))
    program.focus()
    program.keys("alt+f")
    time.sleep(0.3)
    result = program.act(lambda: program.keys("e")) or (None, None)
    bench.row("100 MB settings file: Setup opens", result[0], result[1], ("wall", 500, None))
    # Save! spans the bottom of the dialog.
    # The click's press paints the button at once; the save runs on its release, which the
    # trace does not show, so the row runs to the last paint however long the pause before it.
    result = program.act(lambda: program.click_in("Setup Options", 0.5, -18),
                         through_pauses=True) or (None, None)
    bench.row("100 MB settings file: Save!", result[0], result[1], ("wall", 1000, None))
    program.kill()
    os.remove(path)


def many_files_rows(bench):
    directory = os.path.join(bench.work, "many")
    os.makedirs(directory)
    files = []
    for i in range(1000):
        name = os.path.join(directory, "file%04d.c" % i)
        with open(name, "w") as f:
            f.write("int f%d(void) { return %d; }\n" % (i, i))
        files.append(name)
    program = Program(bench, files)
    wall, cpu = program.startup()
    bench.row("1,000 files: open", wall, cpu, ("wall", 2000, None))
    wall, cpu = program.quit()
    bench.row("1,000 files: quit", wall, cpu, ("wall", 1000, None))


def open_rows(bench, reference_file):
    vim = vim_seconds(["-c", "q!", reference_file])
    program = Program(bench, [])
    program.startup()
    program.focus()
    # The dialog offers C files: a name the C filter shows, for the same bytes.
    as_c = os.path.join(bench.work, "reference.c")
    try:
        os.link(reference_file, as_c)
    except OSError:
        os.symlink(reference_file, as_c)
    program.keys("ctrl+o")
    time.sleep(1.0)
    program.type(as_c)
    result = program.act(lambda: program.keys("Return")) or (None, None)
    bench.row("File > Open 100 MB", result[0], result[1],
              ("ratio", 0.5, vim[1] * 1000 if vim else None))
    program.kill()


def big_file_rows(bench, reference_file):
    path = os.path.join(bench.work, "big1g.c")
    with open(reference_file, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        while f.tell() < 1024 * 1024 * 1024:
            f.write(data)
    size = os.path.getsize(path)
    vim = vim_seconds(["-c", "q!", path], runs=1)
    program = Program(bench, [path])
    wall, cpu = program.startup()
    bench.row("1 GB file: open and first paint", wall, cpu,
              ("wall-ratio", 0.5, vim[0] * 1000 if vim else None))
    resident = program.resident_kib() * 1024
    ratio = resident / size
    line = "%-34s %10s %10s %10s %6.2f  %-24s %s" % (
        "1 GB file: resident memory", "%.0f MB" % (resident / 2**20), "-", "-", ratio,
        "<= 1.1x the file", "ok" if ratio <= 1.1 else "MISSED")
    print(line, flush=True)
    bench.rows.append(line)
    program.kill()
    os.remove(path)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build_dir")
    parser.add_argument("--filter", default="", help="run only the groups whose name holds this")
    parser.add_argument("--keep", action="store_true", help="keep the generated inputs")
    options = parser.parse_args()
    bench = Bench(options.build_dir, options.keep)
    reference_file = None
    if os.access(bench.quillon_bench, os.X_OK):
        reference_file = subprocess.run(
            [bench.quillon_bench, "--reference-file"], capture_output=True, text=True
        ).stdout.strip()
    groups = [
        ("long-lines", lambda: (long_line_rows(bench, 10 * 2**20, "10 MB"),
                                long_line_rows(bench, 100 * 2**20, "100 MB"))),
        ("replace-all", lambda: replace_all_rows(bench, reference_file)),
        ("messages", lambda: messages_rows(bench)),
        ("settings", lambda: settings_rows(bench)),
        ("many-files", lambda: many_files_rows(bench)),
        ("open", lambda: open_rows(bench, reference_file)),
        ("big-file", lambda: big_file_rows(bench, reference_file)),
    ]
    print("%-34s %10s %10s %10s %6s  %-24s %s" % ("What (GUI)", "Wall ms", "CPU ms", "Reference",
                                                   "Ratio", "Target", "Result"))
    try:
        for name, run in groups:
            if options.filter not in name:
                continue
            if name in ("replace-all", "open", "big-file") and not reference_file:
                print("%s: skipped, %s is not built" % (name, bench.quillon_bench))
                continue
            run()
    finally:
        bench.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
