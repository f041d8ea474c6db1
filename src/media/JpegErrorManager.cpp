#include "JpegErrorManager.h"

#include <jerror.h>

namespace {
constexpr int MaxScans = 500;

JpegErrorManager* owner(j_common_ptr info)
{
    // The manager is the first member, so the library's pointer is also a pointer to it.
    return reinterpret_cast<JpegErrorManager*>(info->err);
}

[[noreturn]] void fail(j_common_ptr info)
{
    std::longjmp(owner(info)->jump, 1);
}

void ignoreMessage(j_common_ptr) {}

void noteMessage(j_common_ptr info, int level)
{
    if (level != -1)
        return;
    // The entropy decoder ran into the end of the picture (a real end marker or the one the
    // source puts in when it runs dry) while it still needed data: the file is cut short.
    // Other markers in the way are only corruption, which the decoder rides out.
    if (info->err->msg_code == JWRN_HIT_MARKER && info->is_decompressor &&
        reinterpret_cast<j_decompress_ptr>(info)->unread_marker == JPEG_EOI)
        fail(info);
}
} // namespace

jpeg_error_mgr* JpegErrorManager::attach()
{
    jpeg_std_error(&manager);
    manager.error_exit = fail;
    manager.output_message = ignoreMessage;
    manager.emit_message = noteMessage;
    return &manager;
}

void JpegErrorManager::limitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
        fail(info);
}
