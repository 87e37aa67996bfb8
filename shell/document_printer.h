#pragma once

#include <QUrl>

class QPrinter;

// Prints the document at url on printer and returns once the printer has all
// pages. The view can print only its whole top-level page, so a frame's
// document is loaded afresh into a page of its own that is never shown.
// Throws WebBrowserError when the document cannot be loaded or printed.
void printDocument(const QUrl& url, QPrinter* printer);
