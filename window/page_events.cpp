// The busy lamp and the caption label follow the loading of pages, for the
// top-level page and for every frame; a page that opens in frame "T" takes
// the focus.
#include "window/form1.h"

#include "shell/web_browser.h"
#include "window/latin2_string.h"
#include "window/picture_element.h"

#include <QAccessible>
#include <QLabel>
#include <QUrl>

void Form1::WebBrowser1_DownloadBegin()
{
    showBusyLamp(true);
}

void Form1::WebBrowser1_DocumentComplete()
{
    setCaptionLabel(strTitula + " ... " + strCopy);
    showBusyLamp(false);
}

// The label grows to the right with its text and never wraps. It names the
// window for screen readers, which hear of each change.
void Form1::setCaptionLabel(const std::string& latin2Text)
{
    Label1->setText(qStringFromLatin2(latin2Text));
    Label1->adjustSize();
    QAccessibleEvent renamed(this, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&renamed);
}

// Each page that opens in frame "T" takes the focus, so that a screen reader
// says where the person now is: the results from their heading on, a page
// opened from them at the line of its first hit, any other page from its
// heading. Only while the window is active: the keyboard is then the
// reader's, and a window system without a keyboard has no focus to give (Qt's
// Wayland client fails on a compositor without one).
void Form1::focusShownPage(const QUrl& url)
{
    if (isActiveWindow())
        WebBrowser1->focusReadingStart(contentFrame, url.path());
}
