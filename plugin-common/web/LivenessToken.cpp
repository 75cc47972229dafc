#include "LivenessToken.h"

#include <atomic>

namespace quil::web
{
namespace
{
std::atomic<int> liveProcessors { 0 };
}

LivenessToken::LivenessToken() noexcept
{
    liveProcessors.fetch_add(1);
}

LivenessToken::~LivenessToken()
{
    liveProcessors.fetch_sub(1);
}

int LivenessToken::liveCount() noexcept
{
    return liveProcessors.load();
}
} // namespace quil::web
