// The busy lamp and the caption label follow the loading of pages, for the
// top-level page and for every frame.
#include "window/form1.h"

#include "window/latin2_string.h"
#include "window/picture_element.h"

#include <QLabel>

void Form1::WebBrowser1_DownloadBegin()
{
    showBusyLamp(true);
}

void Form1::WebBrowser1_DocumentComplete()
{
    setCaptionLabel(strTitula + " ... " + strCopy);
    showBusyLamp(false);
}

// The label grows to the right with its text and never wraps.
void Form1::setCaptionLabel(const std::string& latin2Text)
{
    Label1->setText(qStringFromLatin2(latin2Text));
    Label1->adjustSize();
}
