# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives a headless LibreOffice with the Kassavero extension installed: builds a Writer
document and a Calc sheet, runs the extension's conversion on them and checks the result.

    office_driver.py PIPE install OXT VERSION
    office_driver.py PIPE confirm-untraced with WordConfirmChanges 1, WordTraceChanges 0
    office_driver.py PIPE sessions-full    every session of the program is taken
    office_driver.py PIPE not-running      the program is not running
    office_driver.py PIPE convert [KEEP]   the program runs; KEEP receives the documents
                                           and text dumps before and after
"""

import os
import sys
import time

import uno
import unohelper
from com.sun.star.beans import NamedValue, PropertyValue
from com.sun.star.task import XInteractionHandler
from com.sun.star.ucb import XCommandEnvironment, XProgressHandler

FAILURES = []
OFFICE = None


def check(condition, what):
    if not condition:
        FAILURES.append(what)
        print("FAILED:", what, file=sys.stderr)


def named(kind, name, value):
    pair = kind()
    pair.Name = name
    pair.Value = value
    return pair


def connect(pipe):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    for _ in range(600):
        try:
            return resolver.resolve("uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
        except Exception:
            time.sleep(0.1)
    raise SystemExit("LibreOffice did not answer on pipe " + pipe)


class Office:
    def __init__(self, pipe):
        self.ctx = connect(pipe)
        self.smgr = self.ctx.ServiceManager
        self.desktop = self.smgr.createInstanceWithContext("com.sun.star.frame.Desktop",
                                                           self.ctx)

    def new(self, factory):
        return self.desktop.loadComponentFromURL(
            "private:factory/" + factory, "_blank", 0, (named(PropertyValue, "Hidden", True),))

    def convert(self, doc, **arguments):
        job = self.smgr.createInstanceWithContext("org.kassavero.office.Converter", self.ctx)
        check(job is not None, "the installed extension provides its converter")
        values = [named(NamedValue, "Document", doc)]
        values += [named(NamedValue, k, v) for k, v in arguments.items()]
        answer = {pair.Name: pair.Value for pair in job.execute(tuple(values))}
        print("extension:", answer["Outcome"], answer["Changed"], repr(answer["Message"]))
        return answer


class Approve(unohelper.Base, XCommandEnvironment, XInteractionHandler, XProgressHandler):
    """Says yes where installing an extension asks, as unopkg does."""

    def getInteractionHandler(self):
        return self

    def getProgressHandler(self):
        return self

    def handle(self, request):
        approve = uno.getTypeByName("com.sun.star.task.XInteractionApprove")
        for continuation in request.getContinuations():
            if continuation.queryInterface(approve):
                continuation.select()
                return

    def push(self, status):
        pass

    def update(self, status):
        pass

    def pop(self):
        pass


def install(office, oxt):
    """Adds the extension to the user's profile the way unopkg add does."""
    manager = office.ctx.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
    package = manager.addExtension(uno.systemPathToFileUrl(os.path.abspath(oxt)), (), "user",
                                   None, Approve())
    print("installed", package.getIdentifier().Value, package.getVersion())
    # The menu, the toolbar and the icon reached LibreOffice's configuration.
    provider = office.smgr.createInstanceWithContext(
        "com.sun.star.configuration.ConfigurationProvider", office.ctx)
    access = provider.createInstanceWithArguments(
        "com.sun.star.configuration.ConfigurationAccess",
        (named(PropertyValue, "nodepath", "/org.openoffice.Office.Addons/AddonUI"),))
    for node in ("OfficeMenuBarMerging", "OfficeToolBar"):
        check(access.getByName(node).hasByName("org.kassavero.office"), node + " entry")
    menu = access.getByHierarchicalName(
        "OfficeMenuBarMerging/org.kassavero.office/S1/MenuItems/K1/Submenu")
    urls = [menu.getByName(n).getByName("URL") for n in sorted(menu.getElementNames())]
    check(urls == ["org.kassavero.office:" + c for c in ("convert", "calculator", "settings")],
          "menu entries: %s" % urls)
    check(access.getByName("Images").hasByName("org.kassavero.office.convert"), "toolbar icon")
    return package.getVersion()


# ---- Writer ----

def visible_text(paragraph):
    """The paragraph as it reads with its tracked changes accepted."""
    out, deleted = [], False
    for portion in paragraph.createEnumeration():
        kind = portion.TextPortionType
        if kind == "Redline":
            if portion.RedlineType == "Delete":
                deleted = bool(portion.IsStart)
        elif kind == "Text" and not deleted:
            out.append(portion.getString())
    return "".join(out)


def visible(text):
    return "\n".join(visible_text(p) for p in paragraphs(text))


def paragraphs(text):
    for element in text.createEnumeration():
        if element.supportsService("com.sun.star.text.Paragraph"):
            yield element


def writer_dump(doc):
    lines = ["[header] " + visible_text(p) for p in paragraphs(header_text(doc))]
    for element in doc.getText().createEnumeration():
        if element.supportsService("com.sun.star.text.TextTable"):
            for name in element.getCellNames():
                for p in paragraphs(element.getCellByName(name)):
                    lines.append("[table %s] %s" % (name, visible_text(p)))
        else:
            lines.append(visible_text(element))
    frames = doc.getTextFrames()
    for name in frames.getElementNames():
        frame = frames.getByName(name).getText()
        lines += ["[frame] " + visible_text(p) for p in paragraphs(frame)]
    return "\n".join(lines)


