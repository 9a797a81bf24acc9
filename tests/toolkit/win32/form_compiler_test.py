"""The Win32 form compiler against the real layout and against broken ones.

    form_compiler_test.py FORM_COMPILER_DIR LAYOUT.ui CXX
"""

import os
import re
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ET
from xml.sax.saxutils import escape

COMPILER_DIR, LAYOUT, CXX = sys.argv[1:4]
sys.path.insert(0, COMPILER_DIR)
import form_compiler  # noqa: E402


def layout(widgets, connections="", tabstops="", slots=""):
    """A one-form layout holding `widgets`."""
    return f"""<ui version="4.0"><class>Frm</class>
<widget class="vantrel::TForm" name="Frm">{widgets}</widget>
<tabstops>{tabstops}</tabstops><connections>{connections}</connections>
<slots>{slots}</slots></ui>"""


def connection(sender, signal, slot):
    return (f"<connection><sender>{sender}</sender><signal>{escape(signal)}</signal>"
            f"<receiver>Frm</receiver><slot>{escape(slot)}</slot></connection>")


EDIT = '<widget class="vantrel::TEdit" name="Edt_a"/>'
BUTTON = '<widget class="vantrel::TButton" name="Btn_Exit"/>'
LABEL = '<widget class="vantrel::TLabel" name="Lbl_a"/>'
SLOTS = "<slot>Edt_aKeyUp()</slot><slot>Edt_aKeyPress(char&amp;)</slot><slot>Btn_ExitClick()</slot>"

# Stand-ins for the toolkit's headers: just what a compiled layout calls.
STUB_TOOLKIT = """#pragma once
#include <initializer_list>
namespace vantrel {
struct DesignRect { int left, top, width, height; };
struct LayoutFont { int points; bool bold; };
struct ControlSpec {
    const char* name; int id; DesignRect bounds; const wchar_t* text; LayoutFont font;
};
template <class... Args> struct TEvent {
    template <class Receiver> void Bind(Receiver*, void (Receiver::*)(Args...)) {}
};
struct TControl {
    void SetName(const char*) {}
    void SetDesignBounds(DesignRect) {}
    void SetCaption(const wchar_t*) {}
    void SetFont(LayoutFont) {}
};
struct TEdit : TControl { TEvent<char&> KeyPress; TEvent<> KeyUp; };
struct TButton : TControl { TEvent<> clicked; };
struct TLabel : TControl {};
struct TForm : TControl { void SetTabOrder(std::initializer_list<TControl*>) {} };
template <class Control> Control* Create(TControl&, const ControlSpec&) { return new Control; }
}
"""

WINDOW = """#include "ui_layout.h"
struct Window : vantrel::TForm, Ui::Frm {
    Window() { setupUi(this); }
    void Edt_aKeyPress(char&) {}
%s
};
Window* window = new Window;
"""


class CompilesTheRealLayout(unittest.TestCase):
    def setUp(self):
        with open(LAYOUT, encoding="utf-8") as source:
            self.text = source.read()
        self.header, self.ids = form_compiler.compile_layout(self.text)
        self.root = ET.fromstring(self.text)

    def test_every_control_is_a_member_under_its_layout_name(self):
        names = [w.get("name") for w in self.root.iter("widget")][1:]
        members = re.findall(r"vantrel::T\w+\* (\w+) = nullptr;", self.header)
        self.assertEqual(members, names)

    def test_the_tab_order_is_the_layouts_once_the_form_is_complete(self):
        order = [stop.text for stop in self.root.iter("tabstop")]
        written = re.findall(r"SetTabOrder\(\{([^}]*)\}\)", self.header)[-1]
        self.assertEqual([name.strip() for name in written.split(",")], order)

    def test_only_the_first_sheets_controls_wait_for_nothing(self):
        at_once, later = self.header.split("CreateLater(")
        for index, sheet in enumerate(self.root.find("widget/widget").findall("widget")):
            self.assertIn(f'.name = "{sheet.get("name")}"', at_once)
            for control in list(sheet.iter("widget"))[1:]:
                created = f'.name = "{control.get("name")}"'
                self.assertIn(created, at_once if index == 0 else later, control.get("name"))
        # A later control's events are bound once it exists.
        self.assertIn("Edt_PGPa->KeyUp.Bind", later)

    def test_every_connection_binds_its_slot(self):
        expected = [f"{c.findtext('sender')}->{c.findtext('signal').split('(')[0]}.Bind("
                    f"Frm_vantrel, &Form::{c.findtext('slot').split('(')[0]});"
                    for c in self.root.iter("connection")]
        bound = re.findall(r"\w+->\w+\.Bind\([^;]*;", self.header)
        self.assertEqual(sorted(bound), sorted(expected))

    def test_every_control_has_its_own_id_in_both_headers(self):
        created = dict(re.findall(r'\.name = "(\w+)", \.id = (\d+)', self.header))
        listed = re.findall(r'\{"(\w+)", \1\},', self.ids)
        named = dict(re.findall(r"static constexpr int (\w+) = (\d+);", self.ids))
        names = [w.get("name") for w in self.root.iter("widget")][1:]
        self.assertEqual(sorted(created), sorted(names))
        self.assertEqual(created, named)
        self.assertEqual(listed, names)
        self.assertEqual(len(set(created.values())), len(created))

    def test_superscripts_raise_the_caption_laid_out_before_them(self):
        self.assertIn("Label3->SetRaises(*Lbl_Gm_h);", self.header)
        self.assertIn("Label2->SetRaises(*Lbl_Pkg_mm);", self.header)


