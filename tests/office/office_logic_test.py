# SPDX-License-Identifier: GPL-3.0-or-later
"""The parts of the LibreOffice extension that need no office: formula and number texts,
reply fields, the pieces a paragraph is handed over in.

    office_logic_test.py PYTHONPATH_DIR
"""

import re
import sys
import unittest

sys.path.insert(0, sys.argv.pop(1))

from kassavero_office import calc, channel, texts, writer  # noqa: E402


class FormulaText(unittest.TestCase):
    def test_numbers_take_the_program_separator_and_come_back(self):
        cases = [
            # formula, separator, as the program sees it, quoted names hidden
            ("=100+A1*2", ",", "=100+A1*2", []),
            ("=A1*1.95583", ",", "=A1*1,95583", []),
            ("=$Sheet1.A1*0.5", ",", "=$Sheet1.A1*0,5", []),
            ('=IF(A1>0.5;"1.5 DM";2.25)', ",", '=IF(A1>0,5;"1.5 DM";2,25)', []),
            ("='Sheet 2'.B3*1.5", ",", "=_KvQ0_.B3*1,5", ["'Sheet 2'"]),
            ("='It''s 9'.A1+'x 3'.A2", ".", "=_KvQ0_.A1+_KvQ1_.A2", ["'It''s 9'", "'x 3'"]),
            ("=LOG10(A1)+.5", ",", "=LOG10(A1)+,5", []),
        ]
        for formula, separator, program, names in cases:
            with self.subTest(formula=formula):
                text, hidden = calc.to_program_formula(formula, separator)
                self.assertEqual(text, program)
                self.assertEqual(hidden, names)
                self.assertEqual(calc.from_program_formula(text, separator, hidden), formula)

    def test_converted_numbers_come_back_with_a_point(self):
        text, names = calc.to_program_formula("='Sheet 2'.B3*1.5+100", ",")
        self.assertEqual(calc.from_program_formula("=_KvQ0_.B3*0,77+51,13", ",", names),
                         "='Sheet 2'.B3*0.77+51.13")

    def test_a_formula_with_a_placeholder_lookalike_is_not_sent(self):
        self.assertEqual(calc.to_program_formula("=_KvQ0_+1", "."), (None, []))

    def test_cell_values_are_plain_decimals(self):
        for value, text in [(100.0, "100"), (12.5, "12.5"), (-0.25, "-0.25"),
                            (1e-07, "0.0000001"), (1.5e20, "150000000000000000000"),
                            (0.1 + 0.2, "0.30000000000000004")]:
            with self.subTest(value=value):
                self.assertEqual(calc.number_text(value), text)


class Replies(unittest.TestCase):
    def test_item_texts_lose_brackets_and_line_end(self):
        for lines, reply in [("[OK]\r\n", "OK"), ("[YES;;51,13 \u20ac;]\r\n", "YES;;51,13 \u20ac;"),
                             ("OK", "OK"), ("[]\r\n", ""), ("[a]\r\n[b]\r\n", "a")]:
            self.assertEqual(channel.unwrap_reply(lines), reply)

    def test_escaped_fields(self):
        self.assertEqual(channel.split_escaped_fields(r"a\;b;;c\d"), ["a;b", "", r"c\d"])

    def test_arguments_are_quoted_whole(self):
        self.assertEqual(channel.quoted('Wri"ter, 1;(x)\\'), r'"Wri\"ter, 1;(x)\\"')

    def test_command_text_has_no_line_breaks_but_keeps_the_lines_apart(self):
        self.assertEqual(channel.as_program_text("a\nb\tc\r\x00\ud800\U0001F600"),
                         "a\vb c\f \ufffc\U0001F600")


class Checks(unittest.TestCase):
    def test_a_found_amount_must_be_the_one_reported(self):
        for found, amount, same in [("1.234,56 DM", "1234.56", True), ("12,50 DM", "12.5", True),
                                    ("DM 0,50", "0,5", True), ("100 DM", "999", False),
                                    ("zehn DM", "10", True), ("1 Mio. Lit.", "1E+06", True),
                                    ("Pos. 100", "100.01", False)]:
            with self.subTest(found=found):
                self.assertEqual(channel.amount_matches(found, amount), same)

    def test_the_currency_sign_of_a_number_format(self):
        for code, sign, currency, symbol in [
                ("#,##0.00 [$DM-407]", "DM", True, "DM"),
                ("[$$-409]#,##0.00;[RED]-[$$-409]#,##0.00", "$", True, "$"),
                ('#,##0.00 "DM"', "", False, "DM"),
                ("#,##0.00 \u20ac", "\u20ac", True, "\u20ac"),
                ("[$-407]#,##0.00", "", False, None),
                ('0 "Stk. 1"', "", False, None), ("General", "", False, None)]:
            with self.subTest(code=code):
                self.assertEqual(calc.format_symbol(code, sign, currency), symbol)

    def test_counts_take_their_number(self):
        de, fr = texts.TEXTS["de"], texts.TEXTS["fr"]
        self.assertEqual(texts.counted(de, "formulas", 1), "1 Formel")
        self.assertEqual(texts.counted(de, "formulas", 0), "0 Formeln")
        self.assertEqual(texts.counted(fr, "formulas", 0), "0 formule")


class Texts(unittest.TestCase):
    def test_every_language_has_every_text_with_the_same_placeholders(self):
        english = texts.TEXTS["en"]
        self.assertEqual(sorted(texts.TEXTS), ["de", "en", "es", "fr", "it", "nl"])
        for language, table in texts.TEXTS.items():
            self.assertEqual(sorted(table), sorted(english), language)
            for key, text in table.items():
                with self.subTest(language=language, key=key):
                    self.assertEqual(re.findall("%[ds]", text), re.findall("%[ds]", english[key]))
                    self.assertLessEqual(text.count("~"), 1)


class Pieces(unittest.TestCase):
    def test_short_paragraphs_go_whole_and_digitless_ones_not_at_all(self):
        self.assertEqual(writer.pieces("Preis: 100 DM"), [(0, 13, 13)])
        self.assertEqual(writer.pieces("Ohne Betrag."), [])
        self.assertEqual(writer.pieces(""), [])

    def test_long_paragraphs_are_cut_between_words_and_searched_beyond_the_cut(self):
        text = " ".join("FRF %d,00" % i for i in range(1500))
        cuts = writer.pieces(text)
        self.assertGreater(len(cuts), 3)
        self.assertEqual(cuts[0][0], 0)
        self.assertEqual(cuts[-1][1], len(text))
        for (_, end, search_end), (start, _, _) in zip(cuts, cuts[1:]):
            self.assertEqual(end, start)
            self.assertEqual(text[start - 1], " ")  # never inside a word
            # Whatever begins before the cut is read with the words after it.
            self.assertGreaterEqual(len(text[end:search_end].split()), 16)

    def test_punctuation_counts_as_words(self):
        text = "(" * 5000 + " 100 DM"
        for start, end, _ in writer.pieces(text):
            self.assertLessEqual(end - start, writer.MAX_PIECE_WORDS + 1)


if __name__ == "__main__":
    unittest.main()
