# SPDX-License-Identifier: GPL-3.0-or-later
"""Converts the amounts of a Writer document through Kassavero, paragraph by paragraph.

Each paragraph is built from its text portions: text goes over as it is, a field,
footnote anchor or other object counts as one placeholder character that no amount can
include, and text that a tracked change deleted is hidden behind placeholders, so it is
never converted again. The program's offsets are code points, like Python's, and a
Writer cursor moves by code points too.

Without questions the whole document goes to the program in one call (ListChanges),
its paragraphs kept apart so that no amount reaches from one into the next; with
questions each paragraph goes over in the step-by-step protocol, whole where the program
reads texts of any length, else in pieces that each look a little beyond their end.
"""

import bisect
import os
import re

from .channel import Cancelled, NotRunning, Refused, Session, quoted, read_flag, read_int
from .screen import tell_amount_place

PLACEHOLDER = "\ufffc"
# Between paragraphs in one text for the program: a line of its own that no amount can
# reach across, whichever way the program reads.
SEPARATOR = "\n" + PLACEHOLDER + "\n"

# Portions that take no room in the text.
_MARKERS = {"Bookmark", "ReferenceMark", "DocumentIndexMark", "Redline", "SoftPageBreak",
            "InContentMetadata", "Ruby", "TextFieldStart", "TextFieldEnd",
            "TextFieldSeparator", "LineBreak"}

# The highlight colours a profile can choose, as red, green, blue.
HIGHLIGHT_COLOURS = [
    (0, 0, 0), (0, 0, 255), (0, 255, 255), (0, 255, 0), (255, 0, 255), (255, 0, 0),
    (255, 255, 0), (255, 255, 255), (0, 0, 128), (0, 128, 128), (0, 128, 0), (128, 0, 128),
    (128, 0, 0), (128, 128, 0), (128, 128, 128), (192, 192, 192),
]

# A program that reads a limited number of words per transfer gets pieces well below
# its 1024; each piece is searched a few words past its end, so an amount that begins
# before a cut is seen whole, and belongs to the piece it begins in.
MAX_PIECE_WORDS = 800
LOOKAHEAD_WORDS = 32
# Characters that are words of their own for the program.
_OWN_WORDS = set('!"%()+/:;<=>?[]{}\u00a7\u00b0')

# A number, and the word or sign that may stand before or after it: where the program
# found no amount but the word is one of its currencies, the amount went unrecognised.
_NUMBER = re.compile(r"\d(?:[\d.,'\u2019]*\d)?")
_SIGN_AFTER = re.compile(r"[ \u00a0]?([^\W\d_]{1,8}\.?|[\u20ac$\u00a3\u00a5])")
_SIGN_BEFORE = re.compile(r"([^\W\d_]{1,8}\.?|[\u20ac$\u00a3\u00a5])[ \u00a0]?$")
# After a converted amount the old one follows in brackets: that is no missed amount.
_OLD_AMOUNT = re.compile(r"(?:\d|[\u20ac$\u00a3\u00a5]|EUR)\s*\(\s*$")

# How LibreOffice shows an insertion (Tools > Options > Writer > Changes). The extension
# leaves it to the user; an earlier version wrote the profile's highlight there.
REVISION = "/org.openoffice.Office.Writer/Revision"
ATTRIBUTE_NONE, ATTRIBUTE_BOLD, ATTRIBUTE_ITALIC, ATTRIBUTE_UNDERLINE = 0, 1, 2, 3
BY_AUTHOR = -1
MARK_NONE, MARK_LEFT = 0, 1
# LibreOffice's own defaults: underlined in the author's colour, a bar in the outer margin.
LIBREOFFICE_DISPLAY = {"Attribute": ATTRIBUTE_UNDERLINE, "Color": BY_AUTHOR}
LIBREOFFICE_MARK = 3
# Left in LibreOffice's user directory once the earlier version's values are gone.
FORGOTTEN_MARK = "kassavero-office-display-returned"