def header_text(doc):
    return doc.getStyleFamilies().getByName("PageStyles").getByName("Standard").HeaderText


def build_writer(office):
    doc = office.new("swriter")
    text = doc.getText()
    cursor = text.createTextCursor()

    def run(string, **properties):
        start = cursor.getEnd()
        text.insertString(cursor, string, False)
        piece = text.createTextCursorByRange(start)
        piece.gotoRange(cursor.getEnd(), True)
        for key, value in properties.items():
            piece.setPropertyValue(key, value)
        cursor.gotoEnd(False)
        return piece
    run("Wichtig:", CharWeight=150.0)
    run(" Der Preis \U0001F600 betr\u00e4gt 100 DM und ", CharWeight=100.0)
    run("mehr", CharWeight=100.0, CharPosture=uno.Enum("com.sun.star.awt.FontSlant", "ITALIC"))
    run(".", CharPosture=uno.Enum("com.sun.star.awt.FontSlant", "NONE"))
    table = doc.createInstance("com.sun.star.text.TextTable")
    table.initialize(1, 2)
    text.insertTextContent(text.getEnd(), table, False)
    table.getCellByName("A1").setString("Porto")
    table.getCellByName("B1").setString("12,50 DM")
    text.insertString(text.getEnd(), "Ohne Betrag.", False)
    frame = doc.createInstance("com.sun.star.text.TextFrame")
    text.insertTextContent(text.getEnd(), frame, False)
    frame.getText().setString("Rabatt 5 DM")
    frame.setPropertyValue("Width", 6000)  # 6 cm
    style = doc.getStyleFamilies().getByName("PageStyles").getByName("Standard")
    style.HeaderIsOn = True
    style.HeaderText.setString("Stand: DM 7")
    return doc


def check_writer(doc):
    want = "\n".join([
        "[header] Stand: \u20ac 3.58 (DM 7)",
        "Wichtig: Der Preis \U0001F600 betr\u00e4gt \u20ac 51.13 (100 DM) und mehr.",
        "[table A1] Porto",
        "[table B1] \u20ac 6.39 (12,50 DM)",
        "Ohne Betrag.",
        "[frame] Rabatt \u20ac 2.56 (5 DM)",
    ])
    got = writer_dump(doc)
    check(got == want, "Writer text:\n%s\nwanted:\n%s" % (got, want))
    check(doc.getRedlines().getCount() >= 8, "every change is a tracked insertion and deletion "
          "(%d redlines)" % doc.getRedlines().getCount())
    check(not doc.RecordChanges, "recording is switched off again as it was")

    body = next(paragraphs(doc.getText()))
    for portion in body.createEnumeration():
        if portion.TextPortionType == "Text":
            if "mehr" in portion.getString():
                check(portion.CharPosture.value == "ITALIC", "the italic word stays italic")
            if "Wichtig" in portion.getString():
                check(portion.CharWeight == 150.0, "the bold word before stays bold")
    # LibreOffice shows the tracked insertions as its own options say; the run leaves them.
    check(changes_display() == DISPLAY_BEFORE, "Tools > Options > Writer > Changes as before:"
          " %s, was %s" % (changes_display(), DISPLAY_BEFORE))
    dispatch(doc, ".uno:AcceptAllTrackedChanges")
    check(doc.getRedlines().getCount() == 0, "every change accepted")
    marked = [p.getString() for p in next(paragraphs(doc.getText())).createEnumeration()
              if p.TextPortionType == "Text" and (p.CharUnderline != 0 or p.CharColor != -1)]
    check(marked == [], "no highlight left after accepting: %s" % marked)


def changes_display():
    return config("/org.openoffice.Office.Writer/Revision/TextDisplay/Insert",
                  "Attribute", "Color") + \
        config("/org.openoffice.Office.Writer/Revision/LinesChanged", "Mark")


def set_config(path, values):
    provider = OFFICE.smgr.createInstanceWithContext(
        "com.sun.star.configuration.ConfigurationProvider", OFFICE.ctx)
    access = provider.createInstanceWithArguments(
        "com.sun.star.configuration.ConfigurationUpdateAccess",
        (named(PropertyValue, "nodepath", path),))
    for name, value in values.items():
        access.replaceByName(name, value)
    access.commitChanges()


DISPLAY_BEFORE = None


def config(path, *names):
    provider = OFFICE.smgr.createInstanceWithContext(
        "com.sun.star.configuration.ConfigurationProvider", OFFICE.ctx)
    access = provider.createInstanceWithArguments(
        "com.sun.star.configuration.ConfigurationAccess",
        (named(PropertyValue, "nodepath", path),))
    return tuple(access.getByName(n) for n in names)


def dispatch(doc, command):
    helper = OFFICE.smgr.createInstanceWithContext("com.sun.star.frame.DispatchHelper",
                                                   OFFICE.ctx)
    helper.executeDispatch(doc.getCurrentController().getFrame(), command, "", 0, ())


