#include "platform/messenger.h"

namespace kvem {

StreamMessenger::StreamMessenger(std::FILE* stream) : stream_(stream) {}

std::string StreamMessenger::Line(std::string_view text, std::string_view caption) {
  std::string line;
  if (!caption.empty()) {
    line.append(caption);
    line.append(": ");
  }
  for (char c : text) {
    if (c == '\n') {
      line.append("\\n");
    } else if (c != '\r') {
      line.push_back(c);
    }
  }
  return line;
}

void StreamMessenger::Show(std::string_view text, std::string_view caption, Icon) {
  const std::string line = Line(text, caption) + "\n";
  std::fputs(line.c_str(), stream_);
  std::fflush(stream_);
}

bool StreamMessenger::Ask(std::string_view text, std::string_view caption) {
  Show(std::string(text) + (askAnswer_ ? " [answered: yes]" : " [answered: no]"), caption,
       Icon::Question);
  return askAnswer_;
}

int StreamMessenger::Choose(std::string_view text, std::string_view caption,
                            const std::vector<std::string>& options, int preselected) {
  const int index =
      choice_ >= 0 && choice_ < static_cast<int>(options.size()) ? choice_ : preselected;
  std::string line(text);
  if (index >= 0 && index < static_cast<int>(options.size())) {
    line += " [answered: " + options[static_cast<std::size_t>(index)] + "]";
  }
  Show(line, caption, Icon::Question);
  return index;
}

void RecordingMessenger::Show(std::string_view text, std::string_view caption, Icon icon) {
  messages_.push_back({Kind::Show, std::string(text), std::string(caption), icon, {}});
}

bool RecordingMessenger::Ask(std::string_view text, std::string_view caption) {
  messages_.push_back({Kind::Ask, std::string(text), std::string(caption), Icon::Question, {}});
  if (asks_.empty()) return false;
  const bool answer = asks_.front();
  asks_.pop_front();
  return answer;
}

int RecordingMessenger::Choose(std::string_view text, std::string_view caption,
                               const std::vector<std::string>& options, int preselected) {
  messages_.push_back(
      {Kind::Choose, std::string(text), std::string(caption), Icon::Question, options});
  if (choices_.empty()) return preselected;
  const int answer = choices_.front();
  choices_.pop_front();
  return answer;
}

std::vector<std::string> RecordingMessenger::texts() const {
  std::vector<std::string> out;
  out.reserve(messages_.size());
  for (const auto& m : messages_) out.push_back(m.text);
  return out;
}

}  // namespace kvem
