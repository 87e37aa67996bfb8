// The busy lamp and the caption label follow the loading of pages, for the
// top-level page and for every frame; a results page takes the focus as it
// opens.
#include "window/form1.h"

#include "base/app_files.h"
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

// A screen reader then reads the results from their heading on, and Tab
// walks their links. Only while the window is active: the keyboard is then
// the reader's, and a window system without a keyboard has no focus to give
// (Qt's Wayland client fails on a compositor without one). The focus is an
// aid: a frame that is gone or does not answer leaves it where it was.
void Form1::focusResultsPage(const QUrl& url)
{
    if (url.fileName() != QLatin1String(lexoria::appFiles::resultsPage) || !isActiveWindow())
        return;
    try {
        WebBrowser1->focusHeading(contentFrame);
    } catch (const WebBrowserError&) {
    }
}
