// Copying and printing the page shown in the content frame "T".
#include "window/form1.h"

#include "shell/web_browser.h"

#include <QClipboard>
#include <QGuiApplication>

// Copies the selection of the content frame, or the whole frame when
// nothing is selected. Text that was on the clipboard before never counts
// as copied.
void Form1::copyPage()
{
    WebBrowser1->focusFrame(contentFrame);
    QGuiApplication::clipboard()->clear();
    WebBrowser1->execCommand(QStringLiteral("Copy"));
    if (QGuiApplication::clipboard()->text().isEmpty()) {
        WebBrowser1->execCommand(QStringLiteral("SelectAll"));
        WebBrowser1->execCommand(QStringLiteral("Copy"));
        WebBrowser1->execCommand(QStringLiteral("Unselect"));
    }
}

void Form1::printPage()
{
    WebBrowser1->focusFrame(contentFrame);
    WebBrowser1->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER);
}
