#pragma once

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// Turns the JPEG library's fatal errors into a longjmp back to the caller's setjmp, keeps its
// messages off the console, and stops a decode as soon as the picture data is known to end
// early, instead of filling the rest of the picture grey.
struct JpegErrorManager
{
    jpeg_error_mgr manager;
    std::jmp_buf jump;

    // Hooks the manager into a compress or decompress object before it is created.
    jpeg_error_mgr* attach();

    // Progress hook that refuses files with absurdly many scans, which would otherwise keep
    // the decoder busy for minutes on a few kilobytes of hostile data.
    static void limitScans(j_common_ptr info);
};
