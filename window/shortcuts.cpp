// The keyboard's way to the picture buttons, which take no focus: each
// shortcut clicks its button, whichever control has the focus. The key
// preview brings every key press here first.
#include "window/form1.h"

#include "shell/web_browser.h"
#include "window/picture_element.h"
#include "window/search_panel.h"
#include "window/zoom_steps.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLineEdit>

#include <functional>
#include <utility>

namespace {

// The keys as pressed, without the keypad flag; Shift is dropped for the
// plus sign, which most layouts reach through Shift.
QKeyCombination pressedKeys(const QKeyEvent& key)
{
    Qt::KeyboardModifiers modifiers = key.modifiers() & ~Qt::KeypadModifier;
    if (key.key() == Qt::Key_Plus)
        modifiers &= ~Qt::ShiftModifier;
    return QKeyCombination(modifiers, static_cast<Qt::Key>(key.key()));
}

// A letter typed while the search panel is open belongs to its box, wherever
// the focus went after the panel opened (a results page takes it as it
// opens): the page takes no text, and the letter would be lost there.
bool typeIntoOpenSearchBox(const QKeyEvent& key, const QWidget& panel, QLineEdit& box)
{
    const Qt::KeyboardModifiers commands = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    const bool typed = !key.text().isEmpty() && key.text().front().isPrint() && !(key.modifiers() & commands);
    if (!typed || !panel.isVisible() || box.hasFocus())
        return false;
    box.setFocus();
    box.insert(key.text());
    return true;
}

}  // namespace

// Answers whether the key press was a shortcut, which then goes no further.
bool Form1::runShortcut(const QKeyEvent& key)
{
    const std::pair<QKeyCombination, std::function<void()>> shortcuts[] = {
        {Qt::ALT | Qt::Key_Left, [this] { Image1[0]->click(); }},
        {Qt::ALT | Qt::Key_Right, [this] { Image1[1]->click(); }},
        {Qt::ALT | Qt::Key_Home, [this] { Image1[2]->click(); }},
        {Qt::CTRL | Qt::Key_F, [this] { Image1[3]->click(); }},
        {QKeyCombination(Qt::Key_F1), [this] { Image1[10]->click(); }},
        {Qt::CTRL | Qt::Key_P, [this] { Image1[11]->click(); }},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_C, [this] { Image1[12]->click(); }},
        {Qt::CTRL | Qt::Key_Plus, [this] { zoomView(+1); }},
        {Qt::CTRL | Qt::Key_Equal, [this] { zoomView(+1); }},
        {Qt::CTRL | Qt::Key_Minus, [this] { zoomView(-1); }},
        {Qt::CTRL | Qt::Key_0, [this] { zoomView(0); }},
        {QKeyCombination(Qt::Key_F3), [this] { stepSearchHit(+1); }},
        {Qt::SHIFT | Qt::Key_F3, [this] { stepSearchHit(-1); }},
    };
    const QKeyCombination pressed = pressedKeys(key);
    for (const auto& [keys, action] : shortcuts) {
        if (keys == pressed) {
            action();
            return true;
        }
    }
    // Down and Up read on and back with a screen reader; without one they
    // scroll as ever.
    const bool down = pressed == QKeyCombination(Qt::Key_Down);
    if ((down || pressed == QKeyCombination(Qt::Key_Up)) && QAccessible::isActive() && WebBrowser1->hasFocus())
        return WebBrowser1->readOnward(down ? +1 : -1);
    // Escape keeps its meaning for the search panel on its release, and
    // takes the marks off the page as well.
    if (pressed == QKeyCombination(Qt::Key_Escape))
        clearSearchHits();
    return typeIntoOpenSearchBox(key, *Frame1, *Text1);
}

// One step larger or smaller in the usual zoom steps, or back to 100 %
// for a step of 0.
void Form1::zoomView(int steps)
{
    const double factor = steps == 0 ? 1.0 : lexoria::nextZoomStep(WebBrowser1->zoomFactor(), steps);
    WebBrowser1->setZoomFactor(factor);
}