def writer_doc(*lines):
    """A Writer document of one paragraph per line; "\v" in a line is a line break."""
    doc = OFFICE.new("swriter")
    text = doc.getText()
    cursor = text.createTextCursor()
    for i, line in enumerate(lines):
        for k, part in enumerate(line.split("\v")):
            if k:
                text.insertControlCharacter(cursor, 1, False)  # LINE_BREAK
            text.insertString(cursor, part, False)
        if i + 1 < len(lines):
            text.insertControlCharacter(cursor, 0, False)  # PARAGRAPH_BREAK
    return doc


def writer_cases(here):
    """The faults a user met on real documents, each on a small document."""
    kassavero_office = extension_modules(here)
    channel = kassavero_office.channel

    class StepByStep(channel.BusChannel):
        """A program that cannot list changes: the conversion goes amount by amount."""
        def list_changes(self, client_name, text):
            return None

    class OldProgram(StepByStep):
        """A program that reads 1024 words per transfer and knows no everyday forms."""
        def call(self, item, command):
            if "InputEverydayForms" in command:
                return "ERROR. no such setting"
            return super().call(item, command)

    # A long price list pasted as one paragraph: every line its own right value, in one
    # call, amount by amount, and in pieces of 800 words.
    lines = ["Pos. %d Lieferung mit Montage und Wartung vor Ort %s 100,00"
             % (i + 1, "FRF" if i == 106 else "DM") for i in range(150)]
    for factory in (channel.BusChannel, StepByStep, OldProgram):
        doc = writer_doc("\v".join(lines))
        outcome = kassavero_office.entry.convert_document(doc, kassavero_office.ui.ScriptedUi(),
                                                          factory)
        got = visible_text(next(paragraphs(doc.getText()))).split("\n")
        check(outcome.changed == 150 and got[106].endswith("\u20ac 15.24 (FRF 100,00)") and
              got[107].endswith("\u20ac 51.13 (DM 100,00)"),
              "long paragraph (%s): %s %r" % (factory.__name__, outcome.changed, got[105:108]))
        doc.close(True)

    # Half an amount selected: the whole amount is converted, never a part.
    for selected in ("50 DM.", "12,50 D"):
        doc = writer_doc("Preis: 12,50 DM.")
        text = doc.getText()
        cursor = text.createTextCursor()
        cursor.goRight("Preis: 12,50 DM.".index(selected), False)
        cursor.goRight(len(selected), True)
        doc.getCurrentController().select(cursor)
        OFFICE.convert(doc)
        got = visible_text(next(paragraphs(text)))
        check(got == "Preis: \u20ac 6.39 (12,50 DM).", "selected %r: %r" % (selected, got))
        doc.close(True)

    text_box_cases(kassavero_office)
    # Nothing to convert: the document stays unmodified.
    doc = writer_doc("Ohne Betrag, seit 1998.")
    doc.setModified(False)
    OFFICE.convert(doc)
    check(not doc.isModified(), "an amount-free run leaves the document unmodified")
    doc.close(True)

    # A write-protected section and a read-only document are refused, unchanged.
    doc = writer_doc("Offen 5 DM.")
    section = doc.createInstance("com.sun.star.text.TextSection")
    text = doc.getText()
    text.insertTextContent(text.getEnd(), section, False)
    text.insertString(section.getAnchor(), "Geschützt 7 DM", False)
    section.IsProtected = True
    answer = OFFICE.convert(doc)
    check(answer["Outcome"] == "Refused" and "protected" in answer["Message"] and
          "5 DM" in text.getString(), "protected section: %s" % answer["Outcome"])
    path = os.path.join(os.environ.get("HOME", "/tmp"), "read-only.odt")
    save(doc, path)
    doc.close(True)
    doc = OFFICE.desktop.loadComponentFromURL(
        uno.systemPathToFileUrl(path), "_blank", 0,
        (named(PropertyValue, "Hidden", True), named(PropertyValue, "ReadOnly", True)))
    answer = OFFICE.convert(doc)
    check(answer["Outcome"] == "Refused" and "read-only" in answer["Message"] and
          "Offen 5 DM" in doc.getText().getString(), "read-only: %s" % answer["Outcome"])
    doc.close(True)

    # The menu command works on the window it came from, not the one in front.
    first = writer_doc("Erst 100 DM")
    second = writer_doc("Dann 200 DM")
    url = uno.createUnoStruct("com.sun.star.util.URL")
    url.Complete = "org.kassavero.office:convert"
    frame = first.getCurrentController().getFrame()
    frame.queryDispatch(url, "_self", 0).dispatch(url, ())
    check("\u20ac" in first.getText().getString() and
          "\u20ac" not in second.getText().getString(), "the command's own window converted")
    first.close(True)
    second.close(True)


def profile(base, **values):
    """The channel with some profile values answered as given."""
    class Profile(base):
        def call(self, item, command):
            for key, value in values.items():
                if command == 'getvalue(,"%s")' % key:
                    return value
            return super().call(item, command)
    return Profile


def run_with(kassavero_office, doc, factory, **ui):
    scripted = kassavero_office.ui.ScriptedUi(**ui)
    outcome = kassavero_office.entry.convert_document(doc, scripted, factory)
    return outcome, "\n".join(scripted.messages)


