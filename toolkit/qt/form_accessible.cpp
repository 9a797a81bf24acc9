#include "toolkit/qt/form_accessible.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "toolkit/qt/t_form.h"

namespace vantrel {

namespace {

QAccessibleInterface* DescribeForm(const QString& /*className*/, QObject* object) {
    auto* form = qobject_cast<TForm*>(object);
    if (form == nullptr || !form->isWindow()) {
        return nullptr;
    }
    // Named by its title, like any window; AT-SPI shows the role as a frame.
    return new QAccessibleWidget(form, QAccessible::Window);
}

}  // namespace

void InstallFormAccessibility() {
    QAccessible::removeFactory(DescribeForm);
    QAccessible::installFactory(DescribeForm);
}

}  // namespace vantrel
