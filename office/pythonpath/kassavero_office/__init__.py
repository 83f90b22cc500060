# SPDX-License-Identifier: GPL-3.0-or-later
"""Kassavero's LibreOffice extension: converts the amounts of Writer documents and Calc
sheets through the running Kassavero program on the session bus."""
