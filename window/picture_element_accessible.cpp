#include "window/picture_button_accessible.h"

#include "shell/form1.h"
#include "window/picture_button.h"

#include <QAccessibleWidget>

namespace {

bool isLamp(const PictureButton& button)
{
    return button.index() == Form1::busyLamp || button.index() == Form1::readyLamp;
}

class PictureButtonAccessible : public QAccessibleWidget {
public:
    explicit PictureButtonAccessible(PictureButton* button)
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
            static_cast<PictureButton*>(widget())->click();
    }
};

QAccessibleInterface* accessibleFor(const QString& className, QObject* object)
{
    if (className == QLatin1String("PictureButton"))
        if (auto* button = qobject_cast<PictureButton*>(object))
            return new PictureButtonAccessible(button);
    return nullptr;
}

}  // namespace

void installPictureButtonAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(accessibleFor);
        return true;
    }();
    (void)installed;
}