def text_box_cases(kassavero_office):
    """A drawing shape's text is in the run's undo step and marks the document; with
    tracked changes it is left (LibreOffice records none there) and counted, while a
    text box with a Writer frame is converted as a tracked change."""
    bus = kassavero_office.channel.BusChannel
    for trace, changed, box_text in (("0", 2, "Porto \u20ac 1.53 (3 DM)"),
                                     ("1", 1, "Porto 3 DM")):
        doc = writer_doc("Ohne Betrag.")
        shape = doc.createInstance("com.sun.star.drawing.TextShape")
        doc.getDrawPage().add(shape)
        shape.setString("Porto 3 DM")
        framed = doc.createInstance("com.sun.star.drawing.RectangleShape")
        doc.getDrawPage().add(framed)
        framed.TextBox = True
        framed.getText().setString("Fracht 5 DM")
        doc.setModified(False)
        outcome, message = run_with(kassavero_office, doc,
                                    profile(bus, WordTraceChanges=trace))
        got = (outcome.changed, shape.getString(), visible(framed.getText()))
        want = (changed, box_text, "Fracht \u20ac 2.56 (5 DM)")
        check(got == want and doc.isModified(), "text boxes, tracking %s: %s" % (trace, got))
        if trace == "1":
            check("1 of 2" in message and "drawing text box" in message,
                  "the box left is counted: %r" % message)
            dispatch(doc, ".uno:RejectAllTrackedChanges")
        else:
            check(doc.getUndoManager().getAllUndoActionTitles()[0] == "Kassavero",
                  "one undo step for the run")
            dispatch(doc, ".uno:Undo")
        check((shape.getString(), visible(framed.getText())) == ("Porto 3 DM", "Fracht 5 DM"),
              "tracking %s, taken back: %r" % (trace, shape.getString()))
        doc.close(True)


def writer_fault_cases(here):
    """Amounts inside another pending insertion, amounts the program does not recognise,
    and replies that stop a run."""
    kassavero_office = extension_modules(here)
    bus = kassavero_office.channel.BusChannel
    untraced = profile(bus, WordTraceChanges="0")
    # Without recording, an amount inside a pending insertion is left: rejecting the
    # insertion leaves nothing behind.
    doc = writer_doc("Die Gebühr entfällt.")
    doc.RecordChanges = True
    doc.getText().insertString(doc.getText().getEnd(), " Aufpreis 10,00 DM", False)
    doc.RecordChanges = False
    outcome, message = run_with(kassavero_office, doc, untraced)
    check(outcome.changed == 0 and "0 of 1" in message and "pending" in message,
          "inside an insertion: %s %r" % (outcome.changed, message))
    dispatch(doc, ".uno:RejectAllTrackedChanges")
    check(doc.getText().getString() == "Die Gebühr entfällt.", "rejected cleanly: %r"
          % doc.getText().getString())
    doc.close(True)
    # A number whose marks the program cannot tell apart is counted, not hidden.
    doc = writer_doc("Summe 1,896.828 DM und 12,50 DM.")
    outcome, message = run_with(kassavero_office, doc, bus)
    check(outcome.changed == 1 and "1 of 2" in message and "1,896.828 DM" in message,
          "unrecognised amount counted: %r" % message)
    doc.close(True)

    def replying(command_start, reply, confirm="0"):
        class Replying(profile(bus, WordConfirmChanges=confirm)):
            def call(self, item, command):
                return reply if command.startswith(command_start) else \
                    super().call(item, command)
        return Replying
    cases = [
        # what the program answers, the words of the message
        (replying("transfertext:", "ERROR. Too many clients have a text waiting.", "1"),
         "Too many clients"),
        (replying("confirmchange(", "OK", "1"), "session was closed"),
        (replying("findnextchange(", "6;9;DEM;999", "1"), "had not sent"),
    ]
    for factory, words in cases:
        doc = writer_doc("Preis 100 DM netto")
        outcome, message = run_with(kassavero_office, doc, factory)
        check(outcome.kind == "Refused" and words in message and "Nothing was changed" in
              message and doc.getText().getString() == "Preis 100 DM netto",
              "%s: %s %r" % (words, outcome.kind, message))
        doc.close(True)


# ---- Calc ----

def calc_dump(sheet):
    lines = []
    for row in range(5):
        cell = sheet.getCellByPosition(0, row)
        lines.append("A%d  %-16s  shown: %s" % (row + 1, cell.getFormula(), cell.getString()))
    return "\n".join(lines)


def calc_state(sheet):
    return [(sheet.getCellByPosition(0, row).getFormula(),
             sheet.getCellByPosition(0, row).NumberFormat) for row in range(5)]


