#pragma once

// Whether movies can be read in this process. Initialize() runs once at start-up: when the
// movie libraries are present and match the ones the program was built with, it registers
// the movie codec and marks movies available; otherwise every movie operation fails and
// movies simply get no picture.
class MovieSupport final
{
public:
    MovieSupport() = delete;

    // Safe to call more than once; only the first call does the work.
    static bool Initialize();
    static bool IsAvailable();
};
