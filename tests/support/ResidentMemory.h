#pragma once

#include <cstdio>

#include <unistd.h>

// The process's resident set in bytes, from /proc/self/statm; 0 when it
// cannot be read. Pages actually held, which is what weeks of running
// would exhaust, not the address space reserved.
inline long residentBytes()
{
    long pages = 0;
    long resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(statm);
    }
    return resident * sysconf(_SC_PAGESIZE);
}