def build_calc(office):
    doc = office.new("scalc")
    sheet = doc.getSheets().getByIndex(0)
    formats = doc.getNumberFormats()
    locale = uno.createUnoStruct("com.sun.star.lang.Locale")
    locale.Language, locale.Country = "en", "US"
    dm = formats.queryKey("#,##0.00 [$DM-407]", locale, False)
    if dm == -1:
        dm = formats.addNew("#,##0.00 [$DM-407]", locale)
    date = formats.queryKey("YYYY-MM-DD", locale, False)
    if date == -1:
        date = formats.addNew("YYYY-MM-DD", locale)
    a1 = sheet.getCellByPosition(0, 0)
    a1.setValue(100)
    a1.NumberFormat = dm
    sheet.getCellByPosition(0, 1).setFormula("=100+A1*2")
    sheet.getCellByPosition(0, 2).setString("Preis 100")
    a4 = sheet.getCellByPosition(0, 3)
    a4.setValue(0)
    a4.NumberFormat = dm
    a5 = sheet.getCellByPosition(0, 4)
    a5.setValue(45000)
    a5.NumberFormat = date
    return doc, sheet


def check_calc(doc, sheet):
    cell = sheet.getCellByPosition
    check(abs(cell(0, 0).getValue() - 51.13) < 1e-9, "A1 converted: %r" % cell(0, 0).getValue())
    check("\u20ac" in cell(0, 0).getString(), "A1 shows the euro sign: %r" % cell(0, 0).getString())
    check(cell(0, 1).getFormula() == "=51.13+A1*1.02",
          "A2's constants converted, the reference kept: %r" % cell(0, 1).getFormula())
    check(cell(0, 2).getString() == "Preis 100", "the text cell is untouched")
    check(cell(0, 3).getValue() == 0 and cell(0, 3).getFormula() == "0", "zero is untouched")
    check("\u20ac" in cell(0, 3).getString(), "zero shows the euro sign like its neighbours: %r"
          % cell(0, 3).getString())
    check(cell(0, 4).getValue() == 45000, "a date is not an amount")


def selection_cases(office):
    """Only the selected paragraph, only the selected cells."""
    doc = office.new("swriter")
    text = doc.getText()
    text.setString("Erst 100 DM netto.")
    text.insertControlCharacter(text.getEnd(), 0, False)  # PARAGRAPH_BREAK
    text.insertString(text.getEnd(), "Dann 200 DM netto.", False)
    second = list(paragraphs(text))[1]
    doc.getCurrentController().select(text.createTextCursorByRange(second))
    answer = office.convert(doc)
    got = [visible_text(p) for p in paragraphs(text)]
    want = ["Erst 100 DM netto.", "Dann \u20ac 102.26 (200 DM) netto."]
    check(answer["Changed"] == 1 and got == want, "Writer selection: %s" % got)
    doc.close(True)

    doc = office.new("scalc")
    sheet = doc.getSheets().getByIndex(0)
    for name, value in (("A1", 100), ("A2", 200), ("B1", 300)):
        sheet.getCellRangeByName(name).setValue(value)
    doc.getCurrentController().select(sheet.getCellRangeByName("A1:A2"))
    answer = office.convert(doc, Source=3, Target=0, SelectionOnly=True, PlainNumbers=True)
    got = [sheet.getCellRangeByName(n).getValue() for n in ("A1", "A2", "B1")]
    check(answer["Changed"] == 2 and got == [51.13, 102.26, 300], "Calc selection: %s" % got)
    doc.close(True)


def number_format(doc, code):
    locale = uno.createUnoStruct("com.sun.star.lang.Locale")
    locale.Language, locale.Country = "en", "US"
    formats = doc.getNumberFormats()
    key = formats.queryKey(code, locale, False)
    return key if key != -1 else formats.addNew(code, locale)


def price_list(office):
    """Article number, quantity, date, VAT rate, price in DM, total, a price already in
    euros and one in schillings; a sum below."""
    doc = office.new("scalc")
    sheet = doc.getSheets().getByIndex(0)
    dm, euro = "#,##0.00 [$DM-407]", "#,##0.00 [$\u20ac-407]"
    formats = [None, None, "YYYY-MM-DD", "0%", dm, dm, euro, "#,##0.00 [$\u00f6S-C07]"]
    for row, values in enumerate([(4711, 100, 45000, 0.16, 12.5, "=B1*E1", 6.39, 100),
                                  (4712, 3, 45001, 0.07, 2, "=B2*E2+5", 1.02, 200)]):
        for column, value in enumerate(values):
            cell = sheet.getCellByPosition(column, row)
            # Formatted first: Calc gives a new formula the format it guesses.
            if formats[column]:
                cell.NumberFormat = number_format(doc, formats[column])
            cell.setFormula(value) if isinstance(value, str) else cell.setValue(value)
    sheet.getCellRangeByName("F3").NumberFormat = number_format(doc, dm)
    sheet.getCellRangeByName("F3").setFormula("=SUM(F1:F2)")
    return doc, sheet


def sheet_state(sheet):
    return [(sheet.getCellByPosition(c, r).getFormula(), sheet.getCellByPosition(c, r).getString())
            for r in range(3) for c in range(8)]


