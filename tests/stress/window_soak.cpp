// The keystroke soak against the real window on Qt's offscreen platform: key
// presses and releases as Qt delivers them, sheet switches by clicking the
// tabs, and every conversion-error box dismissed with Enter. The headless
// window takes the same keystrokes as the reference: at every checkpoint each
// of the 50 fields must show exactly the reference's text, the reference must
// obey the engine's rules, and the window must have shown one box per refused
// text.
#include <QApplication>
#include <QMessageBox>
#include <QTabBar>
#include <QTest>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "box_dismisser.h"
#include "keystroke_plan.h"
#include "sheets/sheet_catalogue.h"
#include "soak_harness.h"
#include "tests/support/typing_session.h"
#include "toolkit/qt/t_application.h"
#include "toolkit/qt/t_edit.h"
#include "toolkit/qt/t_page_control.h"
#include "ui/tfrm_vantrel.h"

namespace {

using namespace vantrel;
using namespace vantrel::stress;

class WindowDriver {
public:
    explicit WindowDriver(TFrm_vantrel& window) {
        for (const auto name : AllFieldNames()) {
            auto* edit = window.findChild<TEdit*>(QString::fromUtf8(name.data(), name.size()));
            if (edit == nullptr) {
                std::fprintf(stderr, "the window has no value field %.*s\n",
                             static_cast<int>(name.size()), name.data());
                std::exit(1);
            }
            fields_.push_back(edit);
        }
        pages_ = window.findChild<TPageControl*>();
        tabs_ = pages_ != nullptr ? pages_->findChild<QTabBar*>() : nullptr;
        if (tabs_ == nullptr) {
            std::fprintf(stderr, "the window has no page control\n");
            std::exit(1);
        }
    }

    // Returns whether a Tab's release counts for the reference: its press
    // went to a value field.
    bool Apply(const Keystroke& key, std::size_t fieldIndex) {
        QWidget* focus = QApplication::focusWidget();
        bool tabFromField = false;
        switch (key.kind) {
            case KeyKind::Character:
                if (static_cast<unsigned char>(key.character) >= 0x80) {
                    QTest::sendKeyEvent(QTest::Click, focus, static_cast<Qt::Key>(0x0416),
                                        QStringLiteral("ж"), Qt::NoModifier);
                } else {
                    QTest::keyClick(focus, key.character);
                }
                break;
            case KeyKind::Backspace:
                QTest::keyClick(focus, Qt::Key_Backspace);
                break;
            case KeyKind::SelectAll:
                QTest::keyClick(focus, Qt::Key_A, Qt::ControlModifier);
                break;
            case KeyKind::Tab: {
                tabFromField = qobject_cast<TEdit*>(focus) != nullptr;
                QTest::keyPress(focus, Qt::Key_Tab);
                TEdit* target = fields_[fieldIndex];
                if (QApplication::focusWidget() != target) {
                    target->setFocus(Qt::TabFocusReason);
                }
                QTest::keyRelease(target, Qt::Key_Tab);
                break;
            }
            case KeyKind::SwitchSheet:
                QTest::mouseClick(tabs_, Qt::LeftButton, {},
                                  tabs_->tabRect(static_cast<int>(key.sheet)).center());
                break;
        }
        QCoreApplication::processEvents();  // repaints, as the window's loop would
        return tabFromField;
    }

    std::string Compare(const TypingSession& reference) const {
        const auto& names = reference.Window().LayoutNames();
        for (std::size_t i = 0; i < fields_.size(); ++i) {
            const std::string shown = fields_[i]->GetText();
            const std::string expected = reference.Window().Text(names[i]);
            if (shown != expected) {
                return names[i] + " shows \"" + shown + "\", the headless window \"" + expected +
                       "\"";
            }
        }
        return {};
    }

private:
    std::vector<TEdit*> fields_;
    TPageControl* pages_ = nullptr;
    QTabBar* tabs_ = nullptr;
};

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    SoakOptions options = ParseSoakOptions(argc, argv);

    TApplication application(argc, argv);
    application.Initialize();
    BoxDismisser boxes;
    qApp->installEventFilter(&boxes);
    const SheetFieldCounts sheets = CountSheetFields();

    // A fresh start destroys the window and makes a new one, so that the
    // window's own first-time costs are typed through again as well.
    std::optional<WindowDriver> window;
    std::optional<TypingSession> reference;
    std::optional<KeystrokePlan> plan;
    std::optional<std::size_t> firstRunBoxes;
    auto start = [&] {
        window.reset();
        delete Frm_vantrel;  // clears Frm_vantrel
        application.CreateForm(Frm_vantrel);
        Frm_vantrel->show();
        Frm_vantrel->activateWindow();
        if (!QTest::qWaitForWindowActive(Frm_vantrel)) {
            std::fprintf(stderr, "the window did not become active\n");
            std::exit(1);
        }
        window.emplace(*Frm_vantrel);
        reference.emplace();
        plan.emplace(sheets.fields, options.seed);
        boxes.shown = 0;
    };
    start();
    options.restart = [&] {
        firstRunBoxes = firstRunBoxes.value_or(boxes.shown);
        start();
    };
    Keystroke key;
    bool tabCounts = true;
    options.describe = [&](std::size_t) {
        constexpr const char* kKinds[] = {"character", "backspace", "Tab", "select all",
                                          "sheet switch"};
        std::string text = kKinds[static_cast<int>(key.kind)];
        if (key.kind == KeyKind::Character) {
            text += std::string(" '") + key.character + "'";
        }
        return text + ", sheet " + std::to_string(key.sheet) + ", error box " +
               std::to_string(boxes.shown);
    };
    const int status = RunSoak(
        "window_soak", options,
        [&](std::size_t) {
            key = plan->Next();
            const std::size_t shown = boxes.shown;
            tabCounts = window->Apply(key, sheets.first[key.sheet] + key.field);
            return boxes.shown != shown;
        },
        [&](std::size_t) { TypeInto(*reference, key, sheets, tabCounts); },
        [&]() -> std::string {
            if (std::string fault = window->Compare(*reference); !fault.empty()) {
                return fault;
            }
            if (boxes.shown != reference->Refusals()) {
                return "the window showed " + std::to_string(boxes.shown) + " error boxes for " +
                       std::to_string(reference->Refusals()) + " refused texts";
            }
            return reference->Check();
        });
    std::printf("  %zu error boxes shown and dismissed\n", firstRunBoxes.value_or(boxes.shown));
    return status;
}
