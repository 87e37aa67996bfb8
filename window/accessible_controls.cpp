#include "window/accessible_controls.h"

#include "window/form1.h"
#include "window/picture_element.h"

#include <QAccessibleWidget>
#include <QLabel>

namespace {

bool isLamp(const PictureElement& button)
{
    return button.index() == Form1::busyLamp || button.index() == Form1::readyLamp;
}

class PictureElementAccessible : public QAccessibleWidget {
public:
    explicit PictureElementAccessible(PictureElement* button)
        : QAccessibleWidget(button, isLamp(*button) ? QAccessible::Indicator : QAccessible::Button)
    {
    }

    // The tooltip is the button's word in the language file; a name set
    // explicitly would take precedence.
    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Name && widget()->accessibleName().isEmpty())
            return widget()->toolTip();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override
    {
        if (role() == QAccessible::Button)
            return {pressAction()};
        return {};
    }

    // The press runs once the bus's call has returned, as Qt's own buttons
    // defer theirs: a click that opens a modal dialog, or that lands in a
    // search's bounded wait, must not run inside the call.
    void doAction(const QString& actionName) override
    {
        if (role() != QAccessible::Button || actionName != pressAction())
            return;
        auto* button = static_cast<PictureElement*>(widget());
        QMetaObject::invokeMethod(button, &PictureElement::click, Qt::QueuedConnection);
    }
};

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
    if (className == QLatin1String("PictureElement"))
        if (auto* element = qobject_cast<PictureElement*>(object))
            return new PictureElementAccessible(element);
    if (className == QLatin1String("Form1"))
        if (auto* form = qobject_cast<Form1*>(object))
            return new MainWindowAccessible(form);
    return nullptr;
}

}  // namespace

void installAccessibleControls()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}
