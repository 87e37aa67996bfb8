#include "window/picture_element_accessible.h"

#include "window/form1.h"
#include "window/picture_element.h"

#include <QAccessibleWidget>

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

    void doAction(const QString& actionName) override
    {
        if (role() == QAccessible::Button && actionName == pressAction())
            static_cast<PictureElement*>(widget())->click();
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureElement"))
        if (auto* button = qobject_cast<PictureElement*>(object))
            return new PictureElementAccessible(button);
    return nullptr;
}

}  // namespace

void installPictureElementAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}
