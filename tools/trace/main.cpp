#include <iostream>
#include <string>
#include <vector>

#include "tools/trace/trace_session.h"

int main(int argc, char** argv) {
  // The streams are ours alone; untying them from stdio makes the JSON output cheap.
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  return animatsiya::RunTrace(args, std::cin, std::cout, std::cerr);
}
