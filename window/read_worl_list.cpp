#include "window/form1.h"

#include "search/document_table.h"

#include <cstdio>

// Loads every page listed in the index into memory; the window does not
// answer until the last page has been read.
void Form1::readWorlList()
{
    lexoria::loadDocumentTable(strIndexFile, strAppPath, docList, docCount, [](const std::string& warning) {
        std::fprintf(stderr, "lexoria: %s\n", warning.c_str());
    });
    showBusyLamp(false);
    processPendingEvents();
}
