#pragma once
// The desktop clipboard on X11: Tapfill's own clipboard owner, which tells
// who asks for Tapfill's text.

#include "platform/Clipboard.h"
#include "platform/x11/ClipboardOwner.h"

#include <memory>

namespace tapfill::platform::x11 {

class X11Clipboard : public Clipboard {
public:
    explicit X11Clipboard(std::shared_ptr<ClipboardOwner> owner) : owner_(std::move(owner))
    {
        owner_->onTextRead = [this](const ClipboardRead& read) {
            if (onTextRead)
                onTextRead(read);
        };
    }
    ~X11Clipboard() override { owner_->onTextRead = nullptr; }

    bool clear() override
    {
        owner_->clear();
        return true;
    }
    bool setText(const std::string& utf8) override { return owner_->setText(utf8); }
    void keep(std::function<void()> ready) override { owner_->keep(std::move(ready)); }
    void giveBack() override { owner_->giveBack(); }

private:
    std::shared_ptr<ClipboardOwner> owner_;
};

} // namespace tapfill::platform::x11