class WriterSettings:
    def __init__(self, channel):
        self.confirm = read_flag(channel, "WordConfirmChanges", True)
        self.show_in_calculator = read_flag(channel, "WordDisplayInCalculator", True)
        self.trace = read_flag(channel, "WordTraceChanges", True)
        self.bold = read_flag(channel, "WordChangesBold", False)
        self.italic = read_flag(channel, "WordChangesItalics", False)
        self.underline = read_flag(channel, "WordChangesUnderlined", True)
        self.use_colour = read_flag(channel, "WordChangesUseColor", True)
        colour = read_int(channel, "WordChangesWhichColor", 5)
        self.colour = HIGHLIGHT_COLOURS[colour] if 0 <= colour < 16 else HIGHLIGHT_COLOURS[5]
        self.show_erased = read_flag(channel, "WordChangesShowErased", True)
        self.left_mark = read_flag(channel, "WordLeftMarkChanges", False)
        # An older program does not know the setting, and reads a limited number of words.
        try:
            self.whole_paragraphs = read_flag(channel, "InputEverydayForms", False)
        except Refused:
            self.whole_paragraphs = False


class Result:
    def __init__(self):
        self.found = 0
        self.changed = 0
        # Found but left: inside pending tracked changes, in text boxes that cannot record,
        # or not recognised by the program (with the first one as an example).
        self.in_changes = 0
        self.in_boxes = 0
        self.missed = 0
        self.missed_example = ""
        self.cancelled = False
        self.program_ended = False


class ReadOnly(Exception):
    """The document may not be changed."""


class Protected(Exception):
    """Amounts stand in a write-protected part of the document."""


def _supports(obj, service):
    try:
        return obj.supportsService(service)
    except Exception:
        return False


class Paragraph:
    """A paragraph's searchable text and where each of its characters lives. `window` is
    the part a selection covers, [start, end) in the paragraph, or None for all of it."""

    def __init__(self, paragraph, protected=False, light=False):
        self.element = paragraph
        self.text = paragraph.getText()
        self.protected = protected
        self.window = None
        self.spans = []  # (first code point, portion, length) of each text portion
        self.pending = []  # [start, end) of text a pending tracked insertion holds
        if light:
            # A document without fields, notes, objects in the line or tracked changes:
            # the paragraph's text is what a cursor walks, without a look at its portions.
            self.spans = None
            self.string = paragraph.getString()
            return
        parts = []
        length = 0
        deleted = False
        inserted = None
        for portion in paragraph.createEnumeration():
            kind = portion.TextPortionType
            if kind == "Redline":
                if portion.RedlineType == "Delete":
                    deleted = bool(portion.IsStart)
                elif portion.RedlineType == "Insert":
                    if portion.IsStart:
                        inserted = length
                    elif inserted is not None:
                        self.pending.append((inserted, length))
                        inserted = None
                continue
            if kind in _MARKERS:
                continue
            if kind != "Text":
                parts.append(PLACEHOLDER)
                length += 1
                continue
            string = portion.getString()
            if deleted:
                string = PLACEHOLDER * len(string)
            else:
                self.spans.append((length, portion, len(string)))
            parts.append(string)
            length += len(string)
        if inserted is not None:
            self.pending.append((inserted, length))
        self.string = "".join(parts)

    def in_pending(self, start, end):
        """Whether [start, end) reaches into a pending tracked insertion."""
        return any(s < end and start < e for s, e in self.pending)

    def covers_object(self, start, end):
        return PLACEHOLDER in self.string[start:end]

    def takes(self, start, end):
        """Whether the change [start, end) is one to make: it holds no object and, with a
        selection, reaches into it. An amount the selection covers only in part is
        converted whole, never cut."""
        if self.covers_object(start, end):
            return False
        return self.window is None or (start < self.window[1] and self.window[0] < end)

    def offset_of(self, position):
        """Where a document position lies in the paragraph's text."""
        compare = self.text
        for first, portion, length in self.spans:
            if compare.compareRegionStarts(portion.getStart(), position) >= 0 and \
                    compare.compareRegionStarts(position, portion.getEnd()) >= 0:
                cursor = self.text.createTextCursorByRange(portion.getStart())
                cursor.gotoRange(position, True)
                return first + len(cursor.getString())
        if self.spans and compare.compareRegionStarts(position, self.spans[0][1].getStart()) > 0:
            return 0
        return len(self.string)

    def write(self, changes):
        """Writes the changes from the last to the first, so the offsets of those before
        stay right; returns how many it wrote."""
        written = 0
        for start, end, new_text in reversed(changes):
            stretch = self.range_of(start, end)
            if stretch is not None:
                stretch.setString(new_text)
                written += 1
        return written

    def range_of(self, start, end):
        """A cursor over [start, end), or None when the stretch holds a placeholder.
        Between start and end there is then only text, where the cursor's steps are the
        code points (markers such as bookmarks take no step)."""
        if self.covers_object(start, end):
            return None
        if self.spans is None:
            cursor = self.text.createTextCursorByRange(self.element.getStart())
            _go_right(cursor, start, False)
            _go_right(cursor, end - start, True)
            return cursor if cursor.getString() == self.string[start:end] else None
        for first, portion, length in self.spans:
            if first <= start < first + length:
                cursor = self.text.createTextCursorByRange(portion.getStart())
                if start > first:
                    cursor.goRight(start - first, False)
                cursor.goRight(end - start, True)
                return cursor
        return None


