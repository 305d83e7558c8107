#pragma once
// What the clipboard held, in every format its owner offered that can be
// copied: memory blocks byte for byte (texts, pictures, files, formats of
// any program), bitmaps and enhanced metafiles as copies. Formats whose
// handles mean something only to their owner (private and GDI object
// ranges, owner-drawn display) cannot be kept and are left out.

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace tapfill::platform::windows {

class ClipboardSnapshot {
public:
    ClipboardSnapshot() = default;
    ~ClipboardSnapshot();
    ClipboardSnapshot(ClipboardSnapshot&&) noexcept;
    ClipboardSnapshot& operator=(ClipboardSnapshot&&) noexcept;

    /// Reads every format from the open clipboard; nothing when the content
    /// takes more than `budget` bytes.
    static std::optional<ClipboardSnapshot> read(std::size_t budget);
    /// Puts every format on the open, emptied clipboard.
    void put() const;
    bool empty() const { return formats_.empty(); }

private:
    struct Format {
        UINT id = 0;
        std::vector<char> bytes;        // a memory block
        HBITMAP bitmap = nullptr;       // CF_BITMAP
        HENHMETAFILE metafile = nullptr; // CF_ENHMETAFILE
    };
    void release();

    std::vector<Format> formats_;
};

} // namespace tapfill::platform::windows
