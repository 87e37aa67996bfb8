// The window's search: the search box's text against every page in memory,
// the results page written beside the program and shown in frame "T".
#include "window/form1.h"

#include "search/codepage.h"
#include "search/query.h"
#include "base/app_files.h"
#include "base/file_replacement.h"
#include "search/search.h"
#include "shell/failure_report.h"
#include "shell/web_browser.h"
#include "window/event_slices.h"
#include "window/search_panel.h"

#include <QLabel>
#include <QLineEdit>

#include <exception>
#include <string>

namespace {

// Marks a search as running for as long as it is in scope.
class RunningSearch {
public:
    explicit RunningSearch(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunningSearch() { flag_ = false; }
    RunningSearch(const RunningSearch&) = delete;
    RunningSearch& operator=(const RunningSearch&) = delete;

private:
    bool& flag_;
};

// Thrown at a yield after which the window has closed: the search ends
// there, quietly, with the program.
struct WindowClosed {};

}  // namespace

void Form1::findThis()
{
    // The search lets the event loop run while it works, so the OK button
    // or Enter can ask for another one while it runs: that one is refused.
    if (searching_)
        return;
    RunningSearch running(searching_);
    // A search that fails gives back the caption it found, not the count
    // of the pages it searched.
    const QString captionBefore = Label1->text();
    try {
        const std::string query = lexoria::normaliseQuery(lexoria::cp1250FromUtf8(Text1->text().toStdString()));
        if (!query.empty())
            searchAndShow(query);
        Frame1->hide();
    } catch (const WindowClosed&) {
        return;
    } catch (const std::exception& failure) {
        Label1->setText(captionBefore);
        Label1->adjustSize();
        // The panel stays open with the query, so the user can try again.
        reportFailure(this, failure.what());
    }
    showBusyLamp(false);
    processPendingEvents();
}

void Form1::searchAndShow(const std::string& query)
{
    if (docCount == 0)
        readWorlList();
    showBusyLamp(true);
    const int navigationsBefore = WebBrowser1->navigationsAsked();
    // Close, clicked while the search yields, hides the window and ends the
    // event loop: the search must not go on under it, where the view no
    // longer answers.
    EventSlices slices([this] {
        processPendingEvents();
        if (isHidden())
            throw WindowClosed{};
    });
    slices.yieldNow();
    // The caption counts the pages that do not match. It is repainted only
    // when the search yields, so it is set only then, to the latest count,
    // and always after the last page.
    const std::int16_t lastSlot = docCount;
    std::int16_t uncountedSlot = 0;
    const lexoria::SearchResult result = lexoria::runSearch(
        docList, docCount, query, {strFoundHtml, strTitula, strNotFound},
        [&](std::int16_t slot, bool matched) {
            if (!matched)
                uncountedSlot = slot;
            if (slot != lastSlot && !slices.due())
                return;
            if (uncountedSlot != 0)
                setCaptionLabel(" " + std::to_string(uncountedSlot));
            uncountedSlot = 0;
            slices.yieldNow();
        });
    strLastQuery = query;
    lastHitFiles_.clear();
    for (const std::int16_t slot : result.hitSlots)
        lastHitFiles_.push_back(docList[static_cast<std::size_t>(slot)].strFile);
    const std::string resultsPath = strAppPath + lexoria::appFiles::resultsPage;
    lexoria::replaceFile(resultsPath, result.page);
    // A page the person opened while the search ran (Home, Back, Help) is
    // what the person looks at now: the results do not replace it.
    if (WebBrowser1->navigationsAsked() == navigationsBefore)
        WebBrowser1->Navigate(QString::fromStdString(resultsPath), contentFrame);
}
