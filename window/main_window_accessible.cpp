#include "window/main_window_accessible.h"

#include "window/form1.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

class MainWindowAccessible : public QAccessibleWidget {
public:
    explicit MainWindowAccessible(Form1* form) : QAccessibleWidget(form, QAccessible::Window) {}

    // Read from the label each time, so that the name follows every change
    // of the caption; a name set explicitly would take precedence.
    QString text(QAccessible::Text kind) const override
    {
        const auto* form = static_cast<const Form1*>(widget());
        if (kind == QAccessible::Name && form->accessibleName().isEmpty() && form->Label1)
            return form->Label1->text();
        return QAccessibleWidget::text(kind);
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("Form1"))
        if (auto* form = qobject_cast<Form1*>(object))
            return new MainWindowAccessible(form);
    return nullptr;
}

}  // namespace

void installMainWindowAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}
