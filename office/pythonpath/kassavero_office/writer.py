"""Converts the amounts of a Writer document through Kassavero, paragraph by paragraph.

Each paragraph (or the selected part of it) is built from its text portions: text goes
over as it is, a field, footnote anchor or other object counts as one placeholder
character that no amount can include, and text that a tracked change deleted is
hidden behind placeholders, so it is never converted again. The program's offsets are
code points, like Python's, and a Writer cursor moves by code points too.
"""

from .channel import Cancelled, Session, quoted, read_flag, read_int

PLACEHOLDER = "\ufffc"

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

# A piece stays well below the 1024 words the program searches in one transfer; every
# character that is not a letter or digit is counted as a word of its own, which
# overestimates, so nothing is cut off.
MAX_PIECE_WORDS = 800
MAX_PIECE_CHARS = 30000

BOLD = 150.0
ITALIC = 2  # com.sun.star.awt.FontSlant.ITALIC
UNDERLINE_SINGLE = 1


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


class Result:
    def __init__(self):
        self.found = 0
        self.changed = 0
        self.cancelled = False


def _supports(obj, service):
    try:
        return obj.supportsService(service)
    except Exception:
        return False


class Paragraph:
    """A paragraph's searchable text and where each of its characters lives."""

    def __init__(self, paragraph):
        self.text = paragraph.getText()
        self.spans = []  # (first code point, portion, length) of each text portion
        parts = []
        length = 0
        deleted = False
        for portion in paragraph.createEnumeration():
            kind = portion.TextPortionType
            if kind == "Redline":
                if portion.RedlineType == "Delete":
                    deleted = bool(portion.IsStart)
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
        self.string = "".join(parts)

    def covers_object(self, start, end):
        return PLACEHOLDER in self.string[start:end]

    def range_of(self, start, end):
        """A cursor over [start, end), or None when the stretch holds a placeholder.
        Between start and end there is then only text, where the cursor's steps are the
        code points (markers such as bookmarks take no step)."""
        if self.covers_object(start, end):
            return None
        for first, portion, length in self.spans:
            if first <= start < first + length:
                cursor = self.text.createTextCursorByRange(portion.getStart())
                if start > first:
                    cursor.goRight(start - first, False)
                cursor.goRight(end - start, True)
                return cursor
        return None


def pieces(string):
    """[start, end) stretches of a paragraph that the program can search in one go, cut
    at blanks; stretches without a digit are left out."""
    result = []
    start = 0
    while start < len(string):
        words = 0
        in_word = False
        cut = len(string)
        last_blank = -1
        for i in range(start, len(string)):
            character = string[i]
            if ord(character) <= 32:
                in_word = False
                last_blank = i
            elif not character.isalnum():
                words += 1
                in_word = False
            elif not in_word:
                words += 1
                in_word = True
            if words > MAX_PIECE_WORDS or i - start >= MAX_PIECE_CHARS:
                cut = last_blank + 1 if last_blank > start else i
                break
        if any(c.isdigit() for c in string[start:cut]):
            result.append((start, cut))
        start = cut
    return result