class RefusesWhatItCannotBuild(unittest.TestCase):
    CASES = [
        ("a connection to a slot the form does not declare",
         layout(EDIT, connection("Edt_a", "KeyUp()", "Edt_aKeyDown()"), slots=SLOTS),
         "unknown slot"),
        ("a signal the sender does not have",
         layout(BUTTON, connection("Btn_Exit", "KeyUp()", "Edt_aKeyUp()"), slots=SLOTS),
         "has no event"),
        ("a slot that takes other arguments than the signal passes",
         layout(EDIT, connection("Edt_a", "KeyPress(char&)", "Edt_aKeyUp()"), slots=SLOTS),
         "does not take"),
        ("one event connected twice",
         layout(EDIT, connection("Edt_a", "KeyUp()", "Edt_aKeyUp()") * 2, slots=SLOTS),
         "connected twice"),
        ("a receiver other than the form",
         layout(EDIT + BUTTON, connection("Edt_a", "KeyUp()", "Edt_aKeyUp()")
                .replace("<receiver>Frm<", "<receiver>Btn_Exit<")),
         "only the form"),
        ("a control class the toolkit lacks",
         layout('<widget class="QSpinBox" name="Spn_a"/>'), "no Win32 control"),
        ("a property the toolkit lacks",
         layout('<widget class="vantrel::TEdit" name="Edt_a"><property name="readOnly">'
                '<bool>true</bool></property></widget>'), "no property"),
        ("a tab stop that is no control",
         layout(EDIT, tabstops="<tabstop>Edt_a</tabstop><tabstop>Edt_b</tabstop>"),
         "tab stop"),
        ("a tab order that is not the layout's order",
         layout(EDIT + BUTTON, tabstops="<tabstop>Btn_Exit</tabstop><tabstop>Edt_a</tabstop>"),
         "not the layout's order"),
        ("a superscript raising a caption not laid out before it",
         layout('<widget class="vantrel::TLabel" name="Label1"><property name="Raises">'
                '<string>Lbl_a</string></property></widget>' + LABEL), "raises"),
    ]

    def test_refusals(self):
        for what, text, message in self.CASES:
            with self.subTest(what):
                with self.assertRaisesRegex(form_compiler.LayoutError, message):
                    form_compiler.compile_layout(text)


class BindsAtCompileTime(unittest.TestCase):
    """A connection naming a method the window lacks stops the C++ build."""

    def build(self, methods):
        text = layout(EDIT + BUTTON,
                      connection("Edt_a", "KeyUp()", "Edt_aKeyUp()") +
                      connection("Edt_a", "KeyPress(char&)", "Edt_aKeyPress(char&)") +
                      connection("Btn_Exit", "clicked()", "Btn_ExitClick()"),
                      "<tabstop>Edt_a</tabstop><tabstop>Btn_Exit</tabstop>", SLOTS)
        with tempfile.TemporaryDirectory() as folder:
            for header in ("t_form.h", "t_edit.h", "t_button.h", "t_label.h"):
                with open(os.path.join(folder, header), "w") as stub:
                    stub.write(STUB_TOOLKIT)
            with open(os.path.join(folder, "ui_layout.h"), "w", encoding="utf-8") as out:
                out.write(form_compiler.compile_layout(text)[0])
            window = os.path.join(folder, "window.cpp")
            with open(window, "w") as out:
                out.write(WINDOW % methods)
            return subprocess.run([CXX, "-std=c++20", "-fsyntax-only", "-I", folder, window],
                                  capture_output=True, text=True)

    def test_a_window_with_every_method_compiles(self):
        result = self.build("void Edt_aKeyUp() {}\n    void Btn_ExitClick() {}")
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_a_window_without_a_connected_method_does_not(self):
        result = self.build("void Edt_aKeyUp() {}")
        self.assertNotEqual(result.returncode, 0)
        self.assertIn("Btn_ExitClick", result.stderr)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
