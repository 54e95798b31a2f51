#!/usr/bin/env python3
# KIVO read from outside the process through the AT-SPI bus, as a screen reader reads it: under a
# private D-Bus session and a virtual X display, the program starts with a known client; every
# control a user can reach on each page must have a name that is not its value, the answer grid
# must read as a table of items by conditions whose cells say the answer and the question, every
# score and missing count of both conditions must be readable from the report screen's tables and
# chart, and Print Scores must open a preview whose page reads as text.
#
#   atspi_probe.py KIVO CLIENT_TEMPLATE     starts itself under dbus-run-session and xvfb-run
#
# Exit 0 passes, 1 fails, 77 skips (only when the tools are missing or the bus cannot start).
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

SKIP = 77
RUN_LIMIT = 180  # seconds for the whole inner run; CTest's own timeout stands above it
WAIT_LIMIT = 30  # seconds for any one thing to appear

# The known client: short form (a). Condition 1 every rated item 'D' (4) but Speech Cues items 5
# and 6 blank, the use items 'B' (2); condition 2 every rated item 'F' (6) but Pleasantness items
# 3, 4 and 7 blank (invalid), the use items 'E' (5).
TABLES = {
    "Condition 1 scores": [
        ("Speech Cues", "4.0", "2"), ("Listening Effort", "4.0", "0"), ("Quiet", "4.0", "0"),
        ("Pleasantness", "4.0", "0"), ("Convenience", "4.0", "0"), ("Use", "2.0", "0")],
    "Condition 2 scores": [
        ("Speech Cues", "6.0", "0"), ("Listening Effort", "6.0", "0"), ("Quiet", "6.0", "0"),
        ("Pleasantness", "invalid", "3"), ("Convenience", "6.0", "0"), ("Use", "5.0", "0")],
}
CHART = ("Condition 1: Speech Cues 4.0, inside the norm box; Listening Effort 4.0, below the "
         "norm box; Quiet 4.0, inside the norm box; Pleasantness 4.0, inside the norm box; "
         "Convenience 4.0, inside the norm box; Use 2.0, below the norm box. Condition 2: Speech "
         "Cues 6.0, above the norm box; Listening Effort 6.0, above the norm box; Quiet 6.0, above "
         "the norm box; Pleasantness invalid; Convenience 6.0, above the norm box; Use 5.0, above "
         "the norm box.")
# The answer grid: a row per item of the short form, a column per condition; a cell says the item,
# its answer and its question.
GRID_CELLS = {
    (0, 0): "Item 1, condition 1: D, Medium. Making it less tiring to listen all day?",
    (4, 0): "Item 5, condition 1: no answer. Helping me follow a friend\u2019s voice in a noisy "
            "crowd?",
    (1, 1): "Item 2, condition 2: F, Greatly. Being comfortable to wear all day?",
}
# Words the score report's page holds, read through the preview.
REPORT_WORDS = ["Speech Cues", "Listening Effort", "Pleasantness", "Convenience", "4.0", "6.0"]
DEMOGRAPHICS_NAMES = ["Last Name", "First Name", "MI", "ID#", "Form", "Gender", "Birth Date",
                      "Comments", "Condition 1, hearing aid", "Condition 2, Ear(s)",
                      "Condition 2, Coupling", "Condition 2, date of test",
                      "Condition 1, experience with hearing aid: Over 5 years"]


def write_known_client(template, path):
    record = bytearray(open(template, "rb").read())
    record[72:76] = struct.pack("<i", 0)  # TestForm: short form (a)
    answers = bytearray(b" " * 80)
    for item in range(1, 29):
        one = "D" if item <= 25 else "B"
        two = "F" if item <= 25 else "E"
        answers[item - 1] = ord(" " if item in (5, 6) else one)
        answers[40 + item - 1] = ord(" " if item in (3, 4, 7) else two)
    record[472:552] = answers
    open(path, "wb").write(record)


