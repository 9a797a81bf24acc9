// A freshly created Vantrel window and a keyboard that types into whatever
// has the focus, as the window system delivers keys: presses and releases go
// to the focus widget of the moment, so a Tab's release lands on the field
// the Tab moved to.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>

#include "modal_box_guard.h"

class QWidget;

namespace vantrel {
class TEdit;
class TFrm_vantrel;
}  // namespace vantrel

namespace vantrel::testing {

// Fails the running test function from inside a helper and ends the run: a
// QVERIFY there would return from the helper alone and let the test carry on
// with a missing widget. The message is recorded before the run ends.
[[noreturn]] void AbortTest(const QString& why);

class WindowSession {
public:
    // Creates the window through the application object, shows it and waits
    // until it is active.
    WindowSession();
    ~WindowSession();
    WindowSession(const WindowSession&) = delete;
    WindowSession& operator=(const WindowSession&) = delete;

    TFrm_vantrel& Window() const { return *window_; }
    ModalBoxGuard& Boxes() { return boxes_; }
    TEdit& Edit(const char* layoutName) const;
    QString Text(const char* layoutName) const;
    // Texts of every value field of a sheet, by layout name.
    std::map<QString, QString> SheetTexts(const char* sheetName) const;
    // Texts of all 50 value fields.
    std::map<QString, QString> AllTexts() const;
    QString FocusName() const;

    void Press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               const QString& text = QString(), bool autoRepeat = false);
    void Release(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                 const QString& text = QString(), bool autoRepeat = false);
    // Press and release of one key.
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
             const QString& text = QString());
    // One key per character, with the text a keyboard would give it.
    void Type(const QString& text);
    // From the tab strip: picks a sheet with the arrow keys.
    void ShowSheet(int index);
    // Tab presses from the current focus until `layoutName` has it; fails the
    // test if it never does.
    bool TabTo(const char* layoutName);

private:
    TFrm_vantrel* window_ = nullptr;
    ModalBoxGuard boxes_;
};

// A test class whose every test function gets a fresh window. Afterwards the
// window is destroyed and any message box the test did not expect fails it.
class WindowTestCase : public QObject {
    Q_OBJECT

protected:
    std::unique_ptr<WindowSession> session_;

private slots:
    void init();
    void cleanup();
};

}  // namespace vantrel::testing
