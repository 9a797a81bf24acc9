#!/usr/bin/env python3
"""Compiles a Qt Designer layout (.ui) into the Win32 toolkit's form description.

What uic is to the Qt toolkit, this is to the Win32 one: it reads the same
layout file and writes `ui_<name>.h`, holding `Ui::<class>` with one member
per control under its layout name and a `setupUi(form)` that creates the
controls, each with its control ID, place, size, text and font, gives them
their accessible names and other properties, sets the tab order and binds
every <connection> to a method of the form. The controls of the sheets a page
control does not show at first are created later (TForm::CreateLater): once
the window has been shown and painted, or as soon as anything asks the form
for its controls, so that the window comes up with only what it shows. The
binding is a pointer to the
method, so a connection that names a method the form does not have fails the
build, and the compiler itself refuses anything in the layout it cannot carry
over (an unknown control, property, signal or slot) rather than drop it
silently.

It also writes `ui_<name>_ids.h`, which depends on nothing: every control's
control ID by its layout name (`Ui::<class>Ids`), generated from the layout,
for programs that find the window's controls from outside, as Windows
programs do (GetDlgItem, GetDlgCtrlID).

    form_compiler.py LAYOUT.ui OUTPUT.h IDS.h
"""

import sys
import xml.etree.ElementTree as ET

NAMESPACE = "vantrel::"

# The toolkit's controls and the events the layout may connect, by signal. A
# connection's signal names the event member of the sender ("KeyPress(char&)"
# binds TEdit::KeyPress), the way it names a Qt signal.
CONTROLS = {
    "TForm": {"header": "t_form.h", "events": {}},
    "TPageControl": {"header": "t_page_control.h", "events": {}},
    "TTabSheet": {"header": "t_page_control.h", "events": {}},
    "TEdit": {"header": "t_edit.h", "events": {"KeyPress": ["char&"], "KeyUp": []}},
    "TLabel": {"header": "t_label.h", "events": {}},
    "TButton": {"header": "t_button.h", "events": {"clicked": []}},
    "TStatusBar": {"header": "t_status_bar.h", "events": {}},
}

# Properties applied once the control's children exist (a page control can
# only show a sheet it holds).
AFTER_CHILDREN = {"currentIndex"}

# Properties a control is created with, by the field of vantrel::ControlSpec
# that takes them.
CREATION = {"geometry": "bounds", "text": "text", "title": "text", "font": "font"}

# The first control ID; each control's is this plus its place in the layout.
FIRST_ID = 100


class LayoutError(Exception):
    """The layout holds something this toolkit cannot build."""


def cpp_wide_string(text):
    """A wide string literal: the text in UTF-8 source, quotes escaped."""
    escaped = []
    for character in text:
        if character in '\\"':
            escaped.append("\\" + character)
        elif ord(character) < 0x20:
            escaped.append("\\x%02x" % ord(character))
        else:
            escaped.append(character)
    return 'L"' + "".join(escaped) + '"'


def cpp_string(text):
    if any(ord(c) < 0x20 or ord(c) > 0x7E or c in '\\"' for c in text):
        raise LayoutError(f"name {text!r} is not plain ASCII")
    return '"' + text + '"'


def parse_signature(signature):
    """'KeyPress(char&)' -> ('KeyPress', ['char&'])."""
    name, open_paren, rest = signature.partition("(")
    if not open_paren or not rest.endswith(")") or not name.isidentifier():
        raise LayoutError(f"malformed signature {signature!r}")
    arguments = [a.replace(" ", "") for a in rest[:-1].split(",") if a.strip()]
    return name, arguments


def control_kind(widget):
    qualified = widget.get("class", "")
    if not qualified.startswith(NAMESPACE) or qualified[len(NAMESPACE):] not in CONTROLS:
        raise LayoutError(f"{widget.get('name')}: no Win32 control for class {qualified!r}")
    return qualified[len(NAMESPACE):]


def property_value(element):
    """The C++ argument a <property> or <attribute> value turns into."""
    value = list(element)
    if len(value) != 1:
        raise LayoutError(f"property {element.get('name')!r} has no single value")
    value = value[0]
    if value.tag == "string":
        return cpp_wide_string(value.text or "")
    if value.tag == "number":
        return str(int(value.text))
    if value.tag == "bool":
        return {"true": "true", "false": "false"}[value.text.strip()]
    if value.tag == "rect":
        fields = [int(value.findtext(f)) for f in ("x", "y", "width", "height")]
        return "{%d, %d, %d, %d}" % tuple(fields)
    if value.tag == "font":
        # The family names the Linux window's font; on Windows the toolkit
        # picks a face by measuring its candidates. Size and weight carry over.
        points = int(value.findtext("pointsize"))
        bold = (value.findtext("bold") or "false").strip() == "true"
        return "{%d, %s}" % (points, "true" if bold else "false")
    raise LayoutError(f"property {element.get('name')!r}: unsupported value <{value.tag}>")


