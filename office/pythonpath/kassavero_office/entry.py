# SPDX-License-Identifier: GPL-3.0-or-later
"""What the menu entries and the toolbar button run."""

import re
import subprocess

from . import calc, writer
from .channel import BusChannel, NoBusModule, NoSession, NotRunning, Refused


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
            if result.program_ended:
                message = texts["program_ended"] % changed
            elif result.cancelled:
                message = texts["cancelled"] % changed
            elif result.found:
                message = texts["writer_done"] % (changed, result.found)
            else:
                message = texts["writer_none"]
        else:
            settings = calc.CalcSettings(channel)
            choice = ui.choose_currencies(settings, _has_cell_selection(doc))
            if choice is None:
                return Outcome("Declined")
            source, target, selection_only = choice
            cells = _cells_to_convert(doc, selection_only)
            run = calc.CalcConversion(doc, channel, source, target, cells,
                                      calc.program_decimal_separator(
                                          channel, program_decimal_separator()), ui.refresh)
            result = run.run(settings)
            changed = result.cells + result.formulas
            if result.program_ended:
                message = texts["program_ended"] % changed
            elif result.cancelled:
                message = texts["cancelled"] % changed
            else:
                message = texts["calc_done"] % (result.cells, result.formulas)
    except (writer.ReadOnly, writer.Protected) as error:
        message = texts["read_only" if isinstance(error, writer.ReadOnly) else "protected"]
        ui.error(message)
        return Outcome("Refused", 0, message)
    except (NotRunning, Refused) as error:
        changed = _changed_so_far(run)
        if isinstance(error, NoSession):
            message = texts["no_session"]
        elif isinstance(error, Refused):
            message = texts["refused"] % error.reply
        else:
            message = texts["lost"]
        if changed:
            message += texts["kept"] % changed
        ui.error(message)
        return Outcome("NotRunning" if isinstance(error, NotRunning) else "Refused", changed,
                       message)
    except Exception as error:  # the document refused a change (protected, read-only)
        changed = _changed_so_far(run)
        message = texts["failed"] % getattr(error, "Message", error)
        if changed:
            message += texts["kept"] % changed
        ui.error(message)
        return Outcome("Failed", changed, message)
    if result.program_ended:
        ui.error(message)
        return Outcome("NotRunning", changed, message)
    ui.info(message)
    return Outcome("Cancelled" if result.cancelled else "Done", changed, message)


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
