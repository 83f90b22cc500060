# SPDX-License-Identifier: GPL-3.0-or-later
"""What the menu entries and the toolbar button run."""

import re
import subprocess

from . import calc, writer
from .channel import (BusChannel, Foreign, NoBusModule, NoSession, NotRunning, Refused,
                      SessionLost)
from .texts import counted


class Outcome:
    def __init__(self, kind, changed=0, message=""):
        self.kind = kind  # Done, Cancelled, NotRunning, Refused, Declined, WrongDocument
        self.changed = changed
        self.message = message


def program_decimal_separator():
    """The decimal separator of the locale the desktop session, and so Kassavero, runs
    in: the program reads and writes formula numbers with it."""
    try:
        out = subprocess.run(["locale", "-k", "decimal_point"], capture_output=True,
                             text=True, timeout=10).stdout
        match = re.search(r'decimal_point="(.)"', out)
        if match:
            return match.group(1)
    except (OSError, subprocess.SubprocessError):
        pass
    return "."


def _supports(doc, service):
    try:
        return doc.supportsService(service)
    except Exception:
        return False


def convert_document(doc, ui, channel_factory=BusChannel):
    """Converts a Writer or Calc document; tells the user how it went through ui and
    returns an Outcome."""
    texts = ui.texts
    if _supports(doc, "com.sun.star.text.TextDocument"):
        kind = "writer"
    elif _supports(doc, "com.sun.star.sheet.SpreadsheetDocument"):
        kind = "calc"
    else:
        ui.error(texts["wrong_document"])
        return Outcome("WrongDocument", message=texts["wrong_document"])
    try:
        channel = channel_factory()
    except NoBusModule:
        ui.error(texts["no_dbus"])
        return Outcome("Failed", message=texts["no_dbus"])
    except NotRunning:
        ui.error(texts["not_running"])
        return Outcome("NotRunning", message=texts["not_running"])

    run = None
    try:
        if kind == "writer":
            run = writer.WriterConversion(doc, channel, ctx=getattr(ui, "ctx", None),
                                          refresh=ui.refresh)
            result = run.run()
            changed = result.changed
            message = _writer_message(texts, result)
        else:
            if doc.isReadonly():
                raise writer.ReadOnly()  # said before the currencies are asked
            settings = calc.CalcSettings(channel)
            has_selection = _has_cell_selection(doc)
            run = calc.CalcConversion(doc, channel, settings.source, settings.target,
                                      _cells_to_convert(doc, has_selection),
                                      calc.program_decimal_separator(
                                          channel, program_decimal_separator()), ui.refresh)
            suggested = run.suggested_source(settings.target)
            choice = ui.choose_currencies(settings, has_selection, suggested,
                                          _sheet_name(doc))
            if choice is None:
                return Outcome("Declined")
            run.source, run.target, selection_only, run.plain_numbers = choice
            run.cells = _cells_to_convert(doc, selection_only)
            result = run.run(settings)
            changed = result.cells + result.formulas
            message = _calc_message(texts, result)
    except (writer.ReadOnly, writer.Protected) as error:
        if isinstance(error, writer.ReadOnly):
            message = texts["read_only"]
        else:
            message = texts["protected" if kind == "writer" else "calc_protected"]
        ui.error(message)
        return Outcome("Refused", 0, message)
    except (NotRunning, Refused) as error:
        changed = _changed_so_far(run)
        if isinstance(error, NoSession):
            message = texts["no_session"]
        elif isinstance(error, SessionLost):
            message = texts["session_lost"]
        elif isinstance(error, Foreign):
            message = texts["foreign"] % error.reply
        elif isinstance(error, Refused):
            message = texts["refused"] % error.reply
        else:
            message = texts["lost"]
        message += "\n\n" + _kept(texts, changed)
        ui.error(message)
        return Outcome("NotRunning" if isinstance(error, NotRunning) else "Refused", changed,
                       message)
    except Exception as error:  # the document refused a change
        changed = _changed_so_far(run)
        message = texts["failed"] % getattr(error, "Message", error)
        message += "\n\n" + _kept(texts, changed)
        ui.error(message)
        return Outcome("Failed", changed, message)
    if result.program_ended:
        ui.error(message)
        return Outcome("NotRunning", changed, message)
    ui.info(message)
    return Outcome("Cancelled" if result.cancelled else "Done", changed, message)


def _kept(texts, changed):
    return texts["kept_none"] if changed == 0 else counted(texts, "kept", changed)


def _stopped(texts, result, changed):
    """The first line when a run stopped early, with what stays; None when it ran out."""
    if result.program_ended:
        return texts["program_ended"] + " " + _kept(texts, changed)
    if result.cancelled:
        return texts["cancelled"] + " " + _kept(texts, changed)
    return None


def _writer_message(texts, result):
    lines = [_stopped(texts, result, result.changed)]
    if lines[0] is None:
        if result.found:
            key = "writer_done_one" if result.found == 1 else "writer_done_other"
            lines[0] = texts[key] % (result.changed, result.found)
        else:
            lines[0] = texts["writer_none"]
    if result.missed:
        key = "missed_one" if result.missed == 1 else "missed_other"
        lines.append(texts[key] % (result.missed, result.missed_example))
    if result.in_changes:
        lines.append(counted(texts, "in_changes", result.in_changes))
    if result.in_boxes:
        lines.append(counted(texts, "in_boxes", result.in_boxes))
    return "\n\n".join(lines)


def _calc_message(texts, result):
    lines = [_stopped(texts, result, result.cells + result.formulas)]
    if lines[0] is None:
        lines[0] = texts["calc_done"] % (counted(texts, "cells", result.cells),
                                          counted(texts, "formulas", result.formulas))
    if result.plain_left:
        lines.append(counted(texts, "plain_left", result.plain_left))
    return "\n\n".join(lines)


def _sheet_name(doc):
    try:
        return doc.getCurrentController().getActiveSheet().getName()
    except Exception:
        return ""


def _changed_so_far(run):
    if run is None:
        return 0
    result = run.result
    return getattr(result, "changed", 0) + getattr(result, "cells", 0) + \
        getattr(result, "formulas", 0)


def _has_cell_selection(doc):
    try:
        selection = doc.getCurrentController().getSelection()
    except Exception:
        return False
    if _supports(selection, "com.sun.star.sheet.SheetCellRanges"):
        return True
    if _supports(selection, "com.sun.star.sheet.SheetCellRange") and \
            not _supports(selection, "com.sun.star.sheet.SheetCell"):
        return True
    return False


def _cells_to_convert(doc, selection_only):
    controller = doc.getCurrentController()
    if selection_only:
        return controller.getSelection()
    return controller.getActiveSheet()


def run_program_command(ui, item, command):
    """A menu entry that only asks the program to do something (show a window)."""
    try:
        reply = BusChannel().call(item, command)
    except NoBusModule:
        ui.error(ui.texts["no_dbus"])
        return
    except NotRunning:
        ui.error(ui.texts["not_running"])
        return
    except Refused as error:
        reply = error.reply
    if reply != "OK":
        ui.error(ui.texts["refused"] % reply)
