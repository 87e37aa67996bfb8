// Qt's own dialogs (the print dialog above all) speak the reader's language.
// Their translations lie in the application directory, copied there by the
// build, since the reader reads nothing outside it.
#include "window/form1.h"

#include <QCoreApplication>
#include <QTranslator>

void Form1::loadQtTranslations()
{
    // A missing catalogue leaves Qt's dialogs in English; the reader still
    // works, so that is no reason to stop it.
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral("qt_sl"), QString::fromStdString(strAppPath + "translations")))
        QCoreApplication::installTranslator(translator);
    else
        delete translator;
}
