#pragma once

#include <functional>
#include <string>

// Hands a document to the program the desktop assigns to it: a local file
// (the help file) or a web address (the home page). The window installs
// the opener; without one (headless runs) nothing can be opened.
enum class DocumentKind { kLocalFile, kWebAddress };
using DocumentOpener = std::function<bool(DocumentKind kind, const std::string& address)>;

// Installs the opener (an empty one removes it).
void SetDocumentOpener(DocumentOpener opener);

// True when the desktop took the document. Any thread may call it: the
// opener brings itself onto the window thread.
bool OpenDocument(DocumentKind kind, const std::string& address);