def outer(kivo, template):
    for tool in ("dbus-run-session", "xvfb-run"):
        if shutil.which(tool) is None:
            print(f"SKIP: {tool} is not installed")
            return SKIP
    try:
        import pyatspi  # noqa: F401
    except ImportError:
        print("SKIP: python3-pyatspi is not installed")
        return SKIP
    command = ["dbus-run-session", "--", "xvfb-run", "-a", "-s", "-screen 0 1280x1024x24",
               sys.executable, os.path.abspath(__file__), "--inner", os.path.abspath(kivo),
               os.path.abspath(template)]
    try:
        return subprocess.run(command, timeout=RUN_LIMIT).returncode
    except subprocess.TimeoutExpired:
        print(f"FAIL: the run took over {RUN_LIMIT} seconds")
        return 1


def bus_starts():
    """Whether the session's accessibility bus answers (at-spi-bus-launcher, by activation)."""
    try:
        reply = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], capture_output=True, text=True, timeout=20)
    except (OSError, subprocess.TimeoutExpired) as error:
        print(f"accessibility bus: {error}")
        return False
    if reply.returncode != 0:
        print(f"accessibility bus: {reply.stderr.strip()}")
    return reply.returncode == 0


def wait_for(what, find):
    deadline = time.monotonic() + WAIT_LIMIT
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes while it is read: ask again
            found = None
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError(f"{what} did not appear within {WAIT_LIMIT} seconds")


def descendants(pyatspi, root, showing_only=True):
    """Every object under root, not descending into hidden ones."""
    found = []
    stack = [root]
    while stack:
        node = stack.pop()
        if node is None:
            continue
        found.append(node)
        if showing_only and node is not root and \
                not node.getState().contains(pyatspi.STATE_SHOWING):
            continue
        stack.extend(node[i] for i in range(node.childCount))
    return found


def text_of(node):
    try:
        text = node.queryText()
        return text.getText(0, text.characterCount)
    except NotImplementedError:
        return ""


checked_controls = 0


def unnamed_controls(pyatspi, app):
    """Reachable controls (focusable, showing, enabled) whose name is empty or their value."""
    global checked_controls
    bad = []
    for node in descendants(pyatspi, app):
        state = node.getState()
        if not (state.contains(pyatspi.STATE_FOCUSABLE) and state.contains(pyatspi.STATE_SHOWING)
                and state.contains(pyatspi.STATE_SENSITIVE)):
            continue
        checked_controls += 1
        name = (node.name or "").strip()
        value = text_of(node).strip()
        if not name or (value and name == value):
            bad.append(f"{node.getRoleName()} named {name!r} showing {value!r}")
    return bad


def named(pyatspi, app, name, role=None):
    for node in descendants(pyatspi, app):
        if node.name == name and (role is None or node.getRoleName() == role):
            return node
    return None


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def read_answer_grid(pyatspi, app):
    grid = named(pyatspi, app, "Answers", "table")
    if grid is None:
        return ["answers page: no table named 'Answers'"]
    table = grid.queryTable()
    failures = []
    if (table.nRows, table.nColumns) != (28, 2):
        failures.append(f"answer grid: {table.nRows} x {table.nColumns} cells, not 28 x 2")
    for (row, column), expected in GRID_CELLS.items():
        cell = table.getAccessibleAt(row, column)
        read = cell.name if cell is not None else None
        print(f"answer grid cell {row + 1}, {column + 1}: {read!r}")
        if read != expected:
            failures.append(f"answer grid cell {row + 1}, {column + 1}: read {read!r}")
    return failures


def read_report_preview(pyatspi, app):
    """Print Scores opens the preview; its page is a document whose text is the page's."""
    button = named(pyatspi, app, "Print Scores", "push button")
    if button is None:
        return ["scores page: no button named 'Print Scores'"]
    press(button)

    def page_text():
        for node in descendants(pyatspi, app):
            if node.name == "Report page" and node.getRoleName() in ("document frame", "document"):
                text = text_of(node)
                if all(word in text for word in REPORT_WORDS):
                    return text
        return None

    text = wait_for("the score report's page text in the preview", page_text)
    print(f"preview page text: {len(text)} characters, starting {text[:60]!r}")
    return []


