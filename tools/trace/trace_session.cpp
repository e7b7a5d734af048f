#include "tools/trace/trace_session.h"

#include <unistd.h>

#include <array>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <istream>
#include <optional>
#include <ostream>
#include <string_view>

#include "app/animation.h"
#include "app/animation_state.h"
#include "app/random_source.h"
#include "pictures/picture_set.h"
#include "stage/sprite_table.h"
#include "stage/stage.h"

namespace animatsiya {
namespace {

constexpr std::string_view kToolName = "animatsiya-trace";

// Output is gathered here and handed to the stream in large pieces; a hundred thousand
// ticks make hundreds of megabytes.
constexpr std::size_t kFlushThreshold = 1 << 20;

// Everything the core reports during one event: the start, one tick or one command.
class EventRecorder : public StageObserver, public RandomObserver {
 public:
  void OnDrawLine(int x1, int y1, int x2, int y2) override { lines.push_back({x1, y1, x2, y2}); }
  void OnClearDrawing() override { ++clears; }
  void OnRandomInt(int n, int value) override { draws.push_back({n, value}); }
  void OnReseed() override { ++reseeds; }

  void Reset() {
    lines.clear();
    clears = 0;
    draws.clear();
    reseeds = 0;
  }

  std::vector<std::array<int, 4>> lines;
  int clears = 0;
  std::vector<std::array<int, 2>> draws;
  int reseeds = 0;
};

void AppendInt(std::string& out, long long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

// [a,b,...] for a line's end points or a draw's N and value.
template <std::size_t N>
void AppendIntArray(std::string& out, const std::array<int, N>& values) {
  out += '[';
  for (std::size_t i = 0; i < N; ++i) {
    if (i > 0) out += ',';
    AppendInt(out, values[i]);
  }
  out += ']';
}

// A JSON string: quotes, backslashes and control characters escaped, everything else
// (the caption's Cyrillic UTF-8 included) kept as it is.
void AppendJsonString(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  out += '"';
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      case '\b': out += "\\b"; break;
      case '\f': out += "\\f"; break;
      default:
        if (byte < 0x20) {
          out += "\\u00";
          out += kHex[byte >> 4];
          out += kHex[byte & 0xF];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

// A token as it may stand in a one-line message: control bytes shown as \xNN, and long
// tokens cut short.
std::string Quoted(std::string_view token) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  constexpr std::size_t kMaxShown = 60;
  std::string out = "'";
  for (std::size_t i = 0; i < token.size() && i < kMaxShown; ++i) {
    const auto byte = static_cast<unsigned char>(token[i]);
    if (byte < 0x20 || byte == 0x7F) {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    } else {
      out += token[i];
    }
  }
  if (token.size() > kMaxShown) out += "...";
  out += "'";
  return out;
}

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (const char c : text) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// A plain decimal number, an optional minus sign and digits; nothing else.
std::optional<long long> ParseInteger(std::string_view text, bool* tooLarge) {
  *tooLarge = false;
  const bool negative = !text.empty() && text.front() == '-';
  if (!AllDigits(negative ? text.substr(1) : text)) return std::nullopt;
  long long value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    *tooLarge = true;
    return std::nullopt;
  }
  return value;
}

// Writes a binary PPM next to the target and renames it into place, so the target is
// either the whole new picture or untouched. Returns an error message, or nothing.
std::optional<std::string> WritePpm(const std::filesystem::path& target, const Raster& raster) {
  std::string data = "P6\n" + std::to_string(raster.width) + " " + std::to_string(raster.height) +
                     "\n255\n";
  const std::size_t header = data.size();
  data.resize(header + raster.pixels.size() * 3);
  char* byte = data.data() + header;
  for (const Pixel p : raster.pixels) {
    *byte++ = static_cast<char>((p >> 16) & 0xFF);
    *byte++ = static_cast<char>((p >> 8) & 0xFF);
    *byte++ = static_cast<char>(p & 0xFF);
  }

  const auto failure = [&](int error) {
    return "cannot write " + Quoted(target.string()) + ": " + std::strerror(error);
  };
  if (!target.has_filename()) return failure(EISDIR);
  std::filesystem::path temporary = target;
  temporary.replace_filename("." + target.filename().string() + "." +
                             std::to_string(::getpid()) + ".tmp");

  std::FILE* file = std::fopen(temporary.c_str(), "wb");
  if (file == nullptr) return failure(errno);
  const bool written = std::fwrite(data.data(), 1, data.size(), file) == data.size();
  int error = errno;
  const bool closed = std::fclose(file) == 0;
  if (written && !closed) error = errno;
  if (written && closed && std::rename(temporary.c_str(), target.c_str()) == 0) return std::nullopt;
  if (written && closed) error = errno;
  std::remove(temporary.c_str());
  return failure(error);
}

class TraceSession {
 public:
  TraceSession(std::optional<std::uint64_t> seed, std::ostream& out)
      : out_(out) {
    if (seed) animation_.random().UseFixedSeed(*seed);
    animation_.stage().SetObserver(&recorder_);
    animation_.random().SetObserver(&recorder_);
    buffer_.reserve(2 * kFlushThreshold);
  }

  ~TraceSession() {
    animation_.stage().SetObserver(nullptr);
    animation_.random().SetObserver(nullptr);
  }

  void Start() {
    recorder_.Reset();
    animation_.Start();
    AppendEvent("start", std::nullopt);
  }

  // Runs one line; returns an error message for bad input.
  std::optional<std::string> Execute(std::string_view line) {
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.empty() || words[0].front() == '#') return std::nullopt;
    const std::string_view command = words[0];
    const std::size_t argumentCount = words.size() - 1;

    const auto arguments = [&](std::size_t least, std::size_t most) -> std::optional<std::string> {
      if (argumentCount < least) return "missing argument to " + Quoted(command);
      if (argumentCount > most) {
        return "unexpected argument " + Quoted(words[most + 1]) + " to " + Quoted(command);
      }
      return std::nullopt;
    };

    if (command == "tick") {
      if (auto error = arguments(0, 1)) return error;
      long long count = 1;
      if (argumentCount == 1) {
        bool tooLarge = false;
        const std::optional<long long> value = ParseInteger(words[1], &tooLarge);
        if (!value && !tooLarge) return "bad tick count " + Quoted(words[1]);
        if (words[1].front() == '-') return "tick count " + Quoted(words[1]) + " is negative";
        if (tooLarge || *value > kMaxTickCount) {
          return "tick count " + Quoted(words[1]) + " is too large (at most " +
                 std::to_string(kMaxTickCount) + ")";
        }
        count = *value;
      }
      for (long long i = 0; i < count && !outputFailed_; ++i) {
        recorder_.Reset();
        animation_.Tick();
        ++ticks_;
        AppendEvent("tick", std::nullopt);
      }
      return std::nullopt;
    }

    if (command == "scene") {
      if (auto error = arguments(1, 1)) return error;
      bool tooLarge = false;
      const std::optional<long long> k = ParseInteger(words[1], &tooLarge);
      if (!k && !tooLarge) return "bad scene number " + Quoted(words[1]);
      if (tooLarge || *k < 1 || *k > 6) return "scene " + Quoted(words[1]) + " is outside 1 to 6";
      recorder_.Reset();
      animation_.ChooseScene(static_cast<int>(*k));
      AppendEvent("scene", static_cast<int>(*k));
      return std::nullopt;
    }

    if (command == "speed") {
      if (auto error = arguments(1, 1)) return error;
      std::optional<Speed> speed;
      if (words[1] == "normal") speed = Speed::Normal;
      if (words[1] == "fast") speed = Speed::Fast;
      if (!speed) return "unknown speed " + Quoted(words[1]) + " (normal or fast)";
      recorder_.Reset();
      animation_.ChooseSpeed(*speed);
      AppendEvent("speed", std::nullopt);
      return std::nullopt;
    }

    if (command == "frame") {
      if (auto error = arguments(1, 1)) return error;
      return WritePpm(std::filesystem::path(words[1]), animation_.stage().picture());
    }

    if (command == "compose") {
      if (auto error = arguments(1, 1)) return error;
      return WritePpm(std::filesystem::path(words[1]), animation_.stage().ComposeFresh());
    }

    if (command == "pictures") {
      if (auto error = arguments(1, 1)) return error;
      const std::filesystem::path directory(words[1]);
      std::error_code ec;
      std::filesystem::create_directories(directory, ec);
      if (ec) return "cannot make directory " + Quoted(words[1]) + ": " + ec.message();
      for (int i = 0; i < kPictureCount; ++i) {
        const auto id = static_cast<PictureId>(i);
        const std::filesystem::path file = directory / (std::string(NameOf(id)) + ".ppm");
        if (auto error = WritePpm(file, *GetPicture(id).raster)) return error;
      }
      return std::nullopt;
    }

    return "unknown command " + Quoted(command);
  }

  // Hands everything gathered so far to the stream; false if the stream has failed.
  bool Flush() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
    out_.flush();
    if (!out_) outputFailed_ = true;
    return !outputFailed_;
  }

