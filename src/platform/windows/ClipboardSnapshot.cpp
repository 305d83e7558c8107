#include "platform/windows/ClipboardSnapshot.h"

#include <cstring>

namespace tapfill::platform::windows {
namespace {

bool isMemoryBlock(UINT format)
{
    switch (format) {
    case CF_BITMAP: case CF_METAFILEPICT: case CF_PALETTE: case CF_ENHMETAFILE:
    case CF_OWNERDISPLAY: case CF_DSPBITMAP: case CF_DSPMETAFILEPICT: case CF_DSPENHMETAFILE:
        return false;
    default:
        return !(format >= CF_PRIVATEFIRST && format <= CF_GDIOBJLAST);
    }
}

} // namespace

ClipboardSnapshot::~ClipboardSnapshot()
{
    release();
}

ClipboardSnapshot::ClipboardSnapshot(ClipboardSnapshot&& other) noexcept : formats_(std::move(other.formats_))
{
    other.formats_.clear();
}

ClipboardSnapshot& ClipboardSnapshot::operator=(ClipboardSnapshot&& other) noexcept
{
    if (this != &other) {
        release();
        formats_ = std::move(other.formats_);
        other.formats_.clear();
    }
    return *this;
}

void ClipboardSnapshot::release()
{
    for (auto& format : formats_) {
        if (format.bitmap)
            DeleteObject(format.bitmap);
        if (format.metafile)
            DeleteEnhMetaFile(format.metafile);
    }
    formats_.clear();
}

std::optional<ClipboardSnapshot> ClipboardSnapshot::read(std::size_t budget)
{
    ClipboardSnapshot snapshot;
    std::size_t used = 0;
    for (UINT id = EnumClipboardFormats(0); id != 0; id = EnumClipboardFormats(id)) {
        Format format;
        format.id = id;
        HANDLE data = GetClipboardData(id);
        if (!data)
            continue; // the owner could not render it
        if (id == CF_BITMAP) {
            format.bitmap = static_cast<HBITMAP>(CopyImage(data, IMAGE_BITMAP, 0, 0, 0));
            if (!format.bitmap)
                continue;
        } else if (id == CF_ENHMETAFILE) {
            format.metafile = CopyEnhMetaFileW(static_cast<HENHMETAFILE>(data), nullptr);
            if (!format.metafile)
                continue;
        } else if (isMemoryBlock(id)) {
            const SIZE_T size = GlobalSize(data);
            if (used + size > budget)
                return std::nullopt;
            const void* bytes = GlobalLock(data);
            if (!bytes)
                continue;
            format.bytes.assign(static_cast<const char*>(bytes), static_cast<const char*>(bytes) + size);
            GlobalUnlock(data);
            used += size;
        } else {
            continue;
        }
        snapshot.formats_.push_back(std::move(format));
    }
    return snapshot;
}

void ClipboardSnapshot::put() const
{
    for (const auto& format : formats_) {
        HANDLE data = nullptr;
        if (format.bitmap) {
            data = CopyImage(format.bitmap, IMAGE_BITMAP, 0, 0, 0);
        } else if (format.metafile) {
            data = CopyEnhMetaFileW(format.metafile, nullptr);
        } else {
            HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, format.bytes.size());
            if (block) {
                if (void* bytes = GlobalLock(block)) {
                    std::memcpy(bytes, format.bytes.data(), format.bytes.size());
                    GlobalUnlock(block);
                }
            }
            data = block;
        }
        // The clipboard owns what it took; what it refused is ours to free.
        if (data && !SetClipboardData(format.id, data)) {
            if (format.bitmap)
                DeleteObject(data);
            else if (format.metafile)
                DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data));
            else
                GlobalFree(data);
        }
    }
}

} // namespace tapfill::platform::windows
