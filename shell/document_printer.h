#pragma once

#include <QUrl>

#include <filesystem>

class QPrinter;

// Prints the document at url on printer and returns once the printer has all
// pages. The view can print only its whole top-level page, so a frame's
// document is loaded afresh into a page of its own that is never shown,
// which loads nothing from outside appDir either.
// Throws WebBrowserError when the document cannot be loaded or printed.
void printDocument(const QUrl& url, QPrinter* printer, const std::filesystem::path& appDir);
