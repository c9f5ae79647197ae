// The one seam through which the engine talks to the user. Every message box of the program
// (text, caption, OK and Cancel, answer unused) goes through Messages::show: the desktop program
// shows a modal box, the command line writes "CAPTION: text" to standard error, tests record.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvell {

class Messages {
  public:
    virtual ~Messages() = default;
    virtual void show(std::string_view text, std::string_view caption) = 0;
};

struct Message {
    std::string text;
    std::string caption;
};

// Keeps every message shown, in order.
class RecordingMessages : public Messages {
  public:
    void show(std::string_view text, std::string_view caption) override {
        messages.push_back({std::string(text), std::string(caption)});
    }
    bool empty() const { return messages.empty(); }
    std::size_t size() const { return messages.size(); }
    const Message& last() const { return messages.back(); }
    void clear() { messages.clear(); }

    std::vector<Message> messages;
};

// Discards every message (benchmarks, sweeps that report their own outcome).
class SilentMessages : public Messages {
  public:
    void show(std::string_view, std::string_view) override {}
};

}  // namespace korvell
