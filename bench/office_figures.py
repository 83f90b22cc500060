# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives a headless LibreOffice for bench/office_figures.sh: installs the extension,
builds a price list of 3,000 amounts on 58 pages and times the extension's conversion
of it.

    office_figures.py PIPE install OXT
    office_figures.py PIPE writer TEXT_FILE   (also writes the list as plain text there)
    office_figures.py PIPE calc ROWS          a price list of ROWS rows, whole sheet
"""

import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "office"))
import office_driver  # noqa: E402


def price_list(lines):
    return ["Artikel %04d, Lieferung frei Haus ........ %d,%02d DM" % (i, i % 997 + 1, i % 100)
            for i in range(lines)]


def calc_price_list(office, rows):
    """Article number and quantity (plain numbers), a price in DM and its total."""
    doc = office.new("scalc")
    sheet = doc.getSheets().getByIndex(0)
    dm = office_driver.number_format(doc, "#,##0.00 [$DM-407]")
    sheet.getCellRangeByName("C1:D%d" % rows).NumberFormat = dm
    sheet.getCellRangeByName("A1:D%d" % rows).setFormulaArray(tuple(
        (str(4000 + i), str(i % 50 + 1), "%d.%02d" % (i % 997 + 1, i % 100),
         "=B%d*C%d" % (i + 1, i + 1)) for i in range(rows)))
    return doc


def calc(office, rows):
    doc = calc_price_list(office, rows)
    start = time.monotonic()
    answer = office.convert(doc, Source=3, Target=0)
    elapsed = time.monotonic() - start
    print("Calc, %d rows whole sheet: %s cells and formulas converted: %.2f s" % (
        rows, answer["Changed"], elapsed))
    doc.close(True)
    return 0


def main():
    office = office_driver.OFFICE = office_driver.Office(sys.argv[1])
    if sys.argv[2] == "install":
        office_driver.install(office, sys.argv[3])
        return 0
    if sys.argv[2] == "calc":
        return calc(office, int(sys.argv[3]))
    lines = price_list(3000)
    with open(sys.argv[3], "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    doc = office_driver.writer_doc(*lines)
    pages = doc.getCurrentController().PageCount
    start = time.monotonic()
    answer = office.convert(doc)
    elapsed = time.monotonic() - start
    print("Writer, %d pages, %s of 3000 amounts converted: %.2f s" % (pages, answer["Changed"],
                                                                      elapsed))
    doc.close(True)
    return 0 if answer["Changed"] == 3000 else 1


if __name__ == "__main__":
    code = main()
    # Left to the interpreter's shutdown, the UNO bridge now and then crashes on its way out.
    sys.stdout.flush()
    sys.stderr.flush()
    os._exit(code)
