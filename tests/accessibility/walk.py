# SPDX-License-Identifier: GPL-3.0-or-later
"""Walks the accessibility tree of the running Pigmentry through AT-SPI, as a
screen reader sees it, page by page of the Studio, and fails on any control
that takes the keyboard focus but has no name."""
import subprocess
import sys
import time

import pyatspi

# Roles that are containers or text a reader reads out by content.
UNNAMED_OK = {
    pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_SCROLL_PANE, pyatspi.ROLE_VIEWPORT,
    pyatspi.ROLE_SCROLL_BAR, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_LABEL,
    pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_FRAME, pyatspi.ROLE_WINDOW,
}


def application(name, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name.lower() == name:
                return app
        time.sleep(0.2)
    sys.exit(f"no application named {name} on the accessibility bus")


def walk(node, path, problems, counted, depth=0):
    if node is None or depth > 40:
        return
    try:
        states = node.getState()
        role = node.getRole()
        name = node.name or ""
        count = node.childCount
    except Exception:
        return
    if not states.contains(pyatspi.STATE_SHOWING):
        return
    here = f"{path} > {node.getRoleName()}"
    # Entries and text fields are named by their label or placeholder; a
    # field without either is still a problem.
    if states.contains(pyatspi.STATE_FOCUSABLE):
        counted.append(here)
    # An item the user can reach is read by its name, never as nothing.
    if (role in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL) and states.contains(pyatspi.STATE_SELECTABLE)
            and not name.strip()):
        problems.append(here + " (an item)")
    # A container without a name (a plain scroll area) is no stop of the
    # Tab chain: the reader would land on nothing.
    if (states.contains(pyatspi.STATE_FOCUSABLE) and not name.strip()
            and role in (pyatspi.ROLE_FILLER, pyatspi.ROLE_PANEL, pyatspi.ROLE_SCROLL_PANE, pyatspi.ROLE_VIEWPORT)):
        problems.append(here + " (an unnamed container that takes the focus)")
    if states.contains(pyatspi.STATE_FOCUSABLE) and not name.strip():
        if role not in UNNAMED_OK or role in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
            problems.append(here)
    for i in range(min(count, 400)):
        walk(node.getChildAtIndex(i), here if name == "" else f"{path} > {node.getRoleName()} \"{name}\"", problems,
             counted, depth + 1)


def studio(app):
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is not None and "Color Studio" in (window.name or ""):
            if window.getRole() != pyatspi.ROLE_FRAME:
                sys.exit(f"the Studio is a {window.getRoleName()}, not a window")
            return window
    sys.exit("the Studio window is not on the accessibility bus")


def find(node, predicate, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if predicate(node):
            return node
        for i in range(node.childCount):
            found = find(node.getChildAtIndex(i), predicate, depth + 1)
            if found is not None:
                return found
    except Exception:
        return None
    return None


def open_page(window, sidebar, title):
    for i in range(sidebar.childCount):
        row = sidebar.getChildAtIndex(i)
        if row is not None and row.name == title:
            box = row.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2),
                            "click", "1"], check=True)
            return
    sys.exit(f"no page {title} in the sidebar")


def wait_for(what, seconds=5):
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = what()
        if found:
            return found
        time.sleep(0.1)
    return what()


def state_names(node):
    states = node.getState()
    return [name for name, state in (("selectable", pyatspi.STATE_SELECTABLE), ("focusable", pyatspi.STATE_FOCUSABLE),
                                     ("selected", pyatspi.STATE_SELECTED), ("focused", pyatspi.STATE_FOCUSED))
            if states.contains(state)]


