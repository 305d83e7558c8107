#pragma once
// Change notifications without a toolkit. A Signal calls every function
// connected to it, in the order they were connected, on the caller's thread.
// A connection lasts as long as the Connection that connect() returned, so
// whoever listens keeps its Connections as members and stops hearing when
// it goes away, even while the signal lives on.

#include <algorithm>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace tapfill::model {

/// Ends its connection when destroyed. Movable, not copyable.
class Connection {
public:
    Connection() = default;
    explicit Connection(std::function<void()> disconnect) : disconnect_(std::move(disconnect)) {}
    Connection(Connection&& other) noexcept : disconnect_(std::exchange(other.disconnect_, nullptr)) {}
    Connection& operator=(Connection&& other) noexcept
    {
        if (this != &other) {
            disconnect();
            disconnect_ = std::exchange(other.disconnect_, nullptr);
        }
        return *this;
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { disconnect(); }

    void disconnect()
    {
        if (auto disconnect = std::exchange(disconnect_, nullptr))
            disconnect();
    }

private:
    std::function<void()> disconnect_;
};

template <typename... Args>
class Signal {
public:
    Signal() = default;
    Signal(const Signal&) = delete;
    Signal& operator=(const Signal&) = delete;

    /// Calls `listener` at every notify() until the returned Connection ends.
    [[nodiscard]] Connection connect(std::function<void(Args...)> listener)
    {
        auto entry = std::make_shared<Entry>(Entry{std::move(listener)});
        entries_->push_back(entry);
        return Connection([list = std::weak_ptr<Entries>(entries_), weak = std::weak_ptr<Entry>(entry)] {
            const auto entries = list.lock();
            const auto ended = weak.lock();
            if (!entries || !ended)
                return;
            ended->connected = false;
            entries->erase(std::remove(entries->begin(), entries->end(), ended), entries->end());
        });
    }

    /// Calls every connected function. One disconnected by an earlier one
    /// during the call is not called; one connected during it is, next time.
    void notify(Args... args) const
    {
        const Entries current = *entries_;
        for (const auto& entry : current) {
            if (entry->connected)
                entry->listener(args...);
        }
    }

private:
    struct Entry {
        std::function<void(Args...)> listener;
        bool connected = true;
    };
    using Entries = std::vector<std::shared_ptr<Entry>>;
    std::shared_ptr<Entries> entries_ = std::make_shared<Entries>();
};

} // namespace tapfill::model
