# SPDX-License-Identifier: GPL-3.0-or-later
"""Converts the amounts of a Calc sheet through Kassavero.

A sheet says which cells are money by their number format: cells formatted in the source
currency are converted (constants and the constants inside their formulas) and get the
target currency's format; cells in any other currency, the target's included, never are;
plain numbers only when the user asks for them. Constant cells and the constants inside
formulas both go through the program's formula conversion ("convertexcelformula"), so
every number is rounded and confirmed by the program itself; a constant cell is handed
over as the formula "=<number>" with the first argument "constantcell", so the program
rounds it with the cell precision. Each formula goes over behind the cell's address in
quotes, which the program shows and never converts, and which tells that the reply is
this cell's. Text cells, empty cells, zero, dates, times, percentages and truth values are
never converted.
"""

import re
from decimal import Decimal

from .channel import (Cancelled, Foreign, NotRunning, Refused, Session, check_hand_over,
                      read_flag, read_int, read_setting)
from .screen import tell_amount_place
from .writer import Protected, ReadOnly

CODES = ["EUR", "ATS", "BEF", "DEM", "ESP", "FIM", "FRF", "IEP", "ITL", "NLG", "PTE",
         "CUS1", "CUS2", "CUS3"]

# com.sun.star.sheet.CellFlags and com.sun.star.util.NumberFormat
VALUE, FORMULA = 1, 16
DATE, TIME, CURRENCY, PERCENT, LOGICAL = 2, 4, 8, 128, 1024

# What a cell's number format says it holds.
PLAIN, OTHER, SKIP = "plain", "other", "skip"
# Signs that name a currency whatever the profile says.
_SIGNS = {"\u20ac": 0, "EUR": 0}
_BRACKET = re.compile(r"\[\$([^\]\-]*)(?:-[0-9A-Fa-f]+)?\]")

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


def has_constant(formula):
    """Whether a number stands in the formula outside strings, names and references."""
    numbers = []
    _scan(formula, lambda text: numbers.append(text) or text)
    return any(re.search(r"[1-9]", n) for n in numbers)


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
        self.plain_left = 0  # numbers without a currency format, left as the user chose
        self.cancelled = False
        self.program_ended = False


def format_symbol(code, currency_symbol, is_currency):
    """The currency sign a number format shows, or None: "[$DM-407]", a quoted "DM", or
    the locale's own sign of a currency format."""
    for match in _BRACKET.finditer(code):
        if match.group(1).strip():
            return match.group(1).strip()
    for literal in re.findall(r'"([^"]*)"', code):
        literal = literal.strip()
        if literal and not re.search(r"\d", literal):
            return literal
    if is_currency and currency_symbol and currency_symbol in code:
        return currency_symbol
    return None


def cell_label(cell):
    """The cell's address as the user reads it, "Sheet1.B2", for the program's window."""
    name = cell.AbsoluteName.replace("$", "").replace('"', "")
    return '"%s" ' % name


