#pragma once

namespace quil::web
{
// Held by every live processor: requests without a cancel function of their own end when the
// last one goes away.
class LivenessToken
{
public:
    LivenessToken() noexcept;
    ~LivenessToken();
    LivenessToken(const LivenessToken&) = delete;
    LivenessToken& operator=(const LivenessToken&) = delete;

    static int liveCount() noexcept;
};
} // namespace quil::web
