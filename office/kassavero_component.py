"""The UNO component behind the menu entries, the toolbar button and scripted runs."""

import unohelper
from com.sun.star.beans import NamedValue
from com.sun.star.task import XJob, XJobExecutor

IMPLEMENTATION = "org.kassavero.office.Converter"


def _named(name, value):
    pair = NamedValue()
    pair.Name = name
    pair.Value = value
    return pair


class Converter(unohelper.Base, XJobExecutor, XJob):
    def __init__(self, ctx):
        self.ctx = ctx

    # Menu entries and the toolbar: service:org.kassavero.office.Converter?<command>
    def trigger(self, command):
        from kassavero_office import entry, ui
        desktop = self.ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", self.ctx)
        office_ui = ui.OfficeUi(self.ctx, desktop.getCurrentFrame())
        if command == "convert":
            entry.convert_document(desktop.getCurrentComponent(), office_ui)
        elif command == "calculator":
            entry.run_program_command(office_ui, "calculator", "show")
        elif command == "settings":
            entry.run_program_command(office_ui, "settings", "showdialog")

    # Scripted runs (macros, tests): Document, and for Calc Source, Target and
    # SelectionOnly; the answer holds Outcome, Changed and Message.
    def execute(self, arguments):
        from kassavero_office import entry, ui
        values = {pair.Name: pair.Value for pair in arguments}
        scripted = ui.ScriptedUi(values.get("Source"), values.get("Target"),
                                 values.get("SelectionOnly", False),
                                 values.get("Language", "en"))
        outcome = entry.convert_document(values["Document"], scripted)
        return (_named("Outcome", outcome.kind), _named("Changed", outcome.changed),
                _named("Message", "\n".join(scripted.messages)))


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(Converter, IMPLEMENTATION, (IMPLEMENTATION,))
