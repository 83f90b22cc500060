# SPDX-License-Identifier: GPL-3.0-or-later
"""The connection to the running Kassavero on the session bus.

Commands are "<item>:<command>" lines; each call returns the program's reply without
its square brackets. Where the program offers the one-round-trip method Call it is
used; older programs only have Execute + Request, which share the item's text with
every other client, so Call is preferred.
"""

SERVICE = "org.kassavero.dde.kassavero"
OBJECT_PATH = "/org/kassavero/dde"
INTERFACE = "org.kassavero.dde.Server"
TOPIC = "System"

# Calls that wait for the user (a confirmation, a formula constant) must not time out:
# the largest timeout libdbus takes, in seconds (about 24 days).
NO_TIMEOUT = 2147483.0

_ITEMS = {"filter": "Filter", "settings": "Settings", "calculator": "Calculator"}


class NotRunning(Exception):
    """Kassavero cannot be reached: no session bus, not started, or it went away."""


class NoBusModule(Exception):
    """python3-dbus cannot be imported."""


class Refused(Exception):
    """The program answered with an error; the text is its reply."""

    def __init__(self, reply):
        super().__init__(reply)
        self.reply = reply


def unwrap_reply(lines):
    """The reply of an item text: its first line without the square brackets."""
    text = lines.split("\r\n", 1)[0].rstrip("\r\n")
    if len(text) >= 2 and text.startswith("[") and text.endswith("]"):
        text = text[1:-1]
    return text


def quoted(argument):
    """An argument in double quotes, so that commas, semicolons and parentheses in it
    arrive unchanged."""
    out = ['"']
    for character in str(argument):
        if character in '"\\':
            out.append("\\")
        out.append(character)
    out.append('"')
    return "".join(out)


class BusChannel:
    """Talks to Kassavero through python3-dbus, which Debian's LibreOffice Python
    imports as it is."""

    def __init__(self, service=SERVICE):
        try:
            import dbus
        except ImportError as error:
            raise NoBusModule(str(error))
        self._dbus = dbus
        try:
            self._bus = dbus.SessionBus()
            if not self._bus.name_has_owner(service):
                # Where the program is installed, the bus starts it, as kassavero-dde does.
                self._bus.start_service_by_name(service)
            proxy = self._bus.get_object(service, OBJECT_PATH, introspect=False)
        except dbus.exceptions.DBusException as error:
            raise NotRunning(str(error))
        self._server = dbus.Interface(proxy, INTERFACE)
        self._has_call = True
        self._has_list = True

    def _invoke(self, method, *arguments):
        dbus = self._dbus
        try:
            return getattr(self._server, method)(*arguments, timeout=NO_TIMEOUT)
        except dbus.exceptions.DBusException as error:
            name = error.get_dbus_name() or ""
            if name == "org.kassavero.dde.Error.NoSession":
                raise NoSession(error.get_dbus_message() or name)
            if name.startswith("org.kassavero."):
                raise Refused(error.get_dbus_message() or name)
            if name == "org.freedesktop.DBus.Error.UnknownMethod" and method in ("Call",
                                                                              "ListChanges"):
                raise
            raise NotRunning(str(error))

    def send(self, item, command):
        """A command whose reply is not needed: without Call it saves the request."""
        if self._has_call:
            self.call(item, command)
        else:
            self._invoke("Execute", TOPIC, item + ":" + command)

    def list_changes(self, client_name, text):
        """The changes the program would make in the text, each (start, end, replacement,
        currency code, amount), or None when the program cannot list them (an older one)."""
        if not self._has_list:
            return None
        try:
            changes = self._invoke("ListChanges", client_name, text)
        except self._dbus.exceptions.DBusException:
            self._has_list = False
            return None
        return [(int(a), int(b), str(c), str(d), float(e)) for a, b, c, d, e in changes]

    def call(self, item, command):
        line = item + ":" + command
        if self._has_call:
            try:
                return unwrap_reply(str(self._invoke("Call", TOPIC, line)))
            except self._dbus.exceptions.DBusException:
                self._has_call = False  # an older program: Execute + Request from now on
        self._invoke("Execute", TOPIC, line)
        return unwrap_reply(str(self._invoke("Request", TOPIC, _ITEMS[item.lower()])))


def read_setting(channel, key, default):
    """A value of the active profile as text; the default when the profile lacks it."""
    value = channel.call("settings", "getvalue(," + quoted(key) + ")")
    if value.startswith("ERROR."):
        raise Refused(value)
    return default if value in ("", "<NIL>") else value