def hears_the_grid(window, sidebar):
    """The Recent Colors grid speaks: a list of its 40 cells, each named by
    its colour, label and star; the keyboard's place is the focused cell and
    moves with the arrows; pressing a cell chooses it."""
    open_page(window, sidebar, "Recent Colors")
    grid = wait_for(lambda: find(window, lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name == "Recent colors"
                                 and n.getState().contains(pyatspi.STATE_SHOWING)))
    if grid is None:
        sys.exit("the Recent Colors grid is not on the accessibility bus")
    print(f'list "{grid.name}", {grid.childCount} children; the first six:')
    cells = [grid.getChildAtIndex(i) for i in range(grid.childCount)]
    for cell in cells[:6]:
        print(f'  {cell.getRoleName()} "{cell.name}" [{" ".join(state_names(cell))}]')
    problems = []
    if len(cells) != 40:
        problems.append(f"{len(cells)} cells, not 40")
    if any(c.getRole() != pyatspi.ROLE_LIST_ITEM or not c.name.startswith("Color #") for c in cells):
        problems.append("a cell is not a list item named by its color")
    if not any(c.name.endswith(", favorite") for c in cells) or not any(", Header" in c.name for c in cells):
        problems.append("no cell names its label or its star")
    actions = cells[2].queryAction()
    press = [actions.getName(i) for i in range(actions.nActions)]
    actions.doAction(press.index("SetFocus"))
    if not wait_for(lambda: "focused" in state_names(cells[2])):
        problems.append("the cell given the focus does not say focused")
    subprocess.run(["xdotool", "key", "Right"], check=True)
    if not wait_for(lambda: "focused" in state_names(cells[3])):
        problems.append("the focus does not follow the arrow key")
    actions.doAction(press.index("Press"))
    if not wait_for(lambda: "selected" in state_names(cells[2])):
        problems.append("a pressed cell is not selected")
    problems += hears_the_label_editor(grid)
    return problems


def focused_child(node):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            child.clearCache()
            if child.getState().contains(pyatspi.STATE_FOCUSED):
                return child
    return None


def hears_the_label_editor(grid):
    """F2 on a cell opens its label's editor as a focused, editable text
    named by the cell; what is typed is read back; Return closes it and the
    focus is the cell again, now named by its new label."""
    problems = []
    cell = grid.getChildAtIndex(4)
    actions = cell.queryAction()
    actions.doAction([actions.getName(i) for i in range(actions.nActions)].index("SetFocus"))
    wait_for(lambda: "focused" in state_names(cell))
    subprocess.run(["xdotool", "key", "F2"], check=True)
    editor = wait_for(lambda: grid.childCount == 41 and focused_child(grid))
    if not editor or editor.getRole() != pyatspi.ROLE_TEXT or not editor.getState().contains(pyatspi.STATE_EDITABLE):
        return ["F2 opens no focused, editable text in the grid"]
    subprocess.run(["xdotool", "key", "ctrl+a", "BackSpace"], check=True)
    subprocess.run(["xdotool", "type", "--delay", "20", "Warm red"], check=True)
    typed = wait_for(lambda: editor.queryText().getText(0, -1) == "Warm red" and "Warm red")
    print(f'  F2: {editor.getRoleName()} "{editor.name}" [{" ".join(state_names(editor) + ["editable"])}]'
          f' reads "{editor.queryText().getText(0, -1)}"')
    if not editor.name.startswith("Label of color #"):
        problems.append(f'the label editor is named "{editor.name}", not by its cell')
    if not typed:
        problems.append("what is typed in the label editor is not read back")
    subprocess.run(["xdotool", "key", "Return"], check=True)
    back = wait_for(lambda: grid.childCount == 40 and focused_child(grid))
    if not back or not back.name.endswith(", Warm red"):
        problems.append("after Return the focus is not on the cell named by its new label")
    else:
        print(f'  Return: {back.getRoleName()} "{back.name}" [{" ".join(state_names(back))}]')
    return problems


