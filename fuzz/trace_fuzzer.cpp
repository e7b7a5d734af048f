// libFuzzer target: arbitrary command text into the trace tool's reader. Whatever comes
// in, the run must end, with status 0 and nothing on standard error, or with status 2 and
// one line "animatsiya-trace: line N: ..." there. Output that cannot fail never gives 1.
//
// Two kinds of input are turned away before the tool sees them, since they test nothing
// about the reader: ticks adding up to more than kMaxTicks (each one is a whole scene
// step, so a single input could run for minutes), and the commands that write files
// (frame, compose and pictures with their one path argument).

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

#include "tools/trace/trace_session.h"

namespace {

constexpr long long kMaxTicks = 2000;

// Takes everything and keeps nothing, so output never fails and costs little.
class NullBuffer : public std::streambuf {
 protected:
  int_type overflow(int_type c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};


// The ticks one tick line may run: its count when that is a plain number, else 0 (the
// tool rejects it). Counts past the cap are held just above it.
long long TicksOf(const std::vector<std::string_view>& words) {
  if (words.size() == 1) return 1;
  if (words.size() != 2) return 0;
  long long count = 0;
  for (const char c : words[1]) {
    if (c < '0' || c > '9') return 0;
    count = std::min(count * 10 + (c - '0'), kMaxTicks + 1);
  }
  return count;
}

// Whether the tool may be given this text: the lines as std::getline cuts them, the
// words as the tool splits them.
bool Acceptable(std::string_view text) {
  long long ticks = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    const std::vector<std::string_view> words = animatsiya::SplitWords(line);
    if (words.empty()) continue;
    if (words[0] == "tick") ticks += TicksOf(words);
    if (ticks > kMaxTicks) return false;
    const bool writesFiles = words[0] == "frame" || words[0] == "compose" || words[0] == "pictures";
    if (writesFiles && words.size() == 2) return false;
  }
  return true;
}

[[noreturn]] void Broken(const char* what, int status, const std::string& err) {
  std::fprintf(stderr, "trace_fuzzer: %s (status %d, standard error '%s')\n", what, status,
               err.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  if (!Acceptable(text)) return -1;

  std::istringstream in(text);
  NullBuffer sink;
  std::ostream out(&sink);
  std::ostringstream err;
  const int status = animatsiya::RunTrace({"--seed", "1"}, in, out, err);
  const std::string message = err.str();

  if (status == animatsiya::kTraceExitOk) {
    if (!message.empty()) Broken("a run that succeeded wrote to standard error", status, message);
    return 0;
  }
  if (status != animatsiya::kTraceExitBadInput) Broken("unexpected exit status", status, message);
  const std::string_view prefix = "animatsiya-trace: line ";
  if (message.rfind(prefix, 0) != 0 || message.back() != '\n' ||
      message.find('\n') != message.size() - 1) {
    Broken("bad input without one clear line on standard error", status, message);
  }
  return 0;
}
