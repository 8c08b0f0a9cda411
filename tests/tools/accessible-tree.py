"""The calculator window's accessible tree through AT-SPI, as a screen reader
reads it; run by accessible-tree-under-xvfb with the program started in the
language given as the argument (ja or en)."""

import sys
import time

import pyatspi

NAMES = {
    "ja": {
        "window": "pn接合ダイオード",
        "edits": ["ドナー密度, cm^-3", "アクセプタ密度, cm^-3", "接合面積, mm^2", "印加電圧, V"],
        "buttons": ["計算", "リセット", "ミナモ大学　工学部　電気電子工学科　ケストレル研究室"],
        "charts": ["エネルギーバンド図", "空間電荷密度", "電位分布", "C–V特性", "1/C²–V特性"],
    },
    "en": {
        "window": "Capacitance–voltage",
        "edits": ["Donor density, cm^-3", "Acceptor density, cm^-3", "Junction area, mm^2", "Bias, V"],
        "buttons": ["Calculate", "Reset", "Kestrel Laboratory, Minamo University"],
        "charts": ["Energy band diagram", "Space-charge density", "Electrostatic potential", "C–V characteristic",
                   "1/C²–V characteristic"],
    },
}[sys.argv[1] if len(sys.argv) > 1 else "ja"]
EDITS = NAMES["edits"]
BUTTONS = NAMES["buttons"]
CHARTS = NAMES["charts"]
EDIT_ROLES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY}


def fail(message):
    print(message, file=sys.stderr)
    sys.exit(1)


def find_window():
    """The calculator's window once the program has joined the bus."""
    for _ in range(300):
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None:
                continue
            for j in range(app.childCount):
                window = app.getChildAtIndex(j)
                if window is not None and window.name.startswith(NAMES["window"]):
                    return window
        time.sleep(0.1)
    fail("the calculator window never appeared on the accessibility bus")


def walk(node, depth=0, found=None):
    """Every node under `node`: (role, name, description, node), printed as a tree."""
    if found is None:
        found = []
    print("  " * depth + f"{node.getRoleName()}: {node.name!r}")
    found.append((node.getRole(), node.name, node.description, node))
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            walk(child, depth + 1, found)
    return found


def one(found, roles, name):
    matches = [n for n in found if n[0] in roles and n[1] == name]
    if len(matches) != 1:
        fail(f"expected one {name!r} with a role in {sorted(roles)}, found {len(matches)}")
    return matches[0]


window = find_window()
found = walk(window)
for name in EDITS:
    one(found, EDIT_ROLES, name)
for name in BUTTONS:
    one(found, {pyatspi.ROLE_PUSH_BUTTON}, name)
for name in CHARTS:
    one(found, {pyatspi.ROLE_CHART}, name)
cv = one(found, {pyatspi.ROLE_CHART}, CHARTS[3])[3]
if "pF" in cv.description:
    fail(f"before any run the C–V chart is described as {cv.description!r}")

# A run started the way a screen reader's user starts it: the button's action.
calculate = one(found, {pyatspi.ROLE_PUSH_BUTTON}, BUTTONS[0])[3]
calculate.queryAction().doAction(0)
for _ in range(300):
    if "pF" in cv.description:
        break
    time.sleep(0.1)
else:
    fail(f"after the run the C–V chart is still described as {cv.description!r}")
print(f"C–V chart after the run: {cv.description}")
print("every edit, button and chart was found by name and role")
