#include "link/linkhost.h"

#include <atomic>

namespace {
std::atomic<int> nextLinkHostId{1};
}

LinkHost::LinkHost() : m_linkHostId(nextLinkHostId++) {}
