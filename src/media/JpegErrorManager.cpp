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
    JpegErrorManager* self = owner(info);
    if (info->err->msg_code == JWRN_JPEG_EOF)
        self->sourceEnded = true;
    else if (info->err->msg_code == JWRN_HIT_MARKER && self->sourceEnded)
        fail(info);
}
} // namespace

jpeg_error_mgr* JpegErrorManager::attach()
{
    jpeg_std_error(&manager);
    manager.error_exit = fail;
    manager.output_message = ignoreMessage;
    manager.emit_message = noteMessage;
    sourceEnded = false;
    return &manager;
}

void JpegErrorManager::limitScans(j_common_ptr info)
{
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > MaxScans)
        fail(info);
}
