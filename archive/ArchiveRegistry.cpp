// archive/ArchiveRegistry.cpp
#include "archive/ArchiveRegistry.h"

#include <map>
#include <mutex>

namespace {

// The install worker may open an archive while the main thread registers another.
std::mutex s_mutex;

std::map<UINT, SByteBlock>& Registry() {
    static std::map<UINT, SByteBlock> s_registry;
    return s_registry;
}

} // namespace

void RegisterArchive(UINT nID, const SByteBlock& block) {
    std::lock_guard<std::mutex> lock(s_mutex);
    Registry()[nID] = block;
}

void UnregisterArchive(UINT nID) {
    std::lock_guard<std::mutex> lock(s_mutex);
    Registry().erase(nID);
}

BOOL FindRegisteredArchive(UINT nID, SByteBlock& block) {
    std::lock_guard<std::mutex> lock(s_mutex);
    const auto it = Registry().find(nID);
    if (it == Registry().end())
        return FALSE;
    block = it->second;
    return TRUE;
}