def price_list_cases(office, here):
    """Only money is converted, formulas show the target currency, a second run changes
    nothing, protection and read-only are refused, the question shows its cell."""
    kassavero_office = extension_modules(here)
    doc, sheet = price_list(office)
    cell = sheet.getCellRangeByName
    runs = [
        # arguments, cells converted, what the sheet holds afterwards
        ({}, 5, {"A1": "4711", "B1": "100", "E1": "6.39", "F1": "=B1*E1",
                 "F2": "=B2*E2+2.56", "G1": "6.39", "H1": "100"}),
        ({}, 0, {"E1": "6.39", "F2": "=B2*E2+2.56"}),  # a second run
        ({"PlainNumbers": True}, 4, {"A1": "2408.7", "B1": "51.13", "C1": "45000",
                                     "D1": "0.16"}),
    ]
    for arguments, changed, want in runs:
        answer = office.convert(doc, Source=3, Target=0, **arguments)
        got = {name: cell(name).getFormula() for name in want}
        check(answer["Changed"] == changed and got == want,
              "price list %s: %s %s" % (arguments, answer["Changed"], got))
        if not arguments:
            check(all("\u20ac" in cell(n).getString() for n in ("E1", "F1", "F2", "F3")),
                  "money shows the euro: %s" % [cell(n).getString() for n in ("F1", "F3")])
            check("4 numbers without a currency format" in answer["Message"] or changed == 0,
                  "plain numbers left are named: %r" % answer["Message"])
    doc.close(True)

    # Protected sheet and read-only document: refused, nothing changed.
    doc, sheet = price_list(office)
    before = sheet_state(sheet)
    sheet.protect("")
    answer = office.convert(doc, Source=3, Target=0)
    check(answer["Outcome"] == "Refused" and "protected sheet" in answer["Message"] and
          sheet_state(sheet) == before, "protected sheet: %r" % answer["Message"])
    sheet.unprotect("")
    path = os.path.join(os.environ.get("HOME", "/tmp"), "read-only.ods")
    save(doc, path)
    doc.close(True)
    doc = office.desktop.loadComponentFromURL(
        uno.systemPathToFileUrl(path), "_blank", 0,
        (named(PropertyValue, "Hidden", True), named(PropertyValue, "ReadOnly", True)))
    answer = office.convert(doc, Source=3, Target=0)
    check(answer["Outcome"] == "Refused" and "read-only" in answer["Message"] and
          sheet_state(doc.getSheets().getByIndex(0)) == before, "read-only sheet")
    doc.close(True)

    # Without a choice, the source is the currency the cells are formatted in.
    doc, sheet = price_list(office)
    doc.getCurrentController().select(sheet.getCellRangeByName("H1:H2"))
    office.convert(doc, Target=0, SelectionOnly=True)
    got = [sheet.getCellRangeByName(n).getValue() for n in ("H1", "E1")]
    check(got == [7.27, 12.5], "schillings preselected: %s" % got)
    doc.close(True)

    # The program is asked about a formula in view of its cell, named in the text; a
    # refused hand-over or a reply for another cell stops the run with nothing changed.
    seen = []

    class Spy(kassavero_office.channel.BusChannel):
        def call(self, item, command):
            if command.startswith("convertexcelformula(,"):
                selected = doc.getCurrentController().getSelection()
                seen.append((pending[0], selected.AbsoluteName))
            if command.startswith("transfertext:"):
                pending[:] = [command[len("transfertext:"):]]
            return super().call(item, command)
    pending = [""]

    def replying(start, reply):
        class Replying(kassavero_office.channel.BusChannel):
            def call(self, item, command):
                return reply if command.startswith(start) else super().call(item, command)
        return Replying
    for factory, words in [(Spy, "Converted"),
                           (replying("transfertext:", "ERROR. Too many clients"), "Too many"),
                           (replying("convertexcelformula(", '"Sheet1.Z9" =1'), "not sent")]:
        doc, sheet = price_list(office)
        before = sheet_state(sheet)
        outcome, message = run_with(kassavero_office, doc, factory, source=3, target=0)
        check(words in message, "%s: %r" % (words, message))
        if factory is not Spy:
            check(sheet_state(sheet) == before and "Nothing was changed" in message,
                  "%s: nothing changed" % words)
        doc.close(True)
    check(('"Sheet1.F2" =B2*E2+5', "$Sheet1.$F$2") in seen, "the question's cell: %s" % seen)


def extension_modules(here):
    sys.path.insert(0, os.path.join(here, "..", "..", "office", "pythonpath"))
    import kassavero_office.calc
    import kassavero_office.channel
    import kassavero_office.entry
    import kassavero_office.ui
    return kassavero_office