def read_flag(channel, key, default):
    return read_setting(channel, key, "1" if default else "0").strip() not in ("0", "")


def read_int(channel, key, default):
    try:
        return int(read_setting(channel, key, str(default)).strip())
    except ValueError:
        return default


def split_escaped_fields(text):
    """The fields of a reply separated by ";", with "\\;" read as ";"."""
    fields = [""]
    i = 0
    while i < len(text):
        if text[i] == "\\" and i + 1 < len(text) and text[i + 1] == ";":
            fields[-1] += ";"
            i += 2
            continue
        if text[i] == ";":
            fields.append("")
        else:
            fields[-1] += text[i]
        i += 1
    return fields


def as_program_text(text):
    """What a command line can carry: a line break as a vertical tab or form feed, which
    the program still reads as the end of a line, other control characters as blanks
    (they separate words for the program just like one), no lone surrogates."""
    out = []
    for character in text:
        code = ord(character)
        if character == "\n":
            out.append("\v")
        elif character == "\r":
            out.append("\f")
        elif code < 32 or code == 127:
            out.append(" ")
        elif 0xD800 <= code <= 0xDFFF:
            out.append("\ufffc")
        else:
            out.append(character)
    return "".join(out)


class NoSession(Refused):
    """Every session slot of the program is taken."""


class SessionLost(Refused):
    """The run's session was closed (or went to another client) while it ran."""


class Foreign(Refused):
    """A reply that does not belong to the text the extension sent."""


SESSION_NOT_OPEN = "ERROR. Session not open"


def check_hand_over(reply):
    """A hand-over the program refused ("ERROR. Too many clients ...") stops the run: the
    next command would find another text, or none."""
    if reply.startswith("ERROR."):
        raise Refused(reply)


def _significant_digits(text):
    return "".join(c for c in text if "0" <= c <= "9").strip("0")


def amount_matches(found_text, amount):
    """Whether the amount the program reports is the one written in the found stretch:
    the same digits, whatever the separators and trailing zeros. Amounts in words, and
    numbers the program writes with an exponent, cannot be compared and pass."""
    if "e" in amount.lower() or not any("0" <= c <= "9" for c in found_text):
        return True
    return _significant_digits(found_text) == _significant_digits(amount)


class Session:
    """One conversion session of the document protocol."""

    def __init__(self, channel, client_name, show_dialog):
        self.channel = channel
        self.flag = "1" if show_dialog else "0"
        reply = channel.call("filter", "opensession(%s,%s)" % (quoted(client_name), self.flag))
        if reply == "-1":
            raise NoSession(reply)
        if not reply.isdigit():
            raise Refused(reply)
        self.id = reply

    def transfer(self, text):
        # The reply echoes the command, or says why the program refused the text.
        self._text = text
        check_hand_over(self.channel.call("filter", "transfertext:" + as_program_text(text)))

    def find_next(self, length):
        """(start, end, currency code, amount text) of the next change, or None."""
        reply = self.channel.call("filter", "findnextchange(%s)" % self.id)
        if reply == "OK":
            return None
        if reply.startswith(SESSION_NOT_OPEN):
            raise SessionLost(reply)
        fields = reply.split(";")
        try:
            start, end = int(fields[0]), int(fields[1])
        except (ValueError, IndexError):
            raise Refused(reply)
        if len(fields) != 4 or not 0 <= start < end <= length:
            raise Refused(reply)
        if not amount_matches(self._text[start:end], fields[3]):
            raise Foreign(reply)
        return start, end, fields[2], fields[3]

    def confirm(self):
        """The replacement text, None when declined; raises Cancelled."""
        reply = self.channel.call("filter", "confirmchange(%s,%s)" % (self.id, self.flag))
        if reply == "NO":
            return None
        if reply == "CANCEL":
            raise Cancelled()
        if reply == "OK" or reply.startswith(SESSION_NOT_OPEN):
            # What the program (an older one: "OK") answers for a session that no longer
            # exists, or that another client opened.
            raise SessionLost(reply)
        parts = split_escaped_fields(reply[4:]) if reply.startswith("YES;") else []
        if len(parts) != 3:
            raise Refused(reply)
        return "".join(parts)

    def close(self):
        self.channel.call("filter", "closesession(%s)" % self.id)


class Cancelled(Exception):
    """The user cancelled in Kassavero's confirmation dialog."""