class CalcConversion:
    """One run of "Convert amounts" over a Calc document."""

    def __init__(self, doc, channel, source, target, cells, decimal_separator=".",
                 refresh=lambda: None, plain_numbers=False):
        self.doc = doc
        self.channel = channel
        self.source = source
        self.target = target
        self.cells = cells  # a cell range or ranges object
        self.separator = decimal_separator
        self.refresh = refresh  # lets the office draw before a question
        self.plain_numbers = plain_numbers
        self.result = Result()
        self._formats = doc.getNumberFormats()
        self._target_symbol = None
        self._kinds = {}  # number format key -> what its cells hold
        self._symbols = {}  # currency sign -> currency index, or None
        self._standard = {}  # number format key -> whether it is its type's standard
        self._switched = {}  # (number format key, kind) -> the target's format key

    # ---- What a cell holds ----

    def currency_of_symbol(self, symbol):
        """The currency index a sign stands for, or None. The program's own recognition
        decides, as it does in a text."""
        if symbol in self._symbols:
            return self._symbols[symbol]
        index = _SIGNS.get(symbol)
        if index is None and symbol in CODES:
            index = CODES.index(symbol)
        if index is None and symbol == self._symbol():
            index = self.target
        if index is None:
            for text in ("1 " + symbol, symbol + " 1"):
                listed = self.channel.list_changes("LibreOffice Calc", text)
                if listed:
                    code = listed[0][3]
                    index = CODES.index(code) if code in CODES else None
                    break
        self._symbols[symbol] = index
        return index

    def kind_of_format(self, key):
        """A currency index, PLAIN, OTHER (a currency that is not ours to convert) or SKIP
        (dates, times, percentages, truth values)."""
        if key in self._kinds:
            return self._kinds[key]
        try:
            properties = self._formats.getByKey(key)
            kind = properties.getPropertyValue("Type")
            code = properties.getPropertyValue("FormatString")
            sign = properties.getPropertyValue("CurrencySymbol")
        except Exception:
            kind, code, sign = 0, "", ""
        if kind & (DATE | TIME | PERCENT | LOGICAL):
            result = SKIP
        else:
            symbol = format_symbol(code, sign, bool(kind & CURRENCY))
            index = self.currency_of_symbol(symbol) if symbol else None
            if index is not None:
                result = index
            elif kind & CURRENCY or (symbol and _BRACKET.search(code)):
                result = OTHER
            else:
                result = PLAIN
        self._kinds[key] = result
        return result

    def _numbers(self):
        """(sheet, row, column, stretch, kind, value, whether a formula) of each cell holding
        a number or a formula
        with a number result, in reading order. The stretches share one number format, so
        the format is read once for many cells and their contents in one call each."""
        found = self.cells.queryContentCells(VALUE | FORMULA)
        sheets = self.doc.getSheets()
        result = []
        for address in found.getRangeAddresses():
            block = sheets.getByIndex(address.Sheet).getCellRangeByPosition(
                address.StartColumn, address.StartRow, address.EndColumn, address.EndRow)
            stretches = block.getCellFormatRanges()
            for i in range(stretches.getCount()):
                stretch = stretches.getByIndex(i)
                key = stretch.getPropertyValue("NumberFormat")
                kind = self.kind_of_format(key)
                if kind == SKIP:
                    continue
                # A formula without a format of its own shows the standard format of the
                # type Calc guesses for its result: that says nothing about the currency.
                guessed = kind != PLAIN and self._is_standard(key)
                at = stretch.getRangeAddress()
                data = stretch.getDataArray()
                formulas = stretch.getFormulaArray()
                for r, row in enumerate(data):
                    for c, value in enumerate(row):
                        if not isinstance(value, float):
                            continue  # empty, text, or a formula with a text result
                        formula = formulas[r][c].startswith("=")
                        own = PLAIN if guessed and formula else kind
                        result.append((at.Sheet, at.StartRow + r, at.StartColumn + c, stretch,
                                       own, value, formula))
        result.sort(key=lambda item: item[:3])
        return result

    def _is_standard(self, key):
        if key not in self._standard:
            properties = self._formats.getByKey(key)
            self._standard[key] = key == self._formats.getStandardFormat(
                properties.getPropertyValue("Type"), properties.getPropertyValue("Locale"))
        return self._standard[key]

    def cells_to_convert(self):
        """The cells of the run with what each holds, in reading order; cells in another
        currency (the target's included) and dates are left out; plain numbers are
        counted and left unless the user asked for them."""
        result = []
        for sheet, row, column, stretch, kind, value, formula in self._numbers():
            if kind == self.source or (kind == PLAIN and self.plain_numbers):
                at = stretch.getRangeAddress()
                cell = stretch.getCellByPosition(column - at.StartColumn, row - at.StartRow)
                result.append((sheet, cell, kind))
            elif kind == PLAIN and value != 0 and not formula:
                self.result.plain_left += 1
        return result

    def suggested_source(self, target):
        """The currency most cells are formatted in, other than the target; None when no
        cell says."""
        counts = {}
        for _, _, _, _, kind, _, _ in self._numbers():
            if isinstance(kind, int) and kind != target:
                counts[kind] = counts.get(kind, 0) + 1
        return max(counts, key=counts.get) if counts else None

    # ---- The run ----

    def run(self, settings):
        """Converts; returns the Result. Raises ReadOnly or Protected before changing
        anything when the document or a cell to convert may not change."""
        self._use_symbols = settings.use_currency_symbols
        self._confirm = settings.confirm
        if self.doc.isReadonly():
            raise ReadOnly()
        cells = self.cells_to_convert()
        sheets = self.doc.getSheets()
        protected = {}
        for sheet, cell, _ in cells:
            if sheet not in protected:
                protected[sheet] = sheets.getByIndex(sheet).isProtected()
            if protected[sheet] and cell.CellProtection.IsLocked:
                raise Protected(cell.AbsoluteName)
        controller = self.doc.getCurrentController()
        try:
            selection = controller.getSelection()
        except Exception:
            selection = None
        undo = self.doc.getUndoManager()
        undo.enterUndoContext("Kassavero")
        # The run is a session of the program's, so its confirmation window goes away at
        # the end, as after a text's conversion.
        session = Session(self.channel, "LibreOffice Calc", False)
        try:
            for _, cell, kind in cells:
                if not self._convert_cell(cell, kind):
                    self.result.cancelled = True
                    break
        finally:
            undo.leaveUndoContext()
            if selection is not None and not self.result.cancelled:
                try:
                    controller.select(selection)
                except Exception:
                    pass
            try:
                session.close()
            except NotRunning:
                self.result.program_ended = self.result.cancelled
            except Exception:
                pass
        return self.result

    def _convert(self, cell, formula, constant_cell=False):
        text, names = to_program_formula(formula, self.separator)
        if text is None or not has_constant(formula):
            return formula
        label = cell_label(cell)
        check_hand_over(self.channel.call("filter", "transfertext:" + label + text))
        kind = ("constantcell" if self._confirm else "quietcell") if constant_cell else ""
        if kind != "quietcell":
            # The cell in question is in view and selected while the program asks.
            try:
                self.doc.getCurrentController().select(cell)
            except Exception:
                pass
            self.refresh()
            tell_amount_place(self.channel, self.doc, self.refresh)
        reply = self.channel.call("filter", "convertexcelformula(%s,%d,%d)" % (
            kind, self.source, self.target))
        if reply == "CANCEL":
            raise Cancelled()
        if reply.startswith("ERROR."):
            raise Refused(reply)
        if not reply.startswith(label):
            raise Foreign(reply)
        reply = reply[len(label):]
        if not reply.startswith("="):
            raise Refused(reply)
        return from_program_formula(reply, self.separator, names)

    def _convert_cell(self, cell, kind):
        """Returns False when the user cancelled."""
        try:
            formula = cell.getFormula()
            if formula.startswith("="):
                if cell.getArrayFormula() or "\n" in formula:
                    return True
                new = self._convert(cell, formula) if re.search(r"\d", formula) else formula
                changed = new != formula
                if changed:
                    had_error = cell.getError() != 0
                    cell.setFormula(new)
                    if cell.getError() != 0 and not had_error:
                        # Calc cannot read what came back: keep the formula as it was.
                        cell.setFormula(formula)
                        raise ValueError("%s: %s" % (cell.AbsoluteName, new))
                # A formula formatted in the source currency computes in the target now,
                # whether or not its text changed.
                if changed or kind == self.source:
                    self.result.formulas += 1
                    self._switch_currency_format(cell, kind)
                return True
            value = cell.getValue()
            if value == 0:
                # Zero stays zero, but shows the currency of its neighbours.
                if kind == self.source:
                    self._switch_currency_format(cell, kind)
                return True
            new = self._convert(cell, "=" + number_text(value), constant_cell=True)
            if new != "=" + number_text(value):
                try:
                    converted = float(new[1:])
                except ValueError:
                    raise Refused(new)
                cell.setValue(converted)
                self.result.cells += 1
                self._switch_currency_format(cell, kind)
            return True
        except Cancelled:
            return False

    def _switch_currency_format(self, cell, kind):
        """The cell shows the target currency from now on: a currency format gets the
        target's sign, a plain number the locale's currency format with it."""
        if not self._use_symbols:
            return
        key = cell.getPropertyValue("NumberFormat")
        if (key, kind) not in self._switched:
            self._switched[key, kind] = self._target_format(key, kind)
        if self._switched[key, kind] is not None:
            cell.setPropertyValue("NumberFormat", self._switched[key, kind])

    def _target_format(self, key, kind):
        """The key of the format that shows the target currency instead, None to keep."""
        properties = self._formats.getByKey(key)
        code = properties.getPropertyValue("FormatString")
        locale = properties.getPropertyValue("Locale")
        symbol = self._symbol()
        if kind == PLAIN:
            standard = self._formats.getByKey(self._formats.getStandardFormat(CURRENCY, locale))
            code = standard.getPropertyValue("FormatString")
            old = standard.getPropertyValue("CurrencySymbol")
        else:
            old = format_symbol(code, properties.getPropertyValue("CurrencySymbol"), True)
        if "[$" in code and _BRACKET.search(code).group(1).strip():
            new_code = _BRACKET.sub(lambda m: "[$" + symbol + m.group(0)[2 + len(m.group(1)):]
                                    if m.group(1).strip() else m.group(0), code)
        elif old and '"%s"' % old in code:
            new_code = code.replace('"%s"' % old, "[$%s]" % symbol)
        elif old and old in code:
            new_code = code.replace(old, "[$%s]" % symbol)
        else:
            return None
        if new_code == code and kind != PLAIN:
            return None
        new_key = self._formats.queryKey(new_code, locale, False)
        if new_key == -1:
            new_key = self._formats.addNew(new_code, locale)
        return new_key

    def _symbol(self):
        if self._target_symbol is None:
            code = CODES[self.target] if 0 <= self.target < len(CODES) else "EUR"
            symbol = read_setting(self.channel, "Output%sCurrencySymbol" % code, code)
            # Characters with a meaning in format codes cannot stand in the bracket.
            self._target_symbol = re.sub(r'[\[\]";\-]', "", symbol) or code
        return self._target_symbol
