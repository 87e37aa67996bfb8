// The hits of the last search, marked on the page that a link of its results
// page opens in frame "T". Marks live only in the shown document: no file
// changes, and the next page in the frame starts without them.
#include "window/form1.h"

#include "base/app_files.h"
#include "shell/web_browser.h"
#include "window/latin2_string.h"

#include <QUrl>

#include <algorithm>

namespace {

// Helpers of the scripts below, with `frame` bound to frame "T". A hit is a
// mark element with the hit attribute; the current one also carries the
// current attribute and is scrolled to the middle of the frame.
const char* hitHelpers = R"JS(
const hitSelector = 'mark[data-lexoria-hit]';
function lexoriaHits() {
    return Array.from(frame.document.querySelectorAll(hitSelector));
}
function lexoriaUnmark() {
    for (const mark of lexoriaHits()) {
        const parent = mark.parentNode;
        while (mark.firstChild)
            parent.insertBefore(mark.firstChild, mark);
        parent.removeChild(mark);
        parent.normalize();
    }
}
function lexoriaSelect(hits, index) {
    hits.forEach(function (mark, i) {
        mark.toggleAttribute('data-lexoria-current', i === index);
        mark.style.background = i === index ? '#ff9632' : '#ffe45c';
    });
    hits[index].scrollIntoView({block: 'center', inline: 'nearest', behavior: 'instant'});
    return index + 1;
}
)JS";

// Wraps every occurrence of needle (lower case) in the text of the page,
// whatever its case, and selects the first; answers the number of hits. Text
// that lower-casing would lengthen cannot hold a Central European match and
// is passed over, and so are hits that an element boundary cuts.
const char* markScript = R"JS(
const needle = %1;
const doc = frame.document;
lexoriaUnmark();
if (%2 !== decodeURIComponent(frame.location.pathname) || !doc.body || !needle)
    return 0;
const skipped = /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA|TITLE)$/;
const walker = doc.createTreeWalker(doc.body, NodeFilter.SHOW_TEXT, {
    acceptNode: function (node) {
        return skipped.test(node.parentNode.nodeName) ? NodeFilter.FILTER_REJECT : NodeFilter.FILTER_ACCEPT;
    }
});
const texts = [];
while (walker.nextNode())
    texts.push(walker.currentNode);
for (const text of texts) {
    const lower = text.data.toLowerCase();
    if (lower.length !== text.data.length)
        continue;
    let rest = text;
    let restStart = 0;
    for (let at = lower.indexOf(needle); at >= 0; at = lower.indexOf(needle, restStart)) {
        const hit = rest.splitText(at - restStart);
        rest = hit.splitText(needle.length);
        restStart = at + needle.length;
        const mark = doc.createElement('mark');
        mark.setAttribute('data-lexoria-hit', '');
        hit.parentNode.replaceChild(mark, hit);
        mark.appendChild(hit);
    }
}
const hits = lexoriaHits();
if (hits.length)
    lexoriaSelect(hits, 0);
return hits.length;
)JS";

// Moves the current hit by step, round the ends; answers its position from
// 1, or 0 when the page shows no hits.
const char* stepScript = R"JS(
const hits = lexoriaHits();
if (!hits.length)
    return 0;
const current = hits.findIndex(function (mark) { return mark.hasAttribute('data-lexoria-current'); });
return lexoriaSelect(hits, (current + %1 + hits.length) % hits.length);
)JS";

// The marks are an aid to reading: a frame that is gone or does not answer
// leaves the page as it is, without a message.
void runHitScript(WebBrowser& view, const QString& body)
{
    try {
        view.numberFromFrame(contentFrame, QLatin1String(hitHelpers) + body);
    } catch (const WebBrowserError&) {
    }
}

}  // namespace

// Called for every completed document. The hits are marked when the
// document before was the results page and this one is a page the last
// search found.
void Form1::followSearchHits(const QUrl& url)
{
    const bool openedFromResults = resultsShown_;
    resultsShown_ = url.fileName() == QLatin1String(lexoria::appFiles::resultsPage);
    // The index may list a page in a folder of the application directory.
    const std::string path = url.path().toStdString();
    const bool found = std::any_of(lastHitFiles_.begin(), lastHitFiles_.end(),
                                   [&](const std::string& file) { return path.ends_with("/" + file); });
    if (openedFromResults && found)
        markSearchHits(url);
}

void Form1::markSearchHits(const QUrl& page)
{
    const QString needle = qStringFromLatin2(strLastQuery);
    const QString script = QString::fromLatin1(markScript).arg(jsString(needle), jsString(page.path()));
    runHitScript(*WebBrowser1, script);
}

void Form1::stepSearchHit(int step)
{
    runHitScript(*WebBrowser1, QString::fromLatin1(stepScript).arg(step));
}

void Form1::clearSearchHits()
{
    runHitScript(*WebBrowser1, QStringLiteral("lexoriaUnmark(); return 0;"));
}
