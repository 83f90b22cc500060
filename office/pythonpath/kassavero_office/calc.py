# SPDX-License-Identifier: GPL-3.0-or-later
"""Converts the amounts of a Calc sheet through Kassavero.

Constant cells and the constants inside formulas both go through the program's formula
conversion ("convertexcelformula"), so every number is rounded and confirmed by the
program itself; a constant cell is handed over as the formula "=<number>" with the first
argument "constantcell", so the program rounds it with the cell precision. Text cells,
empty cells, zero, dates, times, percentages and truth values are never touched.
"""

import re
from decimal import Decimal

from .channel import (Cancelled, NotRunning, Refused, Session, read_flag, read_int,
                      read_setting)

CODES = ["EUR", "ATS", "BEF", "DEM", "ESP", "FIM", "FRF", "IEP", "ITL", "NLG", "PTE",
         "CUS1", "CUS2", "CUS3"]

# com.sun.star.sheet.CellFlags and com.sun.star.util.NumberFormat
VALUE, FORMULA = 1, 16
DATE, TIME, CURRENCY, PERCENT, LOGICAL = 2, 4, 8, 128, 1024

# Placeholders for quoted sheet names while a formula is at the program: a name to it,
# so the digits of "'Sheet 2'" are never taken for a constant.
_PLACEHOLDER = "_KvQ%d_"


class CalcSettings:
    def __init__(self, channel):
        # Constant cells are asked about as the profile asks about changes in a text;
        # constants inside formulas always are, as the program's formula conversion does.
        self.confirm = read_flag(channel, "WordConfirmChanges", True)
        self.use_currency_symbols = read_flag(channel, "ExcelUseCurrencySymbols", True)
        self.source = read_int(channel, "InputDefaultCurrency", -1)
        self.target = read_int(channel, "OutputDefaultCurrency", 0)
        # Codes of the custom currencies; an empty one is not defined.
        self.custom = [read_setting(channel, "CustomCurrency%dSymbol" % n, "") for n in (1, 2, 3)]

    def currencies(self):
        """(index, label) of the currencies one can convert between."""
        result = [(i, CODES[i]) for i in range(11)]
        for n, code in enumerate(self.custom):
            if code:
                result.append((11 + n, code))
        return result


def _scan(formula, convert_number):
    """Copies a formula, passing each number literal outside strings, quoted names and
    names through convert_number."""
    out = []
    i = 0
    n = len(formula)
    while i < n:
        c = formula[i]
        if c in "\"'":
            j = i + 1
            while j < n:
                if formula[j] == c:
                    if j + 1 < n and formula[j + 1] == c:
                        j += 2
                        continue
                    break
                j += 1
            out.append(formula[i:j + 1])
            i = j + 1
        elif c.isalpha() or c in "$_\\":
            j = i + 1
            while j < n and (formula[j].isalnum() or formula[j] in "$_\\"):
                j += 1
            out.append(formula[i:j])
            i = j
        elif c.isdigit() or c in ".,":
            j = i + 1
            while j < n and (formula[j].isdigit() or formula[j] in ".,"):
                j += 1
            out.append(convert_number(formula[i:j]))
            i = j
        else:
            out.append(c)
            i += 1
    return "".join(out)


def to_program_formula(formula, separator):
    """The formula as the program reads it: numbers with its decimal separator, quoted
    sheet names hidden behind placeholder names. Returns the text and the names."""
    names = []
    if _PLACEHOLDER.split("%")[0] in formula:
        return None, names

    def hide_names(text):
        def replace(match):
            names.append(match.group(0))
            return _PLACEHOLDER % (len(names) - 1)
        return re.sub(r"'(?:[^']|'')*'", replace, text)

    def number(text):
        return text.replace(".", separator) if re.search(r"\d", text) else text
    # Strings first keep their own quotes; then quoted names become placeholders.
    converted = _scan(formula, number)
    pieces = re.split(r'("(?:[^"]|"")*")', converted)
    converted = "".join(p if p.startswith('"') else hide_names(p) for p in pieces)
    return converted, names


def from_program_formula(formula, separator, names):
    def number(text):
        return text.replace(separator, ".")
    result = _scan(formula, number) if separator != "." else formula
    for i, name in enumerate(names):
        result = result.replace(_PLACEHOLDER % i, name)
    return result


def program_decimal_separator(channel, default):
    """The decimal separator the program reads and writes formula numbers with, whatever
    locale this office runs in; an older program cannot tell, and the default holds."""
    reply = channel.call("settings", "decimalseparator")
    return reply if len(reply) == 1 and not reply.isalnum() else default


def number_text(value):
    """A cell's value as a plain decimal number with "." (no exponent)."""
    text = format(Decimal(repr(value)), "f")
    if "." in text:
        text = text.rstrip("0").rstrip(".")
    return text