  bool outputFailed() const { return outputFailed_; }

 private:
  void AppendEvent(std::string_view event, std::optional<int> scene) {
    std::string& b = buffer_;
    b += "{\"event\":\"";
    b += event;
    b += '"';
    if (scene) {
      b += ",\"scene\":";
      AppendInt(b, *scene);
    }
    b += ",\"ticks\":";
    AppendInt(b, ticks_);
    b += ",\"interval\":";
    AppendInt(b, animation_.intervalMs());

    b += ",\"fields\":{";
    const AnimationState& s = animation_.state();
    bool first = true;
    for (const FieldInfo& field : kFields) {
      if (!first) b += ',';
      first = false;
      b += '"';
      b += field.name;
      b += "\":";
      AppendInt(b, s.*field.member);
    }

    b += "},\"elements\":[";
    const Stage& stage = animation_.stage();
    first = true;
    for (const DesignRow& row : kSpriteTable) {
      const Element& e = stage.element(row.id);
      if (!first) b += ',';
      first = false;
      b += "[\"";
      b += row.name;
      b += "\",";
      AppendInt(b, e.left);
      b += ',';
      AppendInt(b, e.top);
      b += ',';
      AppendInt(b, e.width);
      b += ',';
      AppendInt(b, e.height);
      b += e.visible ? ",true," : ",false,";
      if (row.id == Label1) {
        AppendJsonString(b, stage.caption());
      } else if (e.picture) {
        b += '"';
        b += NameOf(*e.picture);
        b += '"';
      } else {
        b += "null";
      }
      b += ']';
    }

    b += "],\"lines\":[";
    first = true;
    for (const auto& line : recorder_.lines) {
      b += first ? "" : ",";
      first = false;
      AppendIntArray(b, line);
    }
    b += "],\"clears\":";
    AppendInt(b, recorder_.clears);

    b += ",\"draws\":[";
    first = true;
    for (const auto& draw : recorder_.draws) {
      b += first ? "" : ",";
      first = false;
      AppendIntArray(b, draw);
    }
    b += "],\"reseeds\":";
    AppendInt(b, recorder_.reseeds);
    b += "}\n";
    if (b.size() >= kFlushThreshold) Flush();
  }

