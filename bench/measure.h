#pragma once

#include <QElapsedTimer>
#include <vector>

// How the benchmark takes its figures: wall time, medians, and the process's memory.
namespace tarnwick::bench {

template <class Work> double TimeMs(Work&& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

double Median(std::vector<double> values);

// A field of /proc/self/status given in kB ("VmHWM:", "VmRSS:"), in MiB; 0 where unreadable.
double ReadStatusMb(const char* field);

// Measures the program's peak from here on. What the benchmark held before (its floors' paths) is
// given back first and the high-water mark starts again from what the process holds now, so that
// the benchmark's own memory never counts as the program's. Where the mark cannot be reset it
// goes on counting from the start of the process.
void RestartPeak();

} // namespace tarnwick::bench