class Result:
    def __init__(self):
        self.cells = 0
        self.formulas = 0
        self.cancelled = False
        self.program_ended = False


class CalcConversion:
    """One run of "Convert amounts" over a Calc document."""

    def __init__(self, doc, channel, source, target, cells, decimal_separator=".",
                 refresh=lambda: None):
        self.doc = doc
        self.channel = channel
        self.source = source
        self.target = target
        self.cells = cells  # a cell range or ranges object
        self.separator = decimal_separator
        self.refresh = refresh  # lets the office draw before a question
        self.result = Result()
        self._formats = doc.getNumberFormats()
        self._target_symbol = None

    def run(self, settings):
        self._use_symbols = settings.use_currency_symbols
        self._confirm = settings.confirm
        undo = self.doc.getUndoManager()
        undo.enterUndoContext("Kassavero")
        # The run is a session of the program's, so its confirmation window goes away at
        # the end, as after a text's conversion.
        session = Session(self.channel, "LibreOffice Calc", False)
        try:
            found = self.cells.queryContentCells(VALUE | FORMULA)
            cells = found.getCells().createEnumeration()
            while cells.hasMoreElements():
                if not self._convert_cell(cells.nextElement()):
                    self.result.cancelled = True
                    break
        finally:
            undo.leaveUndoContext()
            try:
                session.close()
            except NotRunning:
                self.result.program_ended = self.result.cancelled
            except Exception:
                pass
        return self.result

    def _convert(self, formula, constant_cell=False):
        text, names = to_program_formula(formula, self.separator)
        if text is None:
            return formula
        self.channel.send("filter", "transfertext:" + text)
        kind = ("constantcell" if self._confirm else "quietcell") if constant_cell else ""
        if kind != "quietcell":
            self.refresh()
        reply = self.channel.call("filter", "convertexcelformula(%s,%d,%d)" % (
            kind, self.source, self.target))
        if reply == "CANCEL":
            raise Cancelled()
        if reply.startswith("ERROR.") or not reply.startswith("="):
            raise Refused(reply)
        return from_program_formula(reply, self.separator, names)

    def _convert_cell(self, cell):
        """Returns False when the user cancelled."""
        try:
            formula = cell.getFormula()
            if formula.startswith("="):
                if cell.getArrayFormula() or "\n" in formula or not re.search(r"\d", formula):
                    return True
                new = self._convert(formula)
                if new != formula:
                    had_error = cell.getError() != 0
                    cell.setFormula(new)
                    if cell.getError() != 0 and not had_error:
                        # Calc cannot read what came back: keep the formula as it was.
                        cell.setFormula(formula)
                        raise ValueError("%s: %s" % (cell.AbsoluteName, new))
                    self.result.formulas += 1
                    self._switch_currency_format(cell)
                return True
            value = cell.getValue()
            if self._format_type(cell) & (DATE | TIME | PERCENT | LOGICAL):
                return True
            if value == 0:
                # Zero stays zero, but shows the currency of its neighbours.
                self._switch_currency_format(cell)
                return True
            new = self._convert("=" + number_text(value), constant_cell=True)
            if new != "=" + number_text(value):
                try:
                    converted = float(new[1:])
                except ValueError:
                    raise Refused(new)
                cell.setValue(converted)
                self.result.cells += 1
                self._switch_currency_format(cell)
            return True
        except Cancelled:
            return False

    def _format_type(self, cell):
        try:
            key = cell.getPropertyValue("NumberFormat")
            return self._formats.getByKey(key).getPropertyValue("Type")
        except Exception:
            return 0

    def _switch_currency_format(self, cell):
        """A currency format shows the target currency's symbol from now on."""
        if not self._use_symbols or not self._format_type(cell) & CURRENCY:
            return
        key = cell.getPropertyValue("NumberFormat")
        properties = self._formats.getByKey(key)
        code = properties.getPropertyValue("FormatString")
        locale = properties.getPropertyValue("Locale")
        symbol = self._symbol()
        if "[$" in code:
            new_code = re.sub(r"\[\$[^\]\-]*", lambda m: "[$" + symbol, code)
        else:
            old = properties.getPropertyValue("CurrencySymbol")
            if not old or old not in code:
                return
            new_code = code.replace(old, "[$%s]" % symbol)
        if new_code == code:
            return
        new_key = self._formats.queryKey(new_code, locale, False)
        if new_key == -1:
            new_key = self._formats.addNew(new_code, locale)
        cell.setPropertyValue("NumberFormat", new_key)

    def _symbol(self):
        if self._target_symbol is None:
            code = CODES[self.target] if 0 <= self.target < len(CODES) else "EUR"
            symbol = read_setting(self.channel, "Output%sCurrencySymbol" % code, code)
            # Characters with a meaning in format codes cannot stand in the bracket.
            self._target_symbol = re.sub(r'[\[\]";\-]', "", symbol) or code
        return self._target_symbol
