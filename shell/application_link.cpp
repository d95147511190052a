#include "shell/application_link.h"

#include <atomic>

namespace {

std::atomic<ApplicationLink*> installedLink{nullptr};

}  // namespace

void SetApplicationLink(ApplicationLink* link) { installedLink.store(link); }

ApplicationLink* GetApplicationLink() { return installedLink.load(); }
