// The start-up sequence: splash first, main window hidden while the skin,
// the language file and the statute's pages load, then the home page.
#include "window/form1.h"

#include "base/app_files.h"
#include "base/file_error.h"
#include "shell/web_browser.h"
#include "window/picture_element.h"
#include "window/splash_window.h"

#include <QLineEdit>
#include <QMenu>

#include <filesystem>

// Without its home page the reader would open on an empty view: better to
// say so than to show an error page.
void Form1::requireHomePage() const
{
    if (!std::filesystem::is_regular_file(strHomePage))
        throw lexoria::FileError(lexoria::fileMessage(strHomePage, "the home page is missing"));
}

void Form1::Form_Load()
{
    if (!splash)
        splash = std::make_unique<Form2>();
    splash->show();
    processPendingEvents();
    WebBrowser1->Stop();
    hide();
    hoverButton = noButton;
    litButton = noButton;
    strVersion = versionText(program_.baseName);
    strAppPath = program_.directory + "/";
    loadQtTranslations();
    splash->setAccessibleName(QString::fromStdString(strVersion));
    strSkinName = lexoria::appFiles::skinFolder;
    loadSkin(strSkinName);
    readLanguageFile(strAppPath + lexoria::appFiles::languageFile);
    mnuMain->menuAction()->setVisible(false);
    strHomePage = strAppPath + lexoria::appFiles::homePage;
    strIndexFile = strAppPath + lexoria::appFiles::index;
    readWorlList();
    processPendingEvents();
    strHelpPage = strAppPath + lexoria::appFiles::helpPage;
    Text1->clear();
    requireHomePage();
    WebBrowser1->Navigate(QString::fromStdString(strHomePage));
    showBusyLamp(true);
    processPendingEvents();
    processPendingEvents();
    // The caption names the window, and a screen reader names a window as it
    // appears: it has its text before the home page has loaded.
    setCaptionLabel(strTitula + " ... " + strCopy);
    show();
    // A window manager gives a new window the keyboard focus; with none, it
    // would stay with the screen until the window is clicked.
    activateWindow();
    splash->hide();
}
