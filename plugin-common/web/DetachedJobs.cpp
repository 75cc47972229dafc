#include "DetachedJobs.h"

#include <juce_core/juce_core.h>

#include <atomic>
#include <mutex>
#include <thread>

#if JUCE_WINDOWS
 #include <windows.h>
#else
 #include <dlfcn.h>
 #include <link.h>
#endif

namespace quil::web
{
namespace
{
std::atomic<int> phase { static_cast<int>(LibraryPhase::startingUp) };
std::atomic<int> runningJobs { 0 };

// A thread cannot drop the last reference on the library that holds its own code without
// returning into unmapped memory, so the first job pins the library for the rest of the process.
bool pinThisLibrary()
{
    static std::once_flag once;
    static bool pinned = false;
    std::call_once(once, [] {
        static const int anchor = 0;
#if JUCE_WINDOWS
        HMODULE module = nullptr;
        pinned = GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                                    reinterpret_cast<LPCWSTR>(&anchor), &module)
                 != 0;
#else
        Dl_info info {};
        link_map* map = nullptr;
        if (dladdr1(&anchor, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0 || map == nullptr)
            return;
        // The main program is never unloaded.
        if (map->l_name == nullptr || map->l_name[0] == '\0')
        {
            pinned = true;
            return;
        }
        if (void* handle = dlopen(map->l_name, RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE))
        {
            dlclose(handle);
            pinned = true;
        }
#endif
    });
    return pinned;
}

void runJob(const std::function<void()>& job) noexcept
{
    try
    {
        job();
    }
    catch (...)
    {
    }
    runningJobs.fetch_sub(1);
}

// Marks the library running once its statics exist and tearing down when they go; at exit it
// gives running jobs (whose requests the tear-down cancels) a moment to leave.
struct LibraryLifetime
{
    LibraryLifetime() noexcept { setLibraryPhase(LibraryPhase::running); }

    ~LibraryLifetime()
    {
        setLibraryPhase(LibraryPhase::tearingDown);
#if ! JUCE_WINDOWS
        // Windows ends the other threads before this runs; elsewhere they are still alive.
        for (int waited = 0; runningJobs.load() > 0 && waited < 3000; waited += 5)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
#endif
    }
};

const LibraryLifetime lifetime;
} // namespace

LibraryPhase libraryPhase() noexcept
{
    return static_cast<LibraryPhase>(phase.load());
}

void setLibraryPhase(LibraryPhase newPhase) noexcept
{
    phase.store(static_cast<int>(newPhase));
}

bool launchDetached(std::function<void()> job)
{
    if (libraryPhase() != LibraryPhase::running || !pinThisLibrary())
        return false;

    runningJobs.fetch_add(1);
    try
    {
        std::thread(runJob, std::move(job)).detach();
        return true;
    }
    catch (...)
    {
        runningJobs.fetch_sub(1);
        return false;
    }
}

int detachedJobCount() noexcept
{
    return runningJobs.load();
}
} // namespace quil::web
