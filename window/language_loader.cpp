// Puts the texts of the language file into the window's fields, tooltips and
// search panel caption.
#include "window/form1.h"

#include "resources/language_file.h"
#include "window/latin2_string.h"
#include "window/picture_element.h"
#include "window/search_panel.h"

#include <QTextDocument>

namespace {

// The toolkit shows a tooltip that looks like markup as rich text; the
// language file's tips are plain text and must show as written.
QString plainToolTip(const std::string& text)
{
    QString tip = qStringFromLatin2(text);
    return Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip, Qt::WhiteSpaceNoWrap) : tip;
}

}  // namespace

void Form1::readLanguageFile(const std::string& path)
{
    strLangFile = path;
    lexoria::LanguageTexts texts{strNotFound, strFoundHtml, strTitula, strCopy, {}, {}};
    lexoria::readLanguageTexts(path, texts);

    strNotFound = texts.strNotFound;
    strFoundHtml = texts.strFoundHtml;
    strTitula = texts.strTitula;
    strCopy = texts.strCopy;
    for (std::size_t index = 0; index < texts.buttonTips.size(); ++index)
        if (texts.buttonTips[index])
            Image1[index]->setToolTip(plainToolTip(*texts.buttonTips[index]));
    if (texts.frameCaption)
        Frame1->setTitle(qStringFromLatin2(*texts.frameCaption));
}
