#pragma once
// How a port hands its line events to the user-interface thread. The window installs
// a poster that queues the call for its own thread (a queued Qt call); the call then
// runs when that thread processes its messages. Without a poster a port delivers its
// events at once, on whatever thread noticed them.
#include <functional>

using EventPoster = std::function<void(std::function<void()>)>;
