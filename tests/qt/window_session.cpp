#include "window_session.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <stdexcept>

#include "toolkit/qt/t_application.h"
#include "toolkit/qt/t_edit.h"
#include "ui/tfrm_vantrel.h"

namespace vantrel::testing {

namespace {

int KeyForCharacter(QChar character) {
    const char16_t c = character.unicode();
    if (c >= u'0' && c <= u'9') {
        return Qt::Key_0 + (c - u'0');
    }
    if (c >= u'a' && c <= u'z') {
        return Qt::Key_A + (c - u'a');
    }
    if (c >= u'A' && c <= u'Z') {
        return Qt::Key_A + (c - u'A');
    }
    switch (c) {
        case u',':
            return Qt::Key_Comma;
        case u'.':
            return Qt::Key_Period;
        case u'-':
            return Qt::Key_Minus;
        case u'+':
            return Qt::Key_Plus;
        case u' ':
            return Qt::Key_Space;
        default:
            return Qt::Key_unknown;
    }
}

void Send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, const QString& text,
          bool autoRepeat) {
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        AbortTest(QStringLiteral("no widget has the keyboard focus"));
    }
    QKeyEvent event(type, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(target, &event);
}

}  // namespace

void AbortTest(const QString& why) {
    QTest::qFail(qPrintable(why), __FILE__, __LINE__);
    throw std::logic_error(why.toStdString());
}

WindowSession::WindowSession() {
    Application->CreateForm(window_);
    window_->show();
    window_->activateWindow();
    if (!QTest::qWaitForWindowActive(window_)) {
        qWarning("the window did not become active");
    }
    // A Wayland compositor tells a window its fractional scale only once it
    // has shown it; until then Qt draws at the output's whole scale.
    const auto wholeRatio = [this] {
        const qreal ratio = window_->devicePixelRatioF();
        return ratio == std::floor(ratio);
    };
    static_cast<void>(QTest::qWaitFor(wholeRatio, 2000));
}

WindowSession::~WindowSession() {
    delete window_;
}

TEdit& WindowSession::Edit(const char* layoutName) const {
    auto* edit = window_->findChild<TEdit*>(QString::fromLatin1(layoutName));
    if (edit == nullptr) {
        AbortTest(QStringLiteral("the window has no value field %1").arg(layoutName));
    }
    return *edit;
}

QString WindowSession::Text(const char* layoutName) const {
    return Edit(layoutName).text();
}

std::map<QString, QString> WindowSession::SheetTexts(const char* sheetName) const {
    std::map<QString, QString> texts;
    auto* sheet = window_->findChild<QWidget*>(QString::fromLatin1(sheetName));
    if (sheet == nullptr) {
        AbortTest(QStringLiteral("the window has no sheet %1").arg(sheetName));
    }
    for (TEdit* edit : sheet->findChildren<TEdit*>()) {
        texts[edit->objectName()] = edit->text();
    }
    return texts;
}

std::map<QString, QString> WindowSession::AllTexts() const {
    std::map<QString, QString> texts;
    for (TEdit* edit : window_->findChildren<TEdit*>()) {
        texts[edit->objectName()] = edit->text();
    }
    return texts;
}

QString WindowSession::FocusName() const {
    QWidget* focused = QApplication::focusWidget();
    if (focused == nullptr) {
        return QStringLiteral("(none)");
    }
    // The page control takes the focus through its tab strip.
    if (auto* pages = qobject_cast<QTabWidget*>(focused->parentWidget());
        pages != nullptr && focused == pages->focusProxy()) {
        return pages->objectName();
    }
    return focused->objectName();
}

void WindowSession::Press(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                          bool autoRepeat) {
    Send(QEvent::KeyPress, key, modifiers, text, autoRepeat);
}

void WindowSession::Release(int key, Qt::KeyboardModifiers modifiers, const QString& text,
                            bool autoRepeat) {
    Send(QEvent::KeyRelease, key, modifiers, text, autoRepeat);
    QCoreApplication::processEvents();
}

void WindowSession::Key(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    Press(key, modifiers, text);
    Release(key, modifiers, text);
}

void WindowSession::Type(const QString& text) {
    for (QChar character : text) {
        const bool upper = character.isUpper();
        Key(KeyForCharacter(character), upper ? Qt::ShiftModifier : Qt::NoModifier,
            QString(character));
    }
}

void WindowSession::ShowSheet(int index) {
    for (int i = 0; i < index; ++i) {
        Key(Qt::Key_Right);
    }
}

bool WindowSession::TabTo(const char* layoutName) {
    for (int presses = 0; presses < 64; ++presses) {
        if (FocusName() == QLatin1String(layoutName)) {
            return true;
        }
        Key(Qt::Key_Tab);
    }
    return false;
}

void WindowTestCase::init() {
    session_ = std::make_unique<WindowSession>();
}

void WindowTestCase::cleanup() {
    const QString unexpected = session_->Boxes().UnexpectedBoxes();
    session_.reset();
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected));
}

}  // namespace vantrel::testing
