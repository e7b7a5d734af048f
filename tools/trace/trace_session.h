#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

namespace animatsiya {

inline constexpr int kTraceExitOk = 0;
inline constexpr int kTraceExitOutputFailed = 1;
inline constexpr int kTraceExitBadInput = 2;

// The largest count one tick command accepts; a bigger one is a typing slip, not a plan.
inline constexpr long long kMaxTickCount = 10'000'000;

// One run of the trace tool. args are the command-line arguments after the program name
// (`--seed N`); commands are read from in, one a line, and JSON Lines go to out. On bad
// input a one-line message goes to err after every object of the lines before it, and
// the result is kTraceExitBadInput.
int RunTrace(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             std::ostream& err);

// The words of a command line, split at blanks, as the tool reads them.
std::vector<std::string_view> SplitWords(std::string_view line);

}  // namespace animatsiya