class Story:
    """A whole text (the body, a frame, a header ...) read in one call: where it holds
    no field, note anchor, object in the line or tracked change, its text is exactly
    what a cursor walks through, paragraph ends and table cells included, one step for
    each code point or line end."""

    protected = False
    window = None

    def __init__(self, text, shape=None):
        self.text = text
        self.shape = shape  # a drawing shape's own text, outside Writer's undo and records
        self.string = text.getString()

    def takes(self, start, end):
        return True

    def in_pending(self, start, end):
        return False

    def write(self, changes, recording=False):
        """Writes the changes from the first to the last with one cursor that only moves
        on; returns how many it wrote."""
        if not changes:
            return 0
        # The cursor walks the text step by step as it was read, up to the last change,
        # or nothing is written: only what was read is ever replaced.
        cursor = self.text.createTextCursor()
        _go_right(cursor, changes[-1][1], True)
        if cursor.getString() != self.string[:changes[-1][1]]:
            return 0
        cursor.collapseToStart()
        written = 0
        at = 0  # where the cursor stands, in the text as it was read
        behind = 0  # steps over new text still to take before that place
        shift = 0  # how much longer the text has grown before the change
        self.written = []  # (start in the new text, new text, old text) of each change
        for start, end, new_text in changes:
            _go_right(cursor, behind + start - at, False)
            _go_right(cursor, end - start, True)
            cursor.setString(new_text)
            cursor.collapseToEnd()
            # Recorded, the old text stays as a deletion and the new one follows it.
            behind = len(new_text) if recording else 0
            at = end
            self.written.append((start + shift, new_text, self.string[start:end]))
            shift += len(new_text) - (end - start)
            written += 1
        return written


def _replace(text, changes):
    """Writes [(start, end, new text)] from the last to the first, each from a cursor
    placed afresh, so the earlier offsets stay right."""
    for start, end, new_text in sorted(changes, reverse=True):
        cursor = text.createTextCursor()
        cursor.gotoStart(False)
        _go_right(cursor, start, False)
        _go_right(cursor, end - start, True)
        cursor.setString(new_text)


def _shape_undo(title, text, written):
    """An undo step for changes in a drawing shape's text, which Writer's own undo does
    not see; it joins the run's step."""
    import unohelper
    from com.sun.star.document import XUndoAction

    class ShapeTextUndo(unohelper.Base, XUndoAction):
        Title = title

        def getTitle(self):
            return title

        def undo(self):
            _replace(text, [(at, at + len(new), old) for at, new, old in written])

        def redo(self):
            back, shift = [], 0
            for at, new, old in written:
                back.append((at - shift, at - shift + len(old), new))
                shift += len(new) - len(old)
            _replace(text, back)
    return ShapeTextUndo()