def hears_a_card(window, sidebar):
    """A palette card speaks: its name and notes as editable text, each colour, and
    the Export, Duplicate and Delete buttons, all reachable; Duplicate
    pressed from the tree makes a copy."""
    open_page(window, sidebar, "My Palettes")
    cards = wait_for(lambda: find(window, lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name == "Palettes"
                                  and n.getState().contains(pyatspi.STATE_SHOWING)))
    if cards is None:
        sys.exit("the palette cards are not on the accessibility bus")
    card = cards.getChildAtIndex(0)
    print(f'list "{cards.name}", {cards.childCount} cards; the first:')
    print(f'  {card.getRoleName()} "{card.name}"')
    parts = [card.getChildAtIndex(i) for i in range(card.childCount)]
    for part in parts:
        print(f'    {part.getRoleName()} "{part.name}" [{" ".join(state_names(part))}]')
    problems = []
    roles = [p.getRole() for p in parts]
    if len(parts) < 2 or any(r != pyatspi.ROLE_TEXT or not p.getState().contains(pyatspi.STATE_EDITABLE)
                             for r, p in zip(roles[:2], parts[:2])) or parts[1].name != "Palette notes":
        problems.append("the card's first parts are not its name and notes to edit")
    if [p.name for p in parts[-3:]] != ["Export", "Duplicate", "Delete"] \
            or any(r != pyatspi.ROLE_PUSH_BUTTON for r in roles[-3:]):
        problems.append("the card's buttons are not there")
    if not all(p.name.startswith("Color #") for p in parts[2:-3]) or len(parts) < 6:
        problems.append("the card's colors are not named")
    before = cards.childCount
    duplicate = parts[-2].queryAction()
    duplicate.doAction(0)
    if not wait_for(lambda: cards.childCount == before + 1):
        problems.append("Duplicate pressed from the tree made no copy")
    return problems


def find_all(node, predicate, found=None, depth=0):
    found = [] if found is None else found
    if node is None or depth > 40:
        return found
    try:
        if predicate(node):
            found.append(node)
        for i in range(node.childCount):
            find_all(node.getChildAtIndex(i), predicate, found, depth + 1)
    except Exception:
        pass
    return found


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def names_what_it_shows(window, sidebar):
    """A voice-control user says what they see: each harmony's button is
    named "Save Palette, RULE"; the inspector's format box is labelled by its
    heading; the cards of a page are groups, not windows."""
    problems = []
    open_page(window, sidebar, "Color Harmony")
    saves = wait_for(lambda: find_all(window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                                      and (n.name or "").startswith("Save Palette") and showing(n)))
    for button in saves:
        print(f'  {button.getRoleName()} "{button.name}"')
    if len(saves) != 5 or not all(b.name.startswith("Save Palette, ") for b in saves):
        problems.append("the harmonies' buttons are not named by their words first")
    frames = find_all(window, lambda n: n.getRole() == pyatspi.ROLE_FRAME and showing(n))
    groups = find_all(window, lambda n: n.getRole() == pyatspi.ROLE_PANEL and showing(n))
    print(f"  {len(groups)} panels, {len(frames) - 1} frames inside the window")
    if len(frames) != 1:
        problems.append(f"{len(frames) - 1} frames inside the Studio window (a card reported as a window)")
    open_page(window, sidebar, "Color Inspector")

    def labels_of(node):
        return [r.getTarget(i).name for r in node.getRelationSet()
                if r.getRelationType() == pyatspi.RELATION_LABELLED_BY for i in range(r.getNTargets())]
    # A combo box is named by its value on this desktop: its label comes
    # through the relation.
    boxes = wait_for(lambda: find_all(window, lambda n: n.getRole() == pyatspi.ROLE_COMBO_BOX and showing(n)))
    for box in boxes:
        print(f'  {box.getRoleName()} "{box.name}" labelled by {labels_of(box)}')
    if not any("EXPORT FORMAT" in labels_of(box) for box in boxes):
        problems.append("the inspector's format box is not labelled by its heading")
    return problems