def cancel_case(office, here):
    """Cancel at the second change: the first stays converted, the run says cancelled."""
    kassavero_office = extension_modules(here)

    class CancelSecond(kassavero_office.channel.BusChannel):
        confirmations = 0

        def call(self, item, command):
            if "WordConfirmChanges" in command:
                return "1"  # asked amount by amount, so there is a question to cancel
            if command.startswith("confirmchange("):
                CancelSecond.confirmations += 1
                if CancelSecond.confirmations == 2:
                    return "CANCEL"
                command = command.replace(",1)", ",0)")  # the first one answered yes
            return super().call(item, command)
    doc = office.new("swriter")
    text = doc.getText()
    text.setString("A 100 DM x")
    for line in ("B 200 DM y", "C 300 DM z"):
        text.insertControlCharacter(text.getEnd(), 0, False)
        text.insertString(text.getEnd(), line, False)
    scripted = kassavero_office.ui.ScriptedUi()
    outcome = kassavero_office.entry.convert_document(doc, scripted, CancelSecond)
    got = [visible_text(p) for p in paragraphs(text)]
    check(outcome.kind == "Cancelled" and outcome.changed == 1,
          "cancelled run: %s %s" % (outcome.kind, outcome.changed))
    want = ["A \u20ac 51.13 (100 DM) x", "B 200 DM y", "C 300 DM z"]
    check(got == want, "after cancel: %s" % got)
    check("cancelled" in scripted.messages[-1], "the message says cancelled")
    doc.close(True)

    class EndsDuringQuestion(CancelSecond):
        """The program quits while it asks: its dialog answers cancel, then it is gone."""
        def call(self, item, command):
            if command.startswith("closesession("):
                raise kassavero_office.channel.NotRunning("gone")
            return "CANCEL" if command.startswith("confirmchange(") else \
                super().call(item, command)
    doc = writer_doc("A 100 DM x")
    scripted = kassavero_office.ui.ScriptedUi()
    outcome = kassavero_office.entry.convert_document(doc, scripted, EndsDuringQuestion)
    check(outcome.kind == "NotRunning" and "closed" in scripted.messages[-1],
          "the program ended, not the user: %s %r" % (outcome.kind, scripted.messages))
    doc.close(True)


def menu_entry(office):
    """What Tools > Kassavero > Convert amounts runs, on the document in front."""
    doc = office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
    doc.getText().setString("Preis 100 DM netto")
    job = office.smgr.createInstanceWithContext("org.kassavero.office.Converter", office.ctx)
    job.trigger("convert")
    got = visible_text(next(paragraphs(doc.getText())))
    check(got == "Preis \u20ac 51.13 (100 DM) netto", "from the menu: %r" % got)
    doc.close(True)


def currency_dialog(office, here):
    """The currency choice starts at the profile's default source and target."""
    kassavero_office = extension_modules(here)
    calc, channel, ui = kassavero_office.calc, kassavero_office.channel, kassavero_office.ui
    settings = calc.CalcSettings(channel.BusChannel())
    check((settings.source, settings.target) == (3, 0),
          "profile defaults: %s %s" % (settings.source, settings.target))
    dialog = ui.OfficeUi(office.ctx).currency_dialog(settings, True)
    try:
        source = dialog.getControl("Source").getSelectedItem()
        target = dialog.getControl("Target").getSelectedItem()
        check((source, target) == ("DEM", "EUR"), "dialog starts at %s -> %s" % (source, target))
        check(dialog.getControl("Source").getItemCount() == 11, "the eleven fixed currencies")
        check(dialog.getControl("SelectionOnly").getState() == 1, "selection only is offered")
    finally:
        dialog.dispose()


def save(doc, path):
    doc.storeToURL(uno.systemPathToFileUrl(os.path.abspath(path)), ())