def _go_right(cursor, count, expand):
    # A cursor moves at most 32767 steps at a time.
    while count > 0:
        step = min(count, 32767)
        cursor.goRight(step, expand)
        count -= step


def pieces(string):
    """(start, end, search end) of the pieces of a paragraph for a program that reads a
    limited number of words per transfer: each ends at a blank between words and is
    searched a few words further; pieces without a digit are left out."""
    starts = []  # where each word begins, counted as the program counts them
    in_word = False
    for i, character in enumerate(string):
        code = ord(character)
        if code <= 32:
            in_word = False
            continue
        own = character in _OWN_WORDS or code > 0x2122
        if in_word and not own:
            continue
        in_word = not own
        starts.append(i)
    result = []
    start, first = 0, 0
    while start < len(string):
        if len(starts) - first <= MAX_PIECE_WORDS:
            end, search_end = len(string), len(string)
        else:
            cut_word = 0
            for w in range(first + MAX_PIECE_WORDS, first + MAX_PIECE_WORDS // 2, -1):
                if starts[w] > start and ord(string[starts[w] - 1]) <= 32:
                    cut_word = w
                    break
            if cut_word == 0:
                cut_word = first + MAX_PIECE_WORDS
            ahead = cut_word + LOOKAHEAD_WORDS
            end = starts[cut_word]
            search_end = starts[ahead] if ahead < len(starts) else len(string)
            first = cut_word
        if any(c.isdigit() for c in string[start:search_end]):
            result.append((start, end, search_end))
        start = end
    return result


class WriterConversion:
    """One run of "Convert amounts" over a Writer document."""

    def __init__(self, doc, channel, client_name="LibreOffice Writer", ctx=None,
                 refresh=lambda: None):
        self.doc = doc
        self.channel = channel
        self.ctx = ctx  # the office's component context, for its settings
        self.refresh = refresh  # lets the office draw before a question
        self.client_name = client_name
        self.result = Result()
        self.settings = None
        self._seen_texts = []
        self._signs = {}  # word or sign -> whether the program reads it as a currency
        self._recording = False

    # ---- What is converted ----

    def _selected_ranges(self):
        """The selected text ranges, or an empty list when nothing is selected."""
        try:
            selection = self.doc.getCurrentController().getSelection()
        except Exception:
            return []
        if selection is None or not _supports(selection, "com.sun.star.text.TextRanges"):
            return []
        ranges = [selection.getByIndex(i) for i in range(selection.getCount())]
        return [r for r in ranges if r.getString() != ""]

    def _shape_texts(self, shapes):
        for i in range(shapes.getCount()):
            shape = shapes.getByIndex(i)
            if _supports(shape, "com.sun.star.drawing.GroupShape"):
                yield from self._shape_texts(shape)
                continue
            try:
                # A text box of an imported file keeps its text in a Writer frame, which
                # records changes and undoes them like the body.
                if shape.getPropertyValue("TextBox"):
                    yield shape.getText(), False, None
                    continue
            except Exception:
                pass
            if _supports(shape, "com.sun.star.drawing.Text") and hasattr(shape, "getText"):
                yield shape.getText(), False, shape

    def _texts(self):
        """Every text of the document with whether it is write-protected and, for a
        drawing shape's own text, the shape: body, frames, drawing shapes with text,
        headers and footers of the page styles in use, footnotes and endnotes."""
        doc = self.doc
        yield doc.getText(), False, None
        frames = doc.getTextFrames()
        for name in frames.getElementNames():
            frame = frames.getByName(name)
            yield frame.getText(), bool(getattr(frame, "ContentProtected", False)), None
        yield from self._shape_texts(doc.getDrawPage())
        styles = doc.getStyleFamilies().getByName("PageStyles")
        for name in styles.getElementNames():
            style = styles.getByName(name)
            if not style.isInUse():
                continue
            for part in ("Header", "Footer"):
                if not style.getPropertyValue(part + "IsOn"):
                    continue
                for suffix in ("Text", "TextLeft", "TextFirst"):
                    try:
                        text = style.getPropertyValue(part + suffix)
                    except Exception:
                        text = None
                    if text is not None:
                        yield text, False, None
        for notes in (doc.getFootnotes(), doc.getEndnotes()):
            for i in range(notes.getCount()):
                yield notes.getByIndex(i), False, None

    def _paragraphs(self, enumeration_access, protected, sections=True):
        """Each paragraph with whether it is write-protected; `sections` False where the
        document is known to hold no protected section."""
        for element in enumeration_access.createEnumeration():
            kind = element.getImplementationName()
            if kind == "SwXTextTable" or _supports(element, "com.sun.star.text.TextTable"):
                for name in element.getCellNames():
                    cell = element.getCellByName(name)
                    cell_protected = protected or bool(getattr(cell, "IsProtected", False))
                    yield from self._paragraphs(cell, cell_protected, sections)
            elif kind == "SwXParagraph" or _supports(element, "com.sun.star.text.Paragraph"):
                yield element, protected or (sections and _in_protected_section(element))

    def _new_text(self, text):
        # A left or first-page header that is shared is the same text again.
        for seen in self._seen_texts:
            if _holds(seen, text.getStart()):
                return False
        self._seen_texts.append(text)
        return True

    def _all_paragraphs(self):
        """The Paragraphs to convert; with a selection, the paragraphs it reaches into,
        whole, each with the window the selection covers."""
        selected = self._selected_ranges()
        if selected:
            result = []
            for selected_range in selected:
                text = selected_range.getText()
                for element, protected in self._paragraphs(text, False):
                    if text.compareRegionStarts(element, selected_range.getEnd()) != 1 or \
                            text.compareRegionEnds(element, selected_range.getStart()) != -1:
                        continue
                    paragraph = Paragraph(element, protected)
                    paragraph.window = (paragraph.offset_of(selected_range.getStart()),
                                        paragraph.offset_of(selected_range.getEnd()))
                    result.append(paragraph)
            return result
        plain = self._plain_texts()
        result = []
        for text, protected, shape in self._texts():
            if shape is not None:
                result.append(Story(text, shape))
                continue
            if not self._new_text(text):
                continue
            if plain is not None and not protected and \
                    not any(_holds(text, anchor) for anchor in plain[1]):
                result.append(Story(text))
            else:
                light = plain is not None and plain[0]
                result += [Paragraph(element, protected or inside, light)
                           for element, inside in self._paragraphs(text, protected,
                                                                   plain is None)]
        return result

    def _plain_texts(self):
        """When no question is asked, the texts that can be read whole: None when the
        document holds tracked changes or protected sections (every text is read with
        care then), else (whether the document holds none of the things below, the texts
        where fields, note anchors, objects in the line or tables stand, whose texts are
        read paragraph by paragraph)."""
        doc = self.doc
        if self.settings.confirm or doc.getRedlines().getCount() > 0:
            return None
        sections = doc.getTextSections()
        for name in sections.getElementNames():
            if sections.getByName(name).getPropertyValue("IsProtected"):
                return None
        special = []
        fields = doc.getTextFields().createEnumeration()
        while fields.hasMoreElements():
            special.append(fields.nextElement().getAnchor())
        for notes in (doc.getFootnotes(), doc.getEndnotes()):
            for i in range(notes.getCount()):
                special.append(notes.getByIndex(i).getAnchor())
        for objects in (doc.getTextFrames(), doc.getGraphicObjects(), doc.getEmbeddedObjects()):
            for name in objects.getElementNames():
                item = objects.getByName(name)
                if item.getPropertyValue("AnchorType").value == "AS_CHARACTER":
                    special.append(item.getAnchor())
        shapes = doc.getDrawPage()
        for i in range(shapes.getCount()):
            shape = shapes.getByIndex(i)
            try:
                if shape.getPropertyValue("AnchorType").value == "AS_CHARACTER":
                    special.append(shape.getAnchor())
            except Exception:
                pass
        # Something of that kind in a table cell: the text around the table is read with
        # care too.
        if any(_supports(a.getText(), "com.sun.star.table.Cell") for a in special):
            return None
        nothing_special = not special
        # A cursor does not walk a table's cells the way its text reads.
        tables = doc.getTextTables()
        for name in tables.getElementNames():
            special.append(tables.getByName(name).getAnchor())
        return nothing_special, special

    # ---- The run ----

    def run(self):
        """Converts; returns the Result. Raises NotRunning or Refused when the program
        cannot carry on, ReadOnly or Protected (before changing anything) when the document
        must not change; the changes written until then stay, and Result says how many."""
        self.settings = settings = WriterSettings(self.channel)
        doc = self.doc
        if doc.isReadonly():
            raise ReadOnly()
        paragraphs = [p for p in self._all_paragraphs() if any(c.isdigit() for c in p.string)]
        # (A Story, read whole, counts as one "paragraph" here.)
        protected = [p for p in paragraphs if p.protected]
        if protected and self._hold_amounts(protected):
            raise Protected()
        paragraphs = [p for p in paragraphs if not p.protected]
        was_modified = doc.isModified()
        recording = doc.getPropertyValue("RecordChanges")
        self._recording = recording or settings.trace
        if self._recording:
            # A drawing shape's text cannot record changes: its amounts are left (and
            # counted), or Reject All would leave them converted.
            boxes = [p for p in paragraphs if getattr(p, "shape", None) is not None]
            paragraphs = [p for p in paragraphs if getattr(p, "shape", None) is None]
            self.result.in_boxes = self._count_amounts(boxes)
            self.result.found += self.result.in_boxes
        self._forget_earlier_display()
        # Recording switches the display of changes on; it goes back as it was.
        showing = doc.getPropertyValue("ShowChanges")
        undo = self._undo = doc.getUndoManager()
        undo.enterUndoContext("Kassavero")
        # Without questions the view need not follow every change.
        locked = not settings.confirm
        if locked:
            doc.lockControllers()
        session = None
        try:
            if settings.trace:
                doc.setPropertyValue("RecordChanges", True)
            if settings.confirm or not self._convert_at_once(paragraphs):
                session = Session(self.channel, self.client_name, settings.confirm)
                for paragraph in paragraphs:
                    if not self._convert_paragraph(session, paragraph):
                        self.result.cancelled = True
                        break
        finally:
            if locked:
                doc.unlockControllers()
            doc.setPropertyValue("RecordChanges", recording)
            doc.setPropertyValue("ShowChanges", showing)
            undo.leaveUndoContext()
            if session is not None:
                try:
                    session.close()
                except NotRunning:
                    # A cancel that came because the program ended is no cancel of the
                    # user's.
                    self.result.program_ended = self.result.cancelled
                except Exception:
                    pass  # the error that caused it is reported
            if self.result.changed == 0 and not was_modified:
                doc.setModified(False)
            elif self.result.changed:
                # A shape's text alone does not mark the document.
                doc.setModified(True)
        return self.result

    def _count_amounts(self, units):
        """How many amounts the program finds in the texts (0 where it cannot list them)."""
        if not units:
            return 0
        listed = self.channel.list_changes(self.client_name,
                                           SEPARATOR.join(u.string for u in units))
        return len(listed or [])

    def _count_missed(self, string, found):
        """Counts the numbers next to a currency's word or sign where the program found
        no amount, such as "1.234,56 DM" when it reads a decimal point."""
        found = sorted(found)
        starts = [s for s, _ in found]
        for match in _NUMBER.finditer(string):
            start, end = match.span()
            # The changes do not overlap: only the last one starting before the number's
            # end can reach into it.
            index = bisect.bisect_left(starts, end) - 1
            if index >= 0 and found[index][1] > start:
                continue
            after = _SIGN_AFTER.match(string, end)
            before = _SIGN_BEFORE.search(string, max(0, start - 10), start)
            for sign, first, last in ((after, start, after and after.end()),
                                      (before, before and before.start(), end)):
                if sign is None or not self._is_currency(sign.group(1)):
                    continue
                if _OLD_AMOUNT.search(string, max(0, first - 40), first):
                    break
                self.result.found += 1
                self.result.missed += 1
                if not self.result.missed_example:
                    self.result.missed_example = string[first:last]
                break

    def _is_currency(self, sign):
        known = self._signs.get(sign)
        if known is None:
            known = False
            for text in ("1 " + sign, sign + " 1"):
                if self.channel.list_changes(self.client_name, text):
                    known = True
                    break
            self._signs[sign] = known
        return known

    def _leave_pending(self, paragraph, start, end):
        """Without recording, a change inside another pending insertion would stay
        behind when that insertion is rejected: such an amount is left and counted."""
        if self._recording or not paragraph.in_pending(start, end):
            return False
        self.result.found += 1
        self.result.in_changes += 1
        return True

    def _hold_amounts(self, paragraphs):
        listed = self.channel.list_changes(
            self.client_name, SEPARATOR.join(p.string for p in paragraphs))
        if listed is None:  # an older program: any number may be one
            return True
        starts = _starts(paragraphs)
        for start, end, _, _, _ in listed:
            index = bisect.bisect_right(starts, start) - 1
            first = starts[index]
            if end - first <= len(paragraphs[index].string) and \
                    paragraphs[index].takes(start - first, end - first):
                return True
        return False

    def _convert_at_once(self, paragraphs):
        """Without questions: every change of the document from one call. False when
        the program cannot list changes (an older one)."""
        if not paragraphs:
            return True
        listed = self.channel.list_changes(
            self.client_name, SEPARATOR.join(p.string for p in paragraphs))
        if listed is None:
            return False
        starts = _starts(paragraphs)
        per_paragraph = [[] for _ in paragraphs]
        found = [[] for _ in paragraphs]
        last = None
        for start, end, replacement, code, amount in listed:
            index = bisect.bisect_right(starts, start) - 1
            first = starts[index]
            paragraph = paragraphs[index]
            found[index].append((start - first, end - first))
            if end - first > len(paragraph.string) or \
                    not paragraph.takes(start - first, end - first) or \
                    self._leave_pending(paragraph, start - first, end - first):
                continue
            self.result.found += 1
            if replacement != paragraph.string[start - first:end - first]:
                per_paragraph[index].append((start - first, end - first, replacement))
                last = (code, amount)
        for paragraph, changes, ranges in zip(paragraphs, per_paragraph, found):
            self._count_missed(paragraph.string, ranges)
            self._write(paragraph, changes)
        if last is not None and self.settings.show_in_calculator:
            # One amount to see is the last one; a flicker of thousands shows none.
            self.channel.call("calculator", "setvalue(%s,%s)" % (quoted(last[0]),
                                                                 quoted(repr(last[1]))))
        return True

    def _convert_paragraph(self, session, paragraph):
        """Asks for every change of the paragraph, then writes the accepted ones from the
        last to the first, so the offsets of those before stay right. Returns False when
        the user cancelled (the changes accepted so far are written all the same)."""
        string = paragraph.string
        accepted = []
        found = []
        cancelled = False
        whole = [(0, len(string), len(string))]
        try:
            for piece_start, piece_end, search_end in \
                    (whole if self.settings.whole_paragraphs else pieces(string)):
                # A change that ran past the cut moves this piece's start behind it.
                start_at = max(piece_start, accepted[-1][1] if accepted else 0)
                if start_at >= piece_end:
                    continue
                piece = string[start_at:search_end]
                session.transfer(piece)
                while True:
                    change = session.find_next(len(piece))
                    if change is None:
                        break
                    start, end, code, amount = change
                    start += start_at
                    end += start_at
                    if start >= piece_end:
                        break  # the next piece reads it with the text after it
                    found.append((start, end))
                    if not paragraph.takes(start, end):
                        continue  # it reaches over a field or a deleted text
                    if accepted and start < accepted[-1][1]:
                        continue
                    if self._leave_pending(paragraph, start, end):
                        continue
                    self.result.found += 1
                    self._show(paragraph, start, end, code, amount)
                    new_text = session.confirm()
                    if new_text is not None and new_text != string[start:end]:
                        accepted.append((start, end, new_text))
            self._count_missed(string, found)
        except Cancelled:
            cancelled = True
        finally:
            self._write(paragraph, accepted)
        return not cancelled

    def _write(self, unit, changes):
        if isinstance(unit, Story):
            recording = unit.shape is None and self.doc.getPropertyValue("RecordChanges")
            written = unit.write(changes, recording)
            if written and unit.shape is not None:
                self._undo.addUndoAction(_shape_undo("Kassavero", unit.text, unit.written))
            self.result.changed += written
        else:
            self.result.changed += unit.write(changes)

    def _show(self, paragraph, start, end, code, amount):
        if self.settings.confirm:
            # Let the user see which amount the question is about.
            try:
                self.doc.getCurrentController().select(paragraph.range_of(start, end))
            except Exception:
                pass
            self.refresh()
            tell_amount_place(self.channel, self.doc, self.refresh)
        if self.settings.show_in_calculator:
            self.channel.call("calculator", "setvalue(%s,%s)" % (quoted(code), quoted(amount)))

    def _forget_earlier_display(self):
        """An earlier version wrote the profile's highlight into LibreOffice's display of
        changes for every document. Where the options still hold exactly what it would
        write for this profile (its bar setting is not one LibreOffice starts with), they go
        back to LibreOffice's defaults, once."""
        try:
            marker = _user_file(self.ctx, FORGOTTEN_MARK)
            if marker is None or os.path.exists(marker):
                return
            settings = self.settings
            if settings.bold:
                attribute = ATTRIBUTE_BOLD
            elif settings.italic:
                attribute = ATTRIBUTE_ITALIC
            elif settings.underline:
                attribute = ATTRIBUTE_UNDERLINE
            else:
                attribute = ATTRIBUTE_NONE
            red, green, blue = settings.colour
            colour = (red << 16) | (green << 8) | blue if settings.use_colour else BY_AUTHOR
            insert = _config(self.ctx, REVISION + "/TextDisplay/Insert")
            lines = _config(self.ctx, REVISION + "/LinesChanged")
            written = {"Attribute": attribute, "Color": colour}
            if all(insert.getByName(k) == v for k, v in written.items()) and \
                    lines.getByName("Mark") == (MARK_LEFT if settings.left_mark else MARK_NONE):
                for name, value in LIBREOFFICE_DISPLAY.items():
                    insert.replaceByName(name, value)
                lines.replaceByName("Mark", LIBREOFFICE_MARK)
                insert.commitChanges()
                lines.commitChanges()
            with open(marker, "w", encoding="utf-8") as out:
                out.write("Changes are shown as set in Tools > Options > Writer > Changes.\n")
        except Exception as error:
            import sys
            print("kassavero: display of changes not looked at:", error, file=sys.stderr)


def _starts(paragraphs):
    starts, at = [], 0
    for paragraph in paragraphs:
        starts.append(at)
        at += len(paragraph.string) + len(SEPARATOR)
    return starts


def _holds(text, position):
    """Whether the position lies in the text (the same text is not always the same
    object, but only its own positions compare with it)."""
    try:
        text.compareRegionStarts(position, text.getStart())
        return True
    except Exception:
        return False


def _in_protected_section(paragraph):
    try:
        section = paragraph.getPropertyValue("TextSection")
    except Exception:
        return False
    while section is not None:
        if section.getPropertyValue("IsProtected"):
            return True
        section = section.getParentSection()
    return False


def _config(ctx, path):
    from com.sun.star.beans import PropertyValue
    provider = ctx.getValueByName("/singletons/com.sun.star.configuration.theDefaultProvider")
    node = PropertyValue()
    node.Name, node.Value = "nodepath", path
    return provider.createInstanceWithArguments(
        "com.sun.star.configuration.ConfigurationUpdateAccess", (node,))


def _user_file(ctx, name):
    """A file of ours in LibreOffice's user directory, or None without one."""
    if ctx is None:
        return None
    import uno
    paths = ctx.ServiceManager.createInstanceWithContext(
        "com.sun.star.util.PathSubstitution", ctx)
    directory = uno.fileUrlToSystemPath(paths.substituteVariables("$(user)", True))
    return os.path.join(directory, name) if os.path.isdir(directory) else None
