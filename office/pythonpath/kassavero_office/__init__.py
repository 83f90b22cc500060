"""Kassavero's LibreOffice extension: converts the amounts of Writer documents and Calc
sheets through the running Kassavero program on the session bus."""