class WriterConversion:
    """One run of "Convert amounts" over a Writer document."""

    def __init__(self, doc, channel, client_name="LibreOffice Writer"):
        self.doc = doc
        self.channel = channel
        self.client_name = client_name
        self.result = Result()
        self.settings = None
        self._seen_texts = []

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

    def _texts(self):
        """Every text of the document: body, frames, headers and footers of the page
        styles in use, footnotes and endnotes; each once."""
        doc = self.doc
        yield doc.getText()
        frames = doc.getTextFrames()
        for name in frames.getElementNames():
            yield frames.getByName(name).getText()
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
                        yield text
        for notes in (doc.getFootnotes(), doc.getEndnotes()):
            for i in range(notes.getCount()):
                yield notes.getByIndex(i)

    def _paragraphs(self, enumeration_access):
        for element in enumeration_access.createEnumeration():
            if _supports(element, "com.sun.star.text.TextTable"):
                for name in element.getCellNames():
                    yield from self._paragraphs(element.getCellByName(name))
            elif _supports(element, "com.sun.star.text.Paragraph"):
                yield element

    def _new_text(self, text):
        # A left or first-page header that is shared is the same text again.
        for seen in self._seen_texts:
            if seen == text:
                return False
        self._seen_texts.append(text)
        return True

    def _all_paragraphs(self):
        selected = self._selected_ranges()
        if selected:
            for selected_range in selected:
                text = selected_range.getText()
                yield from self._paragraphs(text.createTextCursorByRange(selected_range))
            return
        for text in self._texts():
            if self._new_text(text):
                yield from self._paragraphs(text)

    # ---- The run ----

    def run(self):
        """Converts; returns the Result. Raises NotRunning or Refused when the program
        cannot carry on; the changes written until then stay, and Result says how many."""
        self.settings = settings = WriterSettings(self.channel)
        doc = self.doc
        recording = doc.getPropertyValue("RecordChanges")
        undo = doc.getUndoManager()
        session = Session(self.channel, self.client_name, settings.confirm)
        undo.enterUndoContext("Kassavero")
        # Without questions the view need not follow every change.
        locked = not settings.confirm
        if locked:
            doc.lockControllers()
        try:
            if settings.trace:
                doc.setPropertyValue("RecordChanges", True)
                doc.setPropertyValue("ShowChanges", settings.show_erased)
            for paragraph in list(self._all_paragraphs()):
                if not self._convert_paragraph(session, Paragraph(paragraph)):
                    self.result.cancelled = True
                    break
        finally:
            if locked:
                doc.unlockControllers()
            doc.setPropertyValue("RecordChanges", recording)
            undo.leaveUndoContext()
            try:
                session.close()
            except Exception:
                pass  # the program went away; the error that caused it is reported
        return self.result

    def _convert_paragraph(self, session, paragraph):
        """Asks for every change of the paragraph, then writes the accepted ones from the
        last to the first, so the offsets of those before stay right. Returns False when
        the user cancelled (the changes accepted so far are written all the same)."""
        accepted = []
        cancelled = False
        try:
            for piece_start, piece_end in pieces(paragraph.string):
                piece = paragraph.string[piece_start:piece_end]
                session.transfer(piece)
                while True:
                    change = session.find_next(len(piece))
                    if change is None:
                        break
                    start, end, code, amount = change
                    start += piece_start
                    end += piece_start
                    if paragraph.covers_object(start, end):
                        continue  # it reaches over a field or a deleted text
                    if accepted and start < accepted[-1][1]:
                        continue
                    self.result.found += 1
                    self._show(paragraph, start, end, code, amount)
                    new_text = session.confirm()
                    if new_text is not None and new_text != paragraph.string[start:end]:
                        accepted.append((start, end, new_text))
        except Cancelled:
            cancelled = True
        finally:
            for start, end, new_text in reversed(accepted):
                stretch = paragraph.range_of(start, end)
                if stretch is not None:
                    self._replace(stretch, new_text)
                    self.result.changed += 1
        return not cancelled

    def _show(self, paragraph, start, end, code, amount):
        if self.settings.confirm:
            # Let the user see which amount the question is about.
            try:
                self.doc.getCurrentController().select(paragraph.range_of(start, end))
            except Exception:
                pass
        if self.settings.show_in_calculator:
            self.channel.call("calculator", "setvalue(%s,%s)" % (quoted(code), quoted(amount)))

    def _replace(self, stretch, new_text):
        text = stretch.getText()
        stretch.setString(new_text)
        if stretch.getString() == new_text:
            inserted = stretch
        else:
            # Recorded: the old text stays as a deletion and the new text follows it.
            inserted = text.createTextCursorByRange(stretch.getEnd())
            inserted.goRight(len(new_text), True)
        if self.settings.trace:
            self._highlight(inserted)

    def _highlight(self, inserted):
        settings = self.settings
        if settings.bold:
            inserted.setPropertyValue("CharWeight", BOLD)
        if settings.italic:
            inserted.setPropertyValue("CharPosture", ITALIC)
        if settings.underline:
            inserted.setPropertyValue("CharUnderline", UNDERLINE_SINGLE)
        if settings.use_colour:
            red, green, blue = settings.colour
            inserted.setPropertyValue("CharColor", (red << 16) | (green << 8) | blue)
