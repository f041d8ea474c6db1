#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// Turns the JPEG library's fatal errors into a longjmp back to the caller's setjmp, keeps its
// messages off the console, and stops a decode as soon as the data is known to be cut short
// (the source ran dry and the decoder still wanted bits), instead of filling the rest grey.
struct JpegErrorManager
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    bool sourceEnded = false;

    // Hooks the manager into a compress or decompress object before it is created.
    jpeg_error_mgr* attach();

    // Progress hook that refuses files with absurdly many scans, which would otherwise keep
    // the decoder busy for minutes on a few kilobytes of hostile data.
    static void limitScans(j_common_ptr info);
};
