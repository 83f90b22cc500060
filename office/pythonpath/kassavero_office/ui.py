# SPDX-License-Identifier: GPL-3.0-or-later
"""Message boxes and the currency choice, in LibreOffice's interface language."""

import os

import uno
from com.sun.star.beans import PropertyValue

from .texts import TEXTS


def ui_language(ctx):
    try:
        provider = ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.configuration.ConfigurationProvider", ctx)
        node = PropertyValue()
        node.Name = "nodepath"
        node.Value = "/org.openoffice.Setup/L10N"
        access = provider.createInstanceWithArguments(
            "com.sun.star.configuration.ConfigurationAccess", (node,))
        locale = access.getByName("ooLocale") or ""
    except Exception:
        locale = ""
    if not locale:
        locale = os.environ.get("LC_ALL") or os.environ.get("LC_MESSAGES") or \
            os.environ.get("LANG") or "en"
    language = locale[:2].lower()
    return language if language in TEXTS else "en"


class OfficeUi:
    """Asks and tells the user in LibreOffice's own windows."""

    def __init__(self, ctx, frame=None):
        self.ctx = ctx
        self.frame = frame
        self.texts = TEXTS[ui_language(ctx)]

    def _parent(self):
        frame = self.frame
        if frame is None:
            desktop = self.ctx.ServiceManager.createInstanceWithContext(
                "com.sun.star.frame.Desktop", self.ctx)
            frame = desktop.getCurrentFrame()
        return frame.getContainerWindow() if frame is not None else None

    def _box(self, kind, message):
        toolkit = self.ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.awt.Toolkit", self.ctx)
        box_type = uno.Enum("com.sun.star.awt.MessageBoxType", kind)
        box = toolkit.createMessageBox(self._parent(), box_type, 1, "Kassavero", message)
        box.execute()
        box.dispose()

    def refresh(self):
        """Lets the office draw what is pending (a closed menu, the amount selected) before
        a call that waits for the user's answer in Kassavero's window."""
        try:
            toolkit = self.ctx.ServiceManager.createInstanceWithContext(
                "com.sun.star.awt.Toolkit", self.ctx)
            toolkit.processEventsToIdle()
        except Exception:
            pass

    def info(self, message):
        self._box("INFOBOX", message)

    def error(self, message):
        self._box("ERRORBOX", message)

    def choose_currencies(self, settings, has_selection, suggested=None, sheet=""):
        """(source, target, selection only, plain numbers too) or None when the user
        cancelled."""
        currencies = settings.currencies()
        dialog = self.currency_dialog(settings, has_selection, suggested, sheet)
        try:
            while dialog.execute() == 1:
                source = currencies[dialog.getControl("Source").getSelectedItemPos()][0]
                target = currencies[dialog.getControl("Target").getSelectedItemPos()][0]
                if source != target:
                    only = dialog.getControl("SelectionOnly").getState() == 1
                    plain = dialog.getControl("PlainNumbers").getState() == 1
                    return source, target, only and has_selection, plain
                self.error(self.texts["same_currency"])
            return None
        finally:
            dialog.dispose()

    def currency_dialog(self, settings, has_selection, suggested=None, sheet=""):
        """The dialog with the currencies chosen (the source the cells' formats suggest,
        else the profile's default), not yet shown."""
        texts = self.texts
        smgr = self.ctx.ServiceManager
        model = smgr.createInstanceWithContext("com.sun.star.awt.UnoControlDialogModel",
                                               self.ctx)
        model.Title = texts["dialog_title"]
        model.Width, model.Height = 230, 150
        currencies = settings.currencies()
        labels = tuple(label for _, label in currencies)

        def add(kind, name, x, y, width, height, **properties):
            control = model.createInstance("com.sun.star.awt.UnoControl%sModel" % kind)
            control.PositionX, control.PositionY = x, y
            control.Width, control.Height = width, height
            for key, value in properties.items():
                setattr(control, key, value)
            model.insertByName(name, control)
            return control

        def position(index, other=None):
            for i, (value, _) in enumerate(currencies):
                if value == index:
                    return i
            # No default (a desktop without a currency of its own): the first one that is
            # not the other side, so the dialog never starts from one currency to itself.
            return next(i for i, (value, _) in enumerate(currencies) if value != other)
        source = suggested if suggested is not None else settings.source
        # A label's access key moves to the control after it in the tab order, so each
        # label stands right before its list there.
        add("FixedText", "SourceLabel", 8, 10, 96, 10, Label=texts["source"], TabIndex=0)
        add("ListBox", "Source", 108, 8, 114, 12, Dropdown=True, StringItemList=labels,
            SelectedItems=(position(source, settings.target),), TabIndex=1)
        add("FixedText", "TargetLabel", 8, 28, 96, 10, Label=texts["target"], TabIndex=2)
        add("ListBox", "Target", 108, 26, 114, 12, Dropdown=True, StringItemList=labels,
            SelectedItems=(position(settings.target),), TabIndex=3)
        add("FixedText", "Scope", 8, 46, 214, 28, MultiLine=True, TabIndex=4,
            Label=texts["scope_hint"] if has_selection else
            texts["scope_hint"] + " " + texts["scope_sheet"] % sheet)
        add("CheckBox", "SelectionOnly", 8, 80, 214, 10, Label=texts["selection_only"],
            State=1 if has_selection else 0, Enabled=has_selection, TabIndex=5)
        add("CheckBox", "PlainNumbers", 8, 94, 214, 10, Label=texts["plain_numbers"],
            State=0, TabIndex=6)
        add("Button", "Convert", 110, 126, 54, 14, Label=texts["convert"], PushButtonType=1,
            DefaultButton=True, TabIndex=7)
        add("Button", "Cancel", 168, 126, 54, 14, Label=texts["cancel"], PushButtonType=2,
            TabIndex=8)

        dialog = smgr.createInstanceWithContext("com.sun.star.awt.UnoControlDialog",
                                                self.ctx)
        dialog.setModel(model)
        toolkit = smgr.createInstanceWithContext("com.sun.star.awt.Toolkit", self.ctx)
        # Over the office's window, where the user looks, not in a corner of the screen.
        parent = self._parent()
        dialog.createPeer(toolkit, parent)
        if parent is not None:
            frame, size = parent.getPosSize(), dialog.getPosSize()
            dialog.setPosSize(frame.X + (frame.Width - size.Width) // 2,
                              frame.Y + (frame.Height - size.Height) // 3, 0, 0, 3)  # POS
        return dialog


class ScriptedUi:
    """For runs started by a macro or a test: answers come from the arguments, messages
    are kept for the caller."""

    def __init__(self, source=None, target=None, selection_only=False, language="en", ctx=None,
                 plain_numbers=False):
        self.ctx = ctx
        self.texts = TEXTS[language]
        self.messages = []
        self._choice = (source, target, selection_only, plain_numbers)

    def refresh(self):
        pass

    def info(self, message):
        self.messages.append(message)

    def error(self, message):
        self.messages.append(message)

    def choose_currencies(self, settings, has_selection, suggested=None, sheet=""):
        source, target, selection_only, plain_numbers = self._choice
        if source is None:
            source = settings.source if suggested is None else suggested
        return (source, settings.target if target is None else target,
                bool(selection_only) and has_selection, bool(plain_numbers))
