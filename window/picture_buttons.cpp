// What the picture buttons do when clicked, and how a button lights up
// while the pointer is on it.
#include "window/form1.h"

#include "window/picture_file.h"
#include "resources/skin_paths.h"
#include "shell/failure_report.h"
#include "shell/web_browser.h"
#include "window/picture_element.h"
#include "window/search_panel.h"

#include <QCoreApplication>
#include <QLineEdit>

#include <exception>

namespace {

// A click runs each of its statements on its own: one that fails is skipped
// without a message, and the click goes on with the next.
template <typename Statement>
void skipOnFailure(Statement statement)
{
    try {
        statement();
    } catch (const std::exception&) {
    }
}

}  // namespace

void Form1::Image1_Click(std::int16_t index)
{
    skipOnFailure([&] { WebBrowser1->Stop(); });
    switch (index) {
    case 0:
        skipOnFailure([&] { WebBrowser1->GoBack(); });
        break;
    case 1:
        skipOnFailure([&] { WebBrowser1->GoForward(); });
        break;
    case 2:
        skipOnFailure([&] { WebBrowser1->Navigate(QString::fromStdString(strHomePage)); });
        break;
    case 3:
        Text1->setSelection(0, static_cast<int>(Text1->text().size()));
        Frame1->show();
        Text1->setFocus();
        break;
    case 6:
        showMinimized();
        processPendingEvents();
        break;
    case 7:
        close();
        QCoreApplication::quit();
        break;
    case 8:
        findThis();
        break;
    case 9:
        Frame1->hide();
        break;
    case 10:
        skipOnFailure([&] { WebBrowser1->Navigate(QString::fromStdString(strHelpPage), contentFrame); });
        break;
    case 11:
        skipOnFailure([&] { printPage(); });
        break;
    case 12:
        skipOnFailure([&] { copyPage(); });
        break;
    default:
        break;
    }
}

void Form1::Image1_MouseMove(std::int16_t index)
{
    runOrEnd(this, [&] {
        hoverButton = index;
        // Moves within the lit button read no file.
        if (litButton == index)
            return;
        buttonNormalState();
        // buttonNormalState processes pending events: the pointer may have
        // moved on meanwhile, and a button it left must not light. A lamp
        // has no lit picture.
        const std::string litPicture = lexoria::litPicturePath(strSkinOnPath, index);
        if (litPicture.empty() || litButton != index)
            return;
        Image1[index]->setPicture(lexoria::readPicture(litPicture));
    });
}

void Form1::buttonNormalState()
{
    if (litButton != hoverButton) {
        if (litButton != noButton)
            loadButtonPicture(litButton);
        litButton = hoverButton;
    }
    processPendingEvents();
}
