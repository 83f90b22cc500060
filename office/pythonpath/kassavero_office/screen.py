# SPDX-License-Identifier: GPL-3.0-or-later
"""Where the selection of a document stands on the screen, in pixels, read from the
office's accessibility objects: the program's question window keeps clear of it."""

import time

# How deep and how wide the search through the window's objects goes: only what is in
# view has objects, so a text or a sheet is found in a few levels.
_DEPTH = 8
_CHILDREN = 400


def _context(accessible):
    try:
        return accessible.getAccessibleContext()
    except Exception:
        return None


def _text_selection(context):
    """The selected stretch of a paragraph as (left, top, width, height), or None."""
    try:
        start, end = context.getSelectionStart(), context.getSelectionEnd()
    except Exception:
        return None
    if start < 0 or end <= start:
        return None
    first = context.getCharacterBounds(start)
    last = context.getCharacterBounds(end - 1)
    origin = context.getLocationOnScreen()
    left = min(first.X, last.X)
    top = min(first.Y, last.Y)
    right = max(first.X + first.Width, last.X + last.Width)
    bottom = max(first.Y + first.Height, last.Y + last.Height)
    return (origin.X + left, origin.Y + top, right - left, bottom - top)


def _selected_cell(context):
    """The area of the selected cell of a sheet in view, or None."""
    try:
        rows = context.getSelectedAccessibleRows()
        columns = context.getSelectedAccessibleColumns()
        children = context.getSelectedAccessibleChildCount()
    except Exception:
        return None
    if children < 1 or rows or columns:
        return None
    cell = context.getSelectedAccessibleChild(0)
    cell = _context(cell) or cell
    origin = cell.getLocationOnScreen()
    size = cell.getSize()
    return (origin.X, origin.Y, size.Width, size.Height)


def _search(context, depth):
    if context is None or depth > _DEPTH:
        return None
    for probe in (_text_selection, _selected_cell):
        try:
            found = probe(context)
        except Exception:
            found = None
        if found is not None:
            return found
    try:
        count = min(context.getAccessibleChildCount(), _CHILDREN)
    except Exception:
        return None
    for index in range(count):
        try:
            child = _context(context.getAccessibleChild(index))
        except Exception:
            continue
        found = _search(child, depth + 1)
        if found is not None:
            return found
    return None


def selection_on_screen(controller):
    """(left, top, width, height) of the document's selection on the screen, or None
    where the office cannot say (no window, nothing in view)."""
    try:
        window = controller.getFrame().getComponentWindow()
        return _search(_context(window) or window.getAccessibleContext(), 0)
    except Exception:
        return None


# How long the window manager is given to move the question window away before the
# office draws what it uncovered.
_MOVE_WAIT = 0.2


def tell_amount_place(channel, doc, refresh):
    """Tells the program where the amount of its next question stands, so its question
    window does not cover it. A program that does not know the command answers with an
    error, which changes nothing here. While the question waits the office draws nothing,
    so what a moved window uncovered is drawn before."""
    try:
        area = selection_on_screen(doc.getCurrentController())
        if area is None:
            return
        if channel.call("filter", "amountonscreen(%d,%d,%d,%d)" % area) == "MOVED":
            refresh()
            time.sleep(_MOVE_WAIT)
            refresh()
    except Exception:
        pass
