#include "platform/document_opener.h"

#include <utility>

#include "platform/installed_hook.h"

namespace {

InstalledHook<DocumentOpener> g_opener;

}  // namespace

void SetDocumentOpener(DocumentOpener opener) { g_opener.Set(std::move(opener)); }

bool OpenDocument(DocumentKind kind, const std::string& address) {
  const DocumentOpener opener = g_opener.Get();
  return opener && opener(kind, address);
}