def inner(kivo, template):
    if not bus_starts():
        print("SKIP: the accessibility bus cannot start")
        return SKIP
    import pyatspi

    folder = tempfile.mkdtemp(prefix="kivo-atspi-")
    runtime = os.path.join(folder, "runtime")
    os.mkdir(runtime, 0o700)
    client = os.path.join(folder, "known.KVO")
    write_known_client(template, client)
    env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               XDG_RUNTIME_DIR=runtime, LC_ALL="C.UTF-8", LANG="C.UTF-8", TZ="UTC")
    if env.get("ASAN_OPTIONS"):
        # In a sanitizer build: the X keyboard library strndup()s atom names that X does not
        # end with a NUL, which the strict string check reports although strndup stops at its
        # length. Only this program, the one that talks to X, runs without that check.
        env["ASAN_OPTIONS"] += ":strict_string_checks=0"
    program = subprocess.Popen([kivo, client], cwd=folder, env=env)
    failures = []
    try:
        desktop = pyatspi.Registry.getDesktop(0)

        def the_app():
            for i in range(desktop.childCount):
                app = desktop[i]
                if app is not None and app.get_process_id() == program.pid:
                    return app
            return None

        app = wait_for("KIVO on the accessibility bus", the_app)
        wait_for("the client details page", lambda: named(pyatspi, app, "Last Name"))
        for name in DEMOGRAPHICS_NAMES:
            if named(pyatspi, app, name) is None:
                failures.append(f"client details page: nothing named {name!r}")
        failures += [f"client details page: {b}" for b in unnamed_controls(pyatspi, app)]

        for button in ("Client details page", "Answers page", "Scores page"):
            node = named(pyatspi, app, button, "radio button")
            if node is None:
                failures.append(f"tool bar: no radio button named {button!r}")
        answers = named(pyatspi, app, "Answers page", "radio button")
        press(answers)
        wait_for("the answers page", lambda: named(pyatspi, app, "Item 1, condition 1: D, Medium"))
        if not answers.getState().contains(pyatspi.STATE_CHECKED):
            failures.append("the Answers page button is not checked while its page shows")
        failures += [f"answers page: {b}" for b in unnamed_controls(pyatspi, app)]
        failures += read_answer_grid(pyatspi, app)

        press(named(pyatspi, app, "Scores page", "radio button"))
        for table_name, rows in TABLES.items():
            node = wait_for(table_name, lambda n=table_name: named(pyatspi, app, n, "table"))
            table = node.queryTable()
            if (table.nRows, table.nColumns) != (6, 3):
                failures.append(f"{table_name}: {table.nRows} x {table.nColumns} cells")
                continue
            for r, row in enumerate(rows):
                read = tuple(table.getAccessibleAt(r, c).name for c in range(3))
                print(f"{table_name} row {r + 1}: {read}")
                if read != row:
                    failures.append(f"{table_name} row {r + 1}: read {read}, expected {row}")
        chart = named(pyatspi, app, "Subscale score chart", "chart")
        if chart is None:
            failures.append("no chart named 'Subscale score chart'")
        elif chart.description != CHART:
            failures.append(f"chart description: {chart.description!r}")
        failures += [f"scores page: {b}" for b in unnamed_controls(pyatspi, app)]
        failures += read_report_preview(pyatspi, app)
    except AssertionError as error:
        failures.append(str(error))
    finally:
        program.kill()
        program.wait(timeout=10)
        shutil.rmtree(folder, ignore_errors=True)
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{checked_controls} reachable controls checked on three pages, "
          f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) == 4 and sys.argv[1] == "--inner":
        sys.exit(inner(sys.argv[2], sys.argv[3]))
    if len(sys.argv) != 3:
        print(__doc__ or "usage: atspi_probe.py KIVO CLIENT_TEMPLATE", file=sys.stderr)
        sys.exit(2)
    sys.exit(outer(sys.argv[1], sys.argv[2]))