def main():
    pipe, mode = sys.argv[1], sys.argv[2]
    keep = sys.argv[3] if len(sys.argv) > 3 else None
    global OFFICE
    office = OFFICE = Office(pipe)
    if mode == "install":
        version = install(office, sys.argv[3])
        check(version == sys.argv[4], "the extension's version is the project's: " + version)
        return 1 if FAILURES else 0

    if mode == "show":
        # A visible letter in front, for the keyboard to reach the menu.
        doc = office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
        doc.getText().setString("Price 100 DM net")
        return 0
    if mode == "show-asked":
        # A letter whose amount stands in the middle of the screen, where a question window
        # opens; prints the amount's place on the screen.
        doc = office.desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
        text = doc.getText()
        for _ in range(8):
            text.insertControlCharacter(text.getEnd(), 0, False)
        text.insertString(text.getEnd(), "Price 100 DM net", False)
        last = list(paragraphs(text))[-1]
        last.ParaAdjust = 3  # centred
        cursor = text.createTextCursorByRange(last.getStart())
        cursor.goRight(6, False)
        cursor.goRight(6, True)
        doc.getCurrentController().select(cursor)
        time.sleep(1)
        sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "office",
                                        "pythonpath"))
        import kassavero_office.screen
        area = kassavero_office.screen.selection_on_screen(doc.getCurrentController())
        check(area is not None, "the amount's place on the screen")
        doc.getCurrentController().select(text.createTextCursorByRange(text.getStart()))
        print(" ".join(str(n) for n in area or ()))
        return 1 if FAILURES else 0
    if mode == "shown-result":
        got = ""
        for _ in range(300):
            docs = office.desktop.getComponents().createEnumeration()
            while docs.hasMoreElements():
                doc = docs.nextElement()
                if doc.supportsService("com.sun.star.text.TextDocument"):
                    got = visible_text(next(paragraphs(doc.getText())))
            if got != "Price 100 DM net":
                break
            time.sleep(0.1)
        check(got == "Price \u20ac 51.13 (100 DM) net", "through the menu: %r" % got)
        return 1 if FAILURES else 0

    if mode == "later-changeover":
        doc = writer_doc("\u041e\u0431\u0449\u043e: 1 234,56 \u043b\u0432. \u0438 BGN 12,50 "
                         "\u2013 \u043b\u0435\u0432\u0430\u0442\u0430 \u043e\u0441\u0442\u0430\u0432\u0430\u0442.")
        answer = office.convert(doc)
        got = visible_text(next(paragraphs(doc.getText())))
        check(answer["Outcome"] == "Done" and answer["Changed"] == 2,
              "Bulgarian run: %s, %s" % (answer["Outcome"], answer["Changed"]))
        check(got == "\u041e\u0431\u0449\u043e: \u20ac 631,22 (1 234,56 \u043b\u0432.) \u0438 "
              "\u20ac 6,39 (BGN 12,50) \u2013 \u043b\u0435\u0432\u0430\u0442\u0430 "
              "\u043e\u0441\u0442\u0430\u0432\u0430\u0442.", "Bulgarian letter: %r" % got)
        return 1 if FAILURES else 0

    global DISPLAY_BEFORE
    DISPLAY_BEFORE = changes_display()
    writer = build_writer(office)
    calc, sheet = build_calc(office)
    writer_before, calc_before = writer_dump(writer), calc_dump(sheet)
    calc_state_before = calc_state(sheet)

    if mode == "confirm-untraced":
        # What an earlier version wrote for the profile's highlight goes back to
        # LibreOffice's defaults at the first run.
        revision = "/org.openoffice.Office.Writer/Revision"
        set_config(revision + "/TextDisplay/Insert", {"Attribute": 3, "Color": 0xFF0000})
        set_config(revision + "/LinesChanged", {"Mark": 0})
        # Each change asked in the program's window (answered Yes), nothing recorded.
        answer = office.convert(writer)
        check(changes_display() == DISPLAY_BEFORE, "an earlier run's display of changes: %s"
              % (changes_display(),))
        check(answer["Outcome"] == "Done" and answer["Changed"] == 4,
              "confirmed run: %s %s" % (answer["Outcome"], answer["Changed"]))
        check("\u20ac 51.13 (100 DM)" in writer_dump(writer), "confirmed change written")
        check(writer.getRedlines().getCount() == 0, "nothing recorded without WordTraceChanges")
        body = next(paragraphs(writer.getText()))
        check(all(p.CharUnderline == 0 for p in body.createEnumeration()
                  if p.TextPortionType == "Text"), "no highlight without WordTraceChanges")
    elif mode == "sessions-full":
        answer = office.convert(writer)
        check(answer["Outcome"] == "Refused" and "sessions are in use" in answer["Message"],
              "every session taken: %s %r" % (answer["Outcome"], answer["Message"]))
        check(writer_dump(writer) == writer_before, "the Writer document is unchanged")
    elif mode == "separators":
        # The program writes numbers with a decimal comma, this office with a point.
        answer = office.convert(calc, Source=3, Target=0, PlainNumbers=True)
        check(answer["Outcome"] == "Done" and sheet.getCellByPosition(0, 1).getFormula() ==
              "=51.13+A1*1.02", "formula across number formats: %s %r" % (
                  answer["Message"], sheet.getCellByPosition(0, 1).getFormula()))
    elif mode == "not-running":
        for doc in (writer, calc):
            answer = office.convert(doc, Source=3, Target=0)
            check(answer["Outcome"] == "NotRunning" and answer["Changed"] == 0,
                  "without the program: %s" % answer["Outcome"])
            check("Start Kassavero" in answer["Message"], "the message says how to start it")
        check(writer_dump(writer) == writer_before, "the Writer document is unchanged")
        check(calc_state(sheet) == calc_state_before, "the sheet is unchanged")
        check(writer.getRedlines().getCount() == 0, "no tracked change was made")
    else:
        if keep:
            save(writer, os.path.join(keep, "before.odt"))
            save(calc, os.path.join(keep, "before.ods"))
        answer = office.convert(writer)
        check(answer["Outcome"] == "Done" and answer["Changed"] == 4,
              "Writer run: %s, %s" % (answer["Outcome"], answer["Changed"]))
        check_writer(writer)
        answer = office.convert(calc, Source=3, Target=0, PlainNumbers=True)
        check(answer["Outcome"] == "Done" and answer["Changed"] == 2,
              "Calc run: %s, %s" % (answer["Outcome"], answer["Changed"]))
        check_calc(calc, sheet)
        selection_cases(office)
        here = os.path.dirname(os.path.abspath(__file__))
        currency_dialog(office, here)
        cancel_case(office, here)
        menu_entry(office)
        writer_cases(here)
        writer_fault_cases(here)
        price_list_cases(office, here)
        if keep:
            save(writer, os.path.join(keep, "after.odt"))
            save(calc, os.path.join(keep, "after.ods"))
            with open(os.path.join(keep, "dumps.txt"), "w", encoding="utf-8") as out:
                out.write("Writer before:\n%s\n\nWriter after:\n%s\n\n" % (writer_before,
                                                                        writer_dump(writer)))
                out.write("Calc before:\n%s\n\nCalc after:\n%s\n" % (calc_before,
                                                                   calc_dump(sheet)))
    for doc in (writer, calc):
        doc.close(True)
    print("%d failed" % len(FAILURES))
    return 1 if FAILURES else 0


if __name__ == "__main__":
    code = main()
    # Left to the interpreter's shutdown, the UNO bridge now and then crashes on its way out.
    sys.stdout.flush()
    sys.stderr.flush()
    os._exit(code)