def hears_the_magnifier(app, window, binary):
    """During a pick the magnifier is a window "Pick a color" that has the
    focus, is described by its hint and reads the code and name of the colour
    under the mark, anew after an arrow key."""
    def magnifier():
        for i in range(app.childCount):
            node = app.getChildAtIndex(i)
            if node is not None:
                node.clearCache()
                if node.name == "Pick a color" and showing(node):
                    return node
        return None
    # The mark starts just left of the Studio, over the bare screen.
    box = window.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(box.x - 2), str(box.y + 200)], check=True)
    pick = subprocess.Popen([binary, "pick"], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    problems = []
    try:
        shown = wait_for(magnifier)
        if shown is None:
            return ["no window Pick a color on the accessibility bus during a pick"]

        def value():
            return shown.queryText().getText(0, -1)
        first = value()
        print(f'{shown.getRoleName()} "{shown.name}" [{" ".join(state_names(shown))}]')
        print(f'  description "{shown.description}"')
        print(f'  value "{first}"')
        if not shown.description.startswith("Click to pick"):
            problems.append("the magnifier is not described by its hint")
        if not first.startswith("#") or ", " not in first:
            problems.append("the magnifier does not read the color's code and name")
        if "focused" not in state_names(shown):
            problems.append("the magnifier does not have the focus")
        subprocess.run(["xdotool", "key", "Right", "Right", "Right", "Right"], check=True)
        moved = wait_for(lambda: value() != first and value(), seconds=2)
        print(f'  after four arrow presses: "{value()}"')
        if not moved:
            problems.append("the magnifier's value does not follow the arrow keys")
        subprocess.run(["xdotool", "key", "Escape"], check=True)
        if not wait_for(lambda: magnifier() is None):
            problems.append("the magnifier stays on the bus after the pick")
    finally:
        try:
            pick.wait(timeout=10)
        except subprocess.TimeoutExpired:
            pick.kill()
    return problems


def tray_icon_center(app, seconds=5):
    """The middle of Pigmentry's icon in the tray (a small window of its
    process that is mapped), or where the tray in the bottom right corner of
    the 1280 x 800 screen puts it."""
    deadline = time.time() + seconds
    while time.time() < deadline:
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(app.get_process_id())],
                               capture_output=True, text=True).stdout.split()
        for window in found:
            shape = dict(line.strip().split("=", 1) for line in subprocess.run(
                ["xdotool", "getwindowgeometry", "--shell", window], capture_output=True, text=True).stdout.split())
            if int(shape.get("WIDTH", 0)) <= 48 and int(shape.get("HEIGHT", 0)) <= 48:
                return int(shape["X"]) + int(shape["WIDTH"]) // 2, int(shape["Y"]) + int(shape["HEIGHT"]) // 2, "found"
        time.sleep(0.2)
    return 1268, 788, "not found, its usual place"


