#pragma once

#include "search/document_table.h"
#include "base/program_info.h"
#include "resources/button_count.h"
#include "window/frame_resize.h"
#include "window/pressed_keys.h"

#include <QPixmap>
#include <QWidget>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QMenu;
class QAction;
class QKeyEvent;
class QUrl;
class PictureElement;
class SearchPanel;
class WebBrowser;

// The main window. It owns all state of the reader for the whole run; its
// methods live in this folder, one file per idea (CMakeLists.txt names the
// file of each), and the start-up sequence Form_Load in window/form_load.cpp.
class Form1 : public QWidget {
    Q_OBJECT

public:
    // No picture button: distinct from every index 0..12.
    static constexpr std::int16_t noButton = -1;
    static constexpr int buttonCount = lexoria::buttonCount;
    static constexpr std::int16_t busyLamp = 5;
    static constexpr std::int16_t readyLamp = 4;

    explicit Form1(ProgramInfo program, QWidget* parent = nullptr);
    ~Form1() override;

    // The start-up sequence. Throws lexoria::FileError (or another
    // std::exception) when a file it needs is missing or malformed; the main
    // window is then never shown.
    void Form_Load();

    void buttonNormalState();
    void readWorlList();
    void findThis();
    static std::string strIsoEncodeCEELow(std::string strIn);

    // The window's background picture, drawn unscaled at the client area's
    // top-left corner.
    void setBackgroundPicture(const QPixmap& picture);

    // State of the reader for the whole run.
    std::int16_t hoverButton = noButton;
    std::int16_t litButton = noButton;
    std::string strVersion;
    std::string strAppPath;
    std::string strSkinPath;
    std::string strSkinNormalPath;
    std::string strSkinOnPath;
    std::string strLangFile;
    std::string strSkinName;
    std::string strHomePage;
    std::array<std::string, 33> strButtonPicture;
    std::string strIndexFile;
    std::string strNotFound;
    std::string strHelpPage;
    lexoria::DocList docList;
    std::int16_t docCount = 0;
    std::string strFoundHtml;
    std::string strTitula;
    std::string strCopy;
    float dragX = 0;
    float dragY = 0;
    // The normalised query of the last search, marked on the pages its
    // results page opens.
    std::string strLastQuery;

    // Controls of the window design.
    std::array<PictureElement*, buttonCount> Image1{};
    SearchPanel* Frame1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QLabel* Label1 = nullptr;
    WebBrowser* WebBrowser1 = nullptr;
    QMenu* mnuMain = nullptr;
    // The splash window Form2, made by the start-up sequence.
    std::unique_ptr<QWidget> splash;

    // The sizing frame around the client area, in logical pixels.
    static constexpr int frameWidth = 4;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void requireHomePage() const;
    void createMenu();

    void loadSkin(const std::string& name);
    void loadButtonPicture(std::int16_t index);
    void readLanguageFile(const std::string& path);
    void copyPage();
    void printPage();

    void Image1_Click(std::int16_t index);
    void Image1_MouseMove(std::int16_t index);
    void Frame1_MouseMove();
    void WebBrowser1_DownloadBegin();
    void WebBrowser1_DocumentComplete();
    void Form_Resize();
    void Form_KeyUp(int keyCode);
    void Form_MouseDown(Qt::MouseButton button, float x, float y);
    void Form_MouseMove(Qt::MouseButtons buttons, float x, float y);

    Qt::Edges frameEdgesAt(QPoint position) const;
    void startFrameResize(Qt::Edges edges, QPoint pointer);
    void takeBackHighlight();
    void placeInClient(QWidget* control, float left, float top, float width, float height);
    float leftTwips(const QWidget* control) const;
    void setLeftTwips(QWidget* control, float left);

    void searchAndShow(const std::string& query);
    void showBusyLamp(bool visible);
    void setCaptionLabel(const std::string& latin2Text);
    void focusShownPage(const QUrl& url);
    void processPendingEvents();

    bool runShortcut(const QKeyEvent& key);
    void zoomView(int steps);
    void followSearchHits(const QUrl& url);
    void markSearchHits(const QUrl& page);
    void stepSearchHit(int step);
    void clearSearchHits();
    void loadQtTranslations();

    ProgramInfo program_;
    QPixmap backgroundPicture_;
    bool searching_ = false;
    PressedKeys pressedKeys_;
    // What the left button held down does: drag the window by its
    // background (from where the window stood at the press), or size it by
    // the frame where the window system will not.
    std::optional<QPoint> dragOrigin_;
    std::optional<FrameResize> frameResize_;
    // The pages the last search found, and whether the document completed
    // last was its results page.
    std::vector<std::string> lastHitFiles_;
    bool resultsShown_ = false;
};
