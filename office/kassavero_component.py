# SPDX-License-Identifier: GPL-3.0-or-later
"""The UNO components behind the menu entries, the toolbar button and scripted runs."""

import unohelper
from com.sun.star.beans import NamedValue
from com.sun.star.frame import XDispatch, XDispatchProvider
from com.sun.star.lang import XInitialization, XServiceInfo
from com.sun.star.task import XJob, XJobExecutor

IMPLEMENTATION = "org.kassavero.office.Converter"
HANDLER = "org.kassavero.office.Commands"
PROTOCOL = "org.kassavero.office:"


def _named(name, value):
    pair = NamedValue()
    pair.Name = name
    pair.Value = value
    return pair


def _run(ctx, frame, command):
    """A menu command on the document of the frame it came from."""
    from kassavero_office import entry, ui
    office_ui = ui.OfficeUi(ctx, frame)
    if command == "convert":
        document = frame.getController().getModel() if frame is not None else None
        entry.convert_document(document, office_ui)
    elif command == "calculator":
        entry.run_program_command(office_ui, "calculator", "show")
    elif command == "settings":
        entry.run_program_command(office_ui, "settings", "showdialog")


class Commands(unohelper.Base, XDispatchProvider, XDispatch, XInitialization, XServiceInfo):
    """The protocol handler of the menu and the toolbar: LibreOffice creates one per frame
    and hands it that frame, so a command always works on its own window's document."""

    def __init__(self, ctx):
        self.ctx = ctx
        self.frame = None

    def initialize(self, arguments):
        if arguments:
            self.frame = arguments[0]

    def queryDispatch(self, url, target, flags):
        return self if url.Complete.startswith(PROTOCOL) else None

    def queryDispatches(self, requests):
        return tuple(self.queryDispatch(r.FeatureURL, r.FrameName, r.SearchFlags)
                     for r in requests)

    def dispatch(self, url, arguments):
        _run(self.ctx, self.frame, url.Complete[len(PROTOCOL):])

    def addStatusListener(self, listener, url):
        pass

    def removeStatusListener(self, listener, url):
        pass

    def getImplementationName(self):
        return HANDLER

    def supportsService(self, name):
        return name == "com.sun.star.frame.ProtocolHandler"

    def getSupportedServiceNames(self):
        return ("com.sun.star.frame.ProtocolHandler",)


class Converter(unohelper.Base, XJobExecutor, XJob):
    def __init__(self, ctx):
        self.ctx = ctx

    # service:org.kassavero.office.Converter?<command>: the document in front.
    def trigger(self, command):
        desktop = self.ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.Desktop", self.ctx)
        _run(self.ctx, desktop.getCurrentFrame(), command)

    # Scripted runs (macros, tests): Document, and for Calc Source, Target, SelectionOnly
    # and PlainNumbers; the answer holds Outcome, Changed and Message.
    def execute(self, arguments):
        from kassavero_office import entry, ui
        values = {pair.Name: pair.Value for pair in arguments}
        scripted = ui.ScriptedUi(values.get("Source"), values.get("Target"),
                                 values.get("SelectionOnly", False),
                                 values.get("Language", "en"), self.ctx,
                                 values.get("PlainNumbers", False))
        outcome = entry.convert_document(values["Document"], scripted)
        return (_named("Outcome", outcome.kind), _named("Changed", outcome.changed),
                _named("Message", "\n".join(scripted.messages)))


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(Converter, IMPLEMENTATION, (IMPLEMENTATION,))
g_ImplementationHelper.addImplementation(Commands, HANDLER,
                                         ("com.sun.star.frame.ProtocolHandler",))
