// Timing helpers shared by the benchmark programs.
#pragma once
#include <windows.h>

#include <algorithm>
#include <vector>

namespace bench {

// Seconds from the performance counter.
inline double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return double(t.QuadPart) / double(frequency.QuadPart);
}

// The time of one call of fn, its drawing flushed: GDI may batch calls, and
// what is still queued would be charged to whatever runs next.
template <class Fn>
double Time(Fn fn) {
    const double start = Now();
    fn();
    GdiFlush();
    return Now() - start;
}

// The middle of a set of times (which it sorts).
inline double MedianOf(std::vector<double>& times) {
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The median time of runs calls of fn, with the drawing flushed in each.
template <class Fn>
double Median(int runs, Fn fn) {
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) times.push_back(Time(fn));
    return MedianOf(times);
}

// Milliseconds of CPU (user and kernel) the process has used so far.
inline double ProcessCpuMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& f) {
        ULARGE_INTEGER u;
        u.LowPart = f.dwLowDateTime;
        u.HighPart = f.dwHighDateTime;
        return double(u.QuadPart) / 10000.0;
    };
    return ms(kernel) + ms(user);
}

// The blocking waits of the transport as the program makes them, asleep, so
// that they cost no CPU; the milliseconds asked for are added up.
inline long long& WaitedMs() {
    static long long waited = 0;
    return waited;
}
inline void SleepingWait(int ms) {
    WaitedMs() += ms;
    Sleep(DWORD(ms > 0 ? ms : 0));
}

}  // namespace bench
