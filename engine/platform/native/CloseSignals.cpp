#include "engine/platform/native/CloseSignals.h"

#include <atomic>
#include <csignal>

static std::atomic<bool>& CloseSignalSeen()
{
    static std::atomic<bool> seen{false};
    static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs a lock-free flag");
    return seen;
}

static void NoteCloseSignal(int)
{
    CloseSignalSeen().store(true);
}

void InstallCloseSignalHandlers()
{
    // Touch the flag before any signal can arrive, so the handler never runs its initialisation.
    CloseSignalSeen().store(false);
    struct sigaction action = {};
    action.sa_handler = NoteCloseSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

bool TakeCloseSignal()
{
    return CloseSignalSeen().exchange(false);
}