def hears_the_popover(app):
    """The popover, opened from the tray icon (in the bottom right corner of
    the 1280 x 800 screen), speaks: its window, the selected colour, the
    recent row with its colours, and every button by name."""
    def shown_popover():
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is None:
                continue
            # States are cached on this side of the bus; a window's must be
            # read anew.
            window.clearCache()
            if window.name == "Pigmentry" and window.getState().contains(pyatspi.STATE_SHOWING):
                return window
        return None
    # The tray may not have embedded the icon yet when the first click comes
    # (on a busy machine the Studio's start takes its time): the click goes
    # where the icon is once it is there, and again if nothing opened.
    popover = None
    for _ in range(3):
        x, y, how = tray_icon_center(app)
        print(f"a click on the tray icon at {x}, {y} ({how})")
        subprocess.run(["xdotool", "mousemove", str(x), str(y), "click", "1"], check=True)
        popover = wait_for(shown_popover)
        if popover is not None:
            break
    if popover is None:
        seen = []
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is not None:
                window.clearCache()
                seen.append(f'{window.getRoleName()} "{window.name}" showing={window.getState().contains(pyatspi.STATE_SHOWING)}')
        return ["a click on the tray icon shows no popover on the accessibility bus (windows: "
                + "; ".join(seen) + ")"]
    if popover.getRole() != pyatspi.ROLE_FRAME:
        problems_before = [f"the popover is a {popover.getRoleName()}, not a window"]
    else:
        problems_before = []
    print(f'{popover.getRoleName()} "{popover.name}":')
    problems = problems_before
    counted = []
    walk(popover, "[popover]", problems, counted)
    buttons = []
    colors = []

    def collect(node, depth=0):
        if node is None or depth > 20 or not node.getState().contains(pyatspi.STATE_SHOWING):
            return
        if node.getRole() == pyatspi.ROLE_PUSH_BUTTON:
            buttons.append(node.name)
        if (node.name or "").startswith("Color #"):
            colors.append(f"{node.getRoleName()} \"{node.name}\"")
        for i in range(node.childCount):
            collect(node.getChildAtIndex(i), depth + 1)
    collect(popover)
    for line in [f'  push button "{b}"' for b in buttons] + [f"  {c}" for c in colors[:4]]:
        print(line)
    recent = find(popover, lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name == "Recent colors")
    if recent is None or recent.childCount == 0:
        problems.append("the recent row is not a list of colors")
    if not colors:
        problems.append("the selected color is not named")
    for wanted in ("Open Color Studio", "Pick Color", "Studio", "Quit"):
        if wanted not in buttons:
            problems.append(f'no button "{wanted}"')
    if not any(b.startswith("Copy") for b in buttons):
        problems.append("no Copy button")
    subprocess.run(["xdotool", "key", "Escape"], check=True)
    if not wait_for(lambda: shown_popover() is None):
        problems.append("Escape does not close the popover")
    return problems


def report(heading, problems, passed):
    if problems:
        print(heading)
        for problem in sorted(set(problems)):
            print("  " + problem)
        sys.exit(1)
    print(passed)


def main():
    app = application("pigmentry")
    window = studio(app)
    sidebar = find(window, lambda n: n.name == "Pages" and n.getRole() == pyatspi.ROLE_LIST)
    if sidebar is None:
        sys.exit("the sidebar is not on the accessibility bus")
    problems = []
    pages = 0
    for i in range(sidebar.childCount):
        row = sidebar.getChildAtIndex(i)
        if row is None or not row.getState().contains(pyatspi.STATE_SELECTABLE):
            continue
        # A click on the row, as a user makes it.
        box = row.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", str(box.x + box.width // 2), str(box.y + box.height // 2),
                        "click", "1"], check=True)
        pages += 1
        # The page is on screen once its title is.
        deadline = time.time() + 5
        while time.time() < deadline and find(window, lambda n: n.name == row.name and n.getRole() == pyatspi.ROLE_LABEL
                                              and n.getState().contains(pyatspi.STATE_SHOWING)) is None:
            time.sleep(0.1)
        counted = []
        walk(window, f"[{row.name}]", problems, counted)
        print(f"{row.name}: {len(counted)} focusable controls")
    if pages != 9:
        sys.exit(f"the sidebar offers {pages} pages, not 9")
    # The section titles and the spacer are for the eye: the list holds the
    # nine pages and nothing else.
    if sidebar.childCount != 9:
        problems.append(f"the sidebar's list holds {sidebar.childCount} items, not its 9 pages")
    report("Focusable controls without an accessible name:", problems,
           f"every focusable control of the {pages} pages has a name")
    report("The grid, as a screen reader hears it:", hears_the_grid(window, sidebar),
           "the grid's cells are named, focused with the keyboard and pressed")
    report("A palette card, as a screen reader hears it:", hears_a_card(window, sidebar),
           "the card's name, colors and buttons are reached and pressed")
    report("Controls named by what they show:", names_what_it_shows(window, sidebar),
           "the buttons, the format box and the cards say what the eye sees")
    report("The magnifier, as a screen reader hears it:", hears_the_magnifier(app, window, sys.argv[1]),
           "the magnifier is named, described, focused and reads the color under the mark")
    report("The popover, as a screen reader hears it:", hears_the_popover(app),
           "the popover's window, color, recent row and buttons are named")

main()