# Layout property -> the toolkit method that takes it, per the value's kind.
SETTERS = {
    "geometry": "SetDesignBounds",
    "windowTitle": "SetCaption",
    "text": "SetCaption",
    "title": "SetCaption",
    "font": "SetFont",
    "accessibleName": "SetAccessibleName",
    "accessibleDescription": "SetAccessibleDescription",
    "Left": "SetLeft",
    "Top": "SetTop",
    "AutoSize": "SetAutoSize",
    "currentIndex": "SetActivePageIndex",
}


class Form:
    def __init__(self, root):
        self.class_name = root.findtext("class")
        top = root.find("widget")
        if not self.class_name or top is None:
            raise LayoutError("the layout names no form class or top-level widget")
        if control_kind(top) != "TForm":
            raise LayoutError("the top-level widget is not a vantrel::TForm")
        self.form_name = top.get("name")
        self.kinds = {}  # control name -> kind, the form included
        self.members = []  # (kind, name) in layout order
        self.ids = {}  # control name -> control ID
        self.statements = []  # those that run while the form is made
        self.later = []  # those that run once it has been shown
        self.deferred = set()  # the controls created later
        self.kinds[self.form_name] = "TForm"
        self.build(top, parent=None, statements=self.statements)
        self.tab_order = self.read_tab_order(root)
        self.declared_slots = self.read_declared_slots(root)
        self.bindings = self.read_connections(root)

    def build(self, widget, parent, statements, contents=None):
        """Appends the statements that make `widget` to `statements`, and those
        that make its children to `contents` (the same list unless given)."""
        contents = statements if contents is None else contents
        name = widget.get("name")
        kind = control_kind(widget)
        later = []
        creation = {}
        properties = []
        for element in widget:
            if element.tag not in ("property", "attribute"):
                continue
            prop = element.get("name")
            if parent is not None and prop in CREATION:
                creation[CREATION[prop]] = property_value(element)
            elif prop in AFTER_CHILDREN:
                later.append(element)
            else:
                properties.append(element)
        if parent is not None:
            if not name or not name.isidentifier():
                raise LayoutError(f"a {kind} has no usable name: {name!r}")
            if name in self.kinds:
                raise LayoutError(f"two controls are named {name}")
            self.kinds[name] = kind
            self.members.append((kind, name))
            self.ids[name] = FIRST_ID + len(self.ids)
            fields = [f".name = {cpp_string(name)}", f".id = {self.ids[name]}"]
            fields += [f".{field} = {creation.get(field, '{}')}" for field in ("bounds", "text", "font")]
            statements.append(
                f"{name} = vantrel::Create<{NAMESPACE}{kind}>(*{parent}, {{{', '.join(fields)}}});")
            if statements is self.later:
                self.deferred.add(name)
        else:
            statements.append(f"{name}->SetName({cpp_string(name)});")
        for element in properties:
            statements.append(self.set_property(name, element))
        shown = self.first_shown(kind, later)
        for index, child in enumerate(widget.findall("widget")):
            # A sheet's own window is made at once, in its place among its
            # siblings; what it holds waits unless it is the sheet shown first.
            waits = shown is not None and index != shown
            self.build(child, parent=name, statements=contents,
                       contents=self.later if waits else None)
        for element in later:
            statements.append(self.set_property(name, element))

    @staticmethod
    def first_shown(kind, later):
        """The index of the sheet a page control shows first, else None."""
        if kind != "TPageControl":
            return None
        for element in later:
            if element.get("name") == "currentIndex":
                return int(element.findtext("number"))
        return 0

    def set_property(self, name, element):
        prop = element.get("name")
        if prop == "Raises":
            # The caption a superscript raises, resolved here: a misspelt
            # name fails now, not as a digit in the wrong place at run time.
            caption = element.findtext("string")
            if self.kinds.get(caption) != "TLabel":
                raise LayoutError(f"{name} raises {caption!r}, which is no label laid out before it")
            return f"{name}->SetRaises(*{caption});"
        if prop not in SETTERS:
            raise LayoutError(f"{name}: the Win32 toolkit has no property {prop!r}")
        return f"{name}->{SETTERS[prop]}({property_value(element)});"

    def read_tab_order(self, root):
        order = [stop.text for stop in root.findall("tabstops/tabstop")]
        for name in order:
            if name not in self.kinds or name == self.form_name:
                raise LayoutError(f"tab stop {name!r} is no control of the form")
        if len(set(order)) != len(order):
            raise LayoutError("a control stands twice in the tab order")
        # Windows' dialog manager tabs through the windows in their z-order,
        # which is the order they are created in, the layout's.
        laid_out = [name for _, name in self.members if name in order]
        if laid_out != order:
            raise LayoutError("the tab order is not the layout's order of its controls: "
                              + ", ".join(order))
        return order

    @staticmethod
    def read_declared_slots(root):
        """The form's slots the layout declares, or None where it declares none."""
        slots = root.find("slots")
        if slots is None:
            return None
        declared = set()
        for slot in slots.findall("slot"):
            parse_signature(slot.text)  # refuses a malformed one
            declared.add(slot.text.replace(" ", ""))
        return declared

    def read_connections(self, root):
        bindings = []
        bound = set()
        for connection in root.findall("connections/connection"):
            sender = connection.findtext("sender")
            signal = connection.findtext("signal")
            receiver = connection.findtext("receiver")
            slot = connection.findtext("slot")
            if sender not in self.kinds:
                raise LayoutError(f"connection from unknown control {sender!r}")
            if receiver != self.form_name:
                raise LayoutError(f"{sender}: only the form's own methods receive events, "
                                  f"not {receiver!r}")
            event, event_arguments = parse_signature(signal)
            events = CONTROLS[self.kinds[sender]]["events"]
            if events.get(event) != event_arguments:
                raise LayoutError(f"{sender}: a {self.kinds[sender]} has no event {signal}")
            method, method_arguments = parse_signature(slot)
            if self.declared_slots is not None and slot.replace(" ", "") not in self.declared_slots:
                raise LayoutError(f"{sender}: {signal} connects to unknown slot {slot}")
            if method_arguments != event_arguments:
                raise LayoutError(f"{sender}: {slot} does not take what {signal} passes")
            if (sender, event) in bound:
                raise LayoutError(f"{sender}: {event} is connected twice; an event has one handler")
            bound.add((sender, event))
            bindings.append(f"{sender}->{event}.Bind({self.form_name}, &Form::{method});")
        return bindings

    def header(self, source_name):
        includes = sorted({CONTROLS[kind]["header"] for kind in set(self.kinds.values())})
        lines = [
            f"// Built from {source_name} by toolkit/win32/form_compiler.py: edit the layout,",
            "// not this file.",
            "#pragma once",
            "",
        ]
        lines += [f'#include "{header}"' for header in includes]
        lines += [
            "",
            "namespace Ui {",
            "",
            f"class {self.class_name} {{",
            "public:",
        ]
        lines += [f"    {NAMESPACE}{kind}* {name} = nullptr;" for kind, name in self.members]
        lines += [
            "",
            "    // Creates the layout's controls on the form, in the layout's order, and",
            "    // binds each connection to the form's method of that name; those of the",
            "    // sheets not shown at first, once the form has been shown.",
            "    template <class Form>",
            f"    void setupUi(Form* {self.form_name}) {{",
        ]
        def sender(binding):
            return binding.split("->", 1)[0]

        def tab_order(stops):
            return f"{self.form_name}->SetTabOrder({{{', '.join(stops)}}});"

        body = list(self.statements)
        body.append(tab_order([stop for stop in self.tab_order if stop not in self.deferred]))
        body += [b for b in self.bindings if sender(b) not in self.deferred]
        lines += ["        " + statement for statement in body]
        if self.later:
            rest = list(self.later)
            rest.append(tab_order(self.tab_order))
            rest += [b for b in self.bindings if sender(b) in self.deferred]
            lines.append(f"        {self.form_name}->CreateLater([this, {self.form_name}] {{")
            lines += ["            " + statement for statement in rest]
            lines.append("        });")
        lines += ["    }", "};", "", "}  // namespace Ui", ""]
        return "\n".join(lines)


    def ids_header(self, source_name):
        lines = [
            f"// Built from {source_name} by toolkit/win32/form_compiler.py: edit the layout,",
            "// not this file.",
            "#pragma once",
            "",
            "namespace Ui {",
            "",
            f"// The control ID of every control of {self.form_name}: its window is the",
            "// child of its parent's window with this ID.",
            f"struct {self.class_name}Ids {{",
        ]
        lines += [f"    static constexpr int {name} = {self.ids[name]};" for _, name in self.members]
        lines += [
            "",
            "    struct Named {",
            "        const char* name;",
            "        int id;",
            "    };",
            "    static constexpr Named all[] = {",
        ]
        lines += [f"        {{{cpp_string(name)}, {name}}}," for _, name in self.members]
        lines += ["    };", "};", "", "}  // namespace Ui", ""]
        return "\n".join(lines)


def compile_layout(text, source_name="layout.ui"):
    """The form description and the control IDs' header."""
    try:
        root = ET.fromstring(text)
    except ET.ParseError as error:
        raise LayoutError(f"not a layout: {error}") from error
    form = Form(root)
    return form.header(source_name), form.ids_header(source_name)


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().splitlines()[-1].strip(), file=sys.stderr)
        return 2
    layout_path, output_path, ids_path = argv[1:4]
    with open(layout_path, encoding="utf-8") as layout:
        text = layout.read()
    try:
        header, ids = compile_layout(text, layout_path.rsplit("/", 1)[-1])
    except LayoutError as error:
        print(f"{layout_path}: {error}", file=sys.stderr)
        return 1
    for path, contents in ((output_path, header), (ids_path, ids)):
        with open(path, "w", encoding="utf-8") as output:
            output.write(contents)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
