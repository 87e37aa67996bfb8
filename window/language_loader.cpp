// Puts the texts of the language file into the window's fields, tooltips and
// search panel caption.
#include "shell/form1.h"

#include "resources/language_file.h"
#include "search/codepage.h"
#include "window/picture_button.h"
#include "window/search_panel.h"

#include <QTextDocument>

namespace {

QString fromLatin2(const std::string& text)
{
    return QString::fromUtf8(lexoria::utf8FromLatin2(text));
}

// The toolkit shows a tooltip that looks like markup as rich text; the
// language file's tips are plain text and must show as written.
QString plainToolTip(const std::string& text)
{
    QString tip = fromLatin2(text);
    return Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip, Qt::WhiteSpaceNoWrap) : tip;
}

}  // namespace

void Form1::readLanguageFile(const std::string& path)
{
    strLangFile = path;
    lexoria::LanguageTexts texts{strNotFound, strFoundHtml, strTitula, strCopy, {}, {}};
    lexoria::readLanguageFile(path, texts);

    strNotFound = texts.strNotFound;
    strFoundHtml = texts.strFoundHtml;
    strTitula = texts.strTitula;
    strCopy = texts.strCopy;
    for (std::size_t index = 0; index < texts.buttonTips.size(); ++index)
        if (texts.buttonTips[index])
            Image1[index]->setToolTip(plainToolTip(*texts.buttonTips[index]));
    if (texts.frameCaption)
        Frame1->setTitle(fromLatin2(*texts.frameCaption));
}