  Animation animation_;
  EventRecorder recorder_;
  std::ostream& out_;
  std::string buffer_;
  long long ticks_ = 0;
  bool outputFailed_ = false;
};

struct TraceOptions {
  std::optional<std::uint64_t> seed;
};

std::optional<TraceOptions> ParseOptions(const std::vector<std::string>& args, std::string* error) {
  TraceOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    std::optional<std::string_view> value;
    if (arg.starts_with("--seed=")) {
      value = arg.substr(7);
    } else if (arg == "--seed") {
      if (i + 1 == args.size()) {
        *error = "missing value for '--seed'";
        return std::nullopt;
      }
      value = args[++i];
    } else {
      *error = "unknown option " + Quoted(arg) + " (usage: animatsiya-trace [--seed N])";
      return std::nullopt;
    }
    std::uint64_t seed = 0;
    const auto result = std::from_chars(value->data(), value->data() + value->size(), seed);
    if (!AllDigits(*value) || result.ec != std::errc() ||
        result.ptr != value->data() + value->size()) {
      *error = "bad seed " + Quoted(*value) + " (a whole number from 0 to 18446744073709551615)";
      return std::nullopt;
    }
    options.seed = seed;
  }
  return options;
}

int Fail(std::ostream& err, const std::string& message, int status) {
  err << kToolName << ": " << message << '\n';
  err.flush();
  return status;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

std::vector<std::string_view> SplitWords(std::string_view line) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !IsBlank(line[i])) ++i;
    if (i > start) words.push_back(line.substr(start, i - start));
  }
  return words;
}

int RunTrace(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             std::ostream& err) {
  std::string error;
  const std::optional<TraceOptions> options = ParseOptions(args, &error);
  if (!options) return Fail(err, error, kTraceExitBadInput);

  const auto outputFailed = [&] {
    return Fail(err, "cannot write standard output", kTraceExitOutputFailed);
  };
  TraceSession session(options->seed, out);
  session.Start();
  std::string line;
  for (long long number = 1; !session.outputFailed() && std::getline(in, line); ++number) {
    if (std::optional<std::string> message = session.Execute(line)) {
      if (!session.Flush()) return outputFailed();
      return Fail(err, "line " + std::to_string(number) + ": " + *message, kTraceExitBadInput);
    }
  }
  if (!session.Flush()) return outputFailed();
  return kTraceExitOk;
}

}  // namespace animatsiya
