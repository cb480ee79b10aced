// Every message box and question of the engine goes through a Messenger: the
// desktop program shows dialogs, the batch tool writes to stderr and answers
// from its options, tests record the texts and answer from a script. The
// engine never blocks on a person any other way.
#pragma once

#include <cstdio>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace kvem {

enum class Icon { None, Information, Warning, Stop, Question };

class Messenger {
 public:
  virtual ~Messenger() = default;
  // A message box with an OK button.
  virtual void Show(std::string_view text, std::string_view caption, Icon icon) = 0;
  // A yes/no question; true for yes.
  virtual bool Ask(std::string_view text, std::string_view caption) = 0;
  // A choice among `options`; returns the index chosen. `preselected` is the
  // answer a person gets by pressing Enter.
  virtual int Choose(std::string_view text, std::string_view caption,
                     const std::vector<std::string>& options, int preselected) = 0;
};

// The batch tool's messenger: one line "caption: text" per message on the
// given stream, with line ends written as "\n" so every message stays on one
// line. Questions are answered with the configured defaults, never from stdin.
class StreamMessenger : public Messenger {
 public:
  explicit StreamMessenger(std::FILE* stream);
  void Show(std::string_view text, std::string_view caption, Icon icon) override;
  bool Ask(std::string_view text, std::string_view caption) override;
  int Choose(std::string_view text, std::string_view caption,
             const std::vector<std::string>& options, int preselected) override;

  void SetAskAnswer(bool yes) { askAnswer_ = yes; }
  // -1 (the default) answers with the preselected option.
  void SetChoice(int index) { choice_ = index; }

  // "caption: text" with line ends escaped, or the text alone when the caption is empty.
  static std::string Line(std::string_view text, std::string_view caption);

 private:
  std::FILE* stream_;
  bool askAnswer_ = false;
  int choice_ = -1;
};

// Records every message and answers from a script; for tests.
class RecordingMessenger : public Messenger {
 public:
  enum class Kind { Show, Ask, Choose };
  struct Message {
    Kind kind;
    std::string text;
    std::string caption;
    Icon icon;
    std::vector<std::string> options;
  };

  void Show(std::string_view text, std::string_view caption, Icon icon) override;
  bool Ask(std::string_view text, std::string_view caption) override;
  int Choose(std::string_view text, std::string_view caption,
             const std::vector<std::string>& options, int preselected) override;

  // Scripted answers, used in order; when none is left, Ask answers no and
  // Choose the preselected option.
  void QueueAsk(bool yes) { asks_.push_back(yes); }
  void QueueChoice(int index) { choices_.push_back(index); }

  const std::vector<Message>& messages() const { return messages_; }
  std::vector<std::string> texts() const;
  void Clear() { messages_.clear(); }

 private:
  std::vector<Message> messages_;
  std::deque<bool> asks_;
  std::deque<int> choices_;
};

}  // namespace kvem
