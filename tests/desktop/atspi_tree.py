#!/usr/bin/python3
# Reads the program's accessibility tree over AT-SPI as a screen reader
# does, prints the top band and the calendar view (role and name of each
# control) and checks: the seven top buttons are push buttons named in the
# band, focusable; the day cells, the value boxes and the lists are named;
# the record buttons of the details view are push buttons.
# Usage: atspi_tree.py band|details  (what to check now)
import sys
import pyatspi

what = sys.argv[1] if len(sys.argv) > 1 else "band"


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        if a is not None and a.name == "Cyclovex":
            return a
    sys.exit("no application Cyclovex on the AT-SPI bus")


def walk(node, depth=0, out=None):
    out = [] if out is None else out
    try:
        state = node.getState()
        out.append((depth, node.getRoleName(), node.name, state))
        # What a hidden widget holds is not shown either (Qt reports the
        # cells of a hidden table as showing).
        if depth > 0 and not state.contains(pyatspi.STATE_SHOWING):
            return out
        for i in range(node.childCount):
            child = node.getChildAtIndex(i)
            if child is not None:
                walk(child, depth + 1, out)
    except Exception:
        pass
    return out


def showing(nodes):
    return [n for n in nodes if n[3].contains(pyatspi.STATE_SHOWING)]


nodes = showing(walk(app()))
failures = []
if what == "band":
    band = ["Calendar", "Details", "Analysis", "Summary", "Guide", "Logout"]
    print("Top band and calendar view (role: name):")
    for depth, role, name, state in nodes:
        if role in ("push button", "table cell", "filler") and depth > 0 and (name or role != "filler"):
            focus = " [focusable]" if state.contains(pyatspi.STATE_FOCUSABLE) else ""
            print("  " * min(depth, 6) + f"{role}: {name}{focus}")
    for name in band:
        found = [n for n in nodes if n[2] == name]
        if not found:
            failures.append(f"no control named {name}")
        elif found[0][1] != "push button" or not found[0][3].contains(pyatspi.STATE_FOCUSABLE):
            failures.append(f"{name} is a {found[0][1]}, focusable {found[0][3].contains(pyatspi.STATE_FOCUSABLE)}")
    cells = [n for n in nodes if n[1] == "table cell"]
    if len(cells) != 42 or any(not n[2] for n in cells):
        failures.append(f"{len(cells)} day cells, unnamed: {sum(1 for n in cells if not n[2])}")
    elif not any("ride" in n[2] for n in cells):
        failures.append("no day cell tells its rides")
    for name in ("Previous month", "Next month"):
        if not any(n[2] == name and n[1] == "push button" for n in nodes):
            failures.append(f"no push button {name}")
else:
    print("Details view (role: name):")
    for depth, role, name, state in nodes:
        if role in ("text", "list", "combo box", "push button", "list item") and depth > 0:
            print("  " * min(depth, 6) + f"{role}: {name}")
    for name in ("Duration", "Distance", "RPM", "AVG Speed", "LAP", "KCAL", "HR/MAX", "HR/AVG", "VO2/MAX",
                 "Intensity", "Topic", "Memo"):
        if not any(n[2] == name and n[1] == "text" for n in nodes):
            failures.append(f"no text box named {name}")
    if not any(n[2] == "Records" and n[1] == "list" for n in nodes):
        failures.append("no list named Records")
    for name in ("Delete", "Export", "Laps", "Import", "Save", "Clean All"):
        if not any(n[2] == name and n[1] == "push button" for n in nodes):
            failures.append(f"no push button {name}")
for f in failures:
    print("FAIL:", f, file=sys.stderr)
sys.exit(1 if failures else 0)
