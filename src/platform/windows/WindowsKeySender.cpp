#include "platform/windows/WindowsKeySender.h"

#include "platform/windows/KeyInputs.h"
#include "platform/windows/Processes.h"

#include <algorithm>

namespace tapfill::platform::windows {
namespace {

// An unassigned virtual key. Windows opens the menu bar when Alt goes up,
// and the Start menu when the Windows key does, unless another key came in
// between: this one, which no program acts on.
constexpr unsigned short MaskKey = 0xE8;

constexpr unsigned short ModifierKeys[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL,
                                           VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN};

bool sendAll(std::vector<INPUT>& inputs)
{
    return inputs.empty()
        || SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) == inputs.size();
}

SendResult notTyped(std::string reason)
{
    return SendResult{SendResult::Outcome::NotTyped, std::move(reason)};
}

} // namespace

WindowsKeySender::WindowsKeySender(UiThread& ui, std::shared_ptr<LowLevelInput> input)
    : ui_(ui), input_(std::move(input))
{
}

WindowsKeySender::~WindowsKeySender()
{
    if (timer_)
        ui_.cancel(timer_);
}

void WindowsKeySender::send(const std::string& keys, Done done)
{
    auto strokes = keys::parseKeyNotation(keys);
    std::string why;
    auto inputs = strokes ? keyInputs(*strokes, why) : std::nullopt;
    if (!inputs) {
        done(notTyped(strokes ? "cannot type " + why : "\"" + keys + "\" is not a key sequence"));
        return;
    }
    enqueue(std::move(*inputs), std::move(done));
}

void WindowsKeySender::typeText(const std::string& text, Done done)
{
    auto strokes = keys::textKeyStrokes(text);
    std::string why;
    auto inputs = strokes ? keyInputs(*strokes, why) : std::nullopt;
    if (!inputs) {
        done(notTyped("the text holds a control character that no key types"));
        return;
    }
    enqueue(std::move(*inputs), std::move(done));
}

ProgramName WindowsKeySender::focusedProgram()
{
    return programOfWindow(GetForegroundWindow());
}

std::string WindowsKeySender::refusal()
{
    HWND target = GetForegroundWindow();
    if (!target)
        return "no window has the keyboard focus";
    DWORD processId = 0;
    GetWindowThreadProcessId(target, &processId);
    if (processId != GetCurrentProcessId() && runsWithHigherRights(processId))
        return executableName(processId) + " runs as administrator; Windows keeps Tapfill's keys from it";
    return {};
}

void WindowsKeySender::enqueue(std::vector<INPUT> inputs, Done done)
{
    queue_.push_back(Job{std::move(inputs), std::move(done), 0, {}});
    if (!busy_)
        startNext();
}

void WindowsKeySender::startNext()
{
    if (queue_.empty()) {
        busy_ = false;
        return;
    }
    busy_ = true;
    if (std::string why = refusal(); !why.empty()) {
        finish(notTyped(why));
        return;
    }
    Job& job = queue_.front();
    std::vector<INPUT> release;
    bool masked = false;
    for (auto key : ModifierKeys) {
        if (!(GetAsyncKeyState(key) & 0x8000))
            continue;
        const bool needsMask = key == VK_LMENU || key == VK_RMENU || key == VK_LWIN || key == VK_RWIN;
        if (needsMask && !masked) {
            release.push_back(virtualKeyInput(MaskKey, false));
            release.push_back(virtualKeyInput(MaskKey, true));
            masked = true;
        }
        release.push_back(virtualKeyInput(key, true));
        job.released.push_back(key);
    }
    if (!sendAll(release)) {
        finish(notTyped("Windows did not take the keys (another program may block input)"));
        return;
    }
    sendChunk();
}

void WindowsKeySender::sendChunk()
{
    timer_ = 0;
    Job& job = queue_.front();
    const std::size_t count = std::min(ChunkEvents, job.inputs.size() - job.next);
    std::vector<INPUT> chunk(job.inputs.begin() + static_cast<std::ptrdiff_t>(job.next),
                             job.inputs.begin() + static_cast<std::ptrdiff_t>(job.next + count));
    const bool first = job.next == 0;
    if (!sendAll(chunk)) {
        finish(notTyped(first ? "Windows did not take the keys (another program may block input)"
                              : "typing stopped part way: Windows did not take more keys"));
        return;
    }
    job.next += count;
    if (job.next < job.inputs.size()) {
        timer_ = ui_.after(ChunkMs, [this] { sendChunk(); });
        return;
    }
    finish(SendResult{});
}

void WindowsKeySender::finish(SendResult result)
{
    Job job = std::move(queue_.front());
    queue_.pop_front();
    // Only what the user still holds is pressed again; a key let go
    // meanwhile would otherwise stay down.
    const auto stillHeld = input_->physicallyHeldModifiers();
    std::vector<INPUT> press;
    for (auto key : job.released)
        if (std::ranges::find(stillHeld, key) != stillHeld.end())
            press.push_back(virtualKeyInput(key, false));
    sendAll(press);
    // The next sequence starts after the caller heard of this one.
    ui_.post([this, alive = std::weak_ptr<int>(alive_)] {
        if (alive.lock())
            startNext();
    });
    if (job.done)
        job.done(result);
}

} // namespace tapfill::platform::windows
