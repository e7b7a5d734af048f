#include <gtest/gtest.h>
#include <unistd.h>

#include <QByteArray>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/animation.h"
#include "app/animation_state.h"
#include "pictures/picture_set.h"
#include "stage/sprite_table.h"
#include "tests/test_support.h"
#include "tools/trace/trace_session.h"

namespace animatsiya {
namespace {

namespace fs = std::filesystem;

struct TraceRun {
  int status = 0;
  std::string out;
  std::string err;
  std::vector<std::string> lines;    // out, one JSON text a line
  std::vector<QJsonObject> objects;  // the lines that parse as JSON objects
};

TraceRun Trace(const std::string& input, const std::vector<std::string>& args = {"--seed", "1"}) {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  TraceRun run;
  run.status = RunTrace(args, in, out, err);
  run.out = out.str();
  run.err = err.str();
  std::istringstream text(run.out);
  for (std::string line; std::getline(text, line);) {
    run.lines.push_back(line);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    if (error.error == QJsonParseError::NoError && doc.isObject()) run.objects.push_back(doc.object());
  }
  return run;
}

std::set<std::string> KeysOf(const QJsonObject& object) {
  std::set<std::string> keys;
  for (const QString& key : object.keys()) keys.insert(key.toStdString());
  return keys;
}

std::string ReadFile(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// A fresh directory under the system's temporary one, removed again with the fixture.
class TraceFiles : public ::testing::Test {
 protected:
  TraceFiles() {
    dir = fs::temp_directory_path() /
          ("trace_test_" + std::to_string(::getpid()) + "_" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  ~TraceFiles() override { fs::remove_all(dir); }

  std::vector<std::string> Listing(const fs::path& where) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(where)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
  }

  fs::path dir;
};

const std::string kHeader = "P6\n773 584\n255\n";
constexpr std::size_t kFrameBytes = std::size_t{kStageWidth} * kStageHeight * 3;

TEST(TraceSession, SameSeedGivesSameObjectsWithExactlyTheirKeys) {
  const std::string input = "tick 3\nscene 2\ntick\n# a note\n\nspeed fast\n  tick  \n";
  const TraceRun first = Trace(input);
  const TraceRun second = Trace(input);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.out, second.out);
  EXPECT_EQ(first.err, "");
  EXPECT_NE(Trace("", {"--seed", "2"}).out, Trace("").out);
  EXPECT_EQ(Trace("", {"--seed=7"}).out, Trace("", {"--seed", "7"}).out);

  ASSERT_EQ(first.objects.size(), first.lines.size()) << "every line is one JSON object";
  const std::vector<std::string> events = {"start", "tick",  "tick", "tick",
                                           "scene", "tick",  "speed", "tick"};
  const std::vector<int> ticks = {0, 1, 2, 3, 3, 4, 4, 5};
  const std::vector<int> intervals = {50, 50, 50, 50, 50, 50, 1, 1};
  ASSERT_EQ(first.objects.size(), events.size());

  const std::set<std::string> keys = {"event", "ticks", "interval", "fields", "elements",
                                      "lines", "clears", "draws",    "reseeds"};
  for (std::size_t i = 0; i < events.size(); ++i) {
    SCOPED_TRACE("object " + std::to_string(i));
    const QJsonObject& o = first.objects[i];
    std::set<std::string> expectedKeys = keys;
    if (events[i] == "scene") expectedKeys.insert("scene");
    EXPECT_EQ(KeysOf(o), expectedKeys);
    EXPECT_EQ(o["event"].toString().toStdString(), events[i]);
    EXPECT_EQ(o["ticks"].toInt(-1), ticks[i]);
    EXPECT_EQ(o["interval"].toInt(-1), intervals[i]);
    EXPECT_TRUE(o["clears"].isDouble());
    EXPECT_TRUE(o["reseeds"].isDouble());

    // The fields, all of them and in the record's order.
    const QJsonObject fields = o["fields"].toObject();
    EXPECT_EQ(fields.size(), 50);
    std::size_t at = first.lines[i].find("\"fields\":{");
    for (const FieldInfo& field : kFields) {
      EXPECT_TRUE(fields[field.name].isDouble()) << field.name;
      const std::size_t next = first.lines[i].find("\"" + std::string(field.name) + "\":", at);
      EXPECT_NE(next, std::string::npos) << field.name << " out of order";
      at = next;
    }

    const QJsonArray elements = o["elements"].toArray();
    ASSERT_EQ(elements.size(), 41);
    for (int row = 0; row < 41; ++row) {
      const QJsonArray e = elements[row].toArray();
      ASSERT_EQ(e.size(), 7);
      EXPECT_EQ(e[0].toString().toStdString(), kSpriteTable[row].name);
      for (int slot = 1; slot <= 4; ++slot) EXPECT_TRUE(e[slot].isDouble());
      EXPECT_TRUE(e[5].isBool());
      if (kSpriteTable[row].id == Label1) {
        EXPECT_TRUE(e[6].isString());
      } else {
        EXPECT_TRUE(e[6].isNull() || PictureNamed(e[6].toString().toStdString()).has_value());
      }
    }
    for (const QJsonValue& line : o["lines"].toArray()) EXPECT_EQ(line.toArray().size(), 4);
    for (const QJsonValue& draw : o["draws"].toArray()) EXPECT_EQ(draw.toArray().size(), 2);
  }
  EXPECT_EQ(first.objects[4]["scene"].toInt(), 2);
}

// The start event reports what the window's start does with the same seed: every draw
// with its value, the one reseed, and the record and the caption as they then stand.
TEST(TraceSession, StartEventHoldsStartUpDrawsAndItsReseed) {
  Animation animation;
  testing::EventLog log;
  animation.random().UseFixedSeed(1);
  animation.random().SetObserver(&log);
  animation.Start();

  const TraceRun run = Trace("");
  ASSERT_EQ(run.status, 0);
  ASSERT_EQ(run.objects.size(), 1u);
  const QJsonObject start = run.objects[0];
  const QJsonArray draws = start["draws"].toArray();
  ASSERT_EQ(draws.size(), static_cast<int>(log.draws.size()));
  for (int i = 0; i < draws.size(); ++i) {
    EXPECT_EQ(draws[i].toArray()[0].toInt(), log.draws[i].n) << i;
    EXPECT_EQ(draws[i].toArray()[1].toInt(), log.draws[i].value) << i;
  }
  EXPECT_EQ(start["reseeds"].toInt(), 1);
  EXPECT_EQ(log.reseeds.size(), 1u);
  EXPECT_EQ(start["clears"].toInt(), 0);
  EXPECT_TRUE(start["lines"].toArray().isEmpty());

  const QJsonObject fields = start["fields"].toObject();
  for (const FieldInfo& field : kFields) {
    EXPECT_EQ(fields[field.name].toInt(-99999), animation.state().*field.member) << field.name;
  }

  const QJsonArray elements = start["elements"].toArray();
  for (int row = 0; row < elements.size(); ++row) {
    if (kSpriteTable[row].id != Label1) continue;
    const QJsonArray label = elements[row].toArray();
    EXPECT_EQ(label[0].toString(), "Label1");
    EXPECT_TRUE(label[5].toBool());
    EXPECT_EQ(label[6].toString().toStdString(), kStartCaption);
  }
}

TEST(TraceSession, RunsWithoutSeedDiffer) {
  EXPECT_NE(Trace("", {}).objects.at(0)["draws"], Trace("", {}).objects.at(0)["draws"]);
}

TEST(TraceSession, SceneCommandClearsOnceAndDrawsNothing) {
  const TraceRun run = Trace("scene 5\nscene 5\n");
  ASSERT_EQ(run.objects.size(), 3u);
  for (int i = 1; i <= 2; ++i) {
    const QJsonObject& o = run.objects[i];
    EXPECT_EQ(o["scene"].toInt(), 5);
    EXPECT_EQ(o["clears"].toInt(), 1);
    EXPECT_EQ(o["reseeds"].toInt(), 0);
    EXPECT_TRUE(o["draws"].toArray().isEmpty());
    EXPECT_TRUE(o["lines"].toArray().isEmpty());
    EXPECT_EQ(o["ticks"].toInt(), 0);
    EXPECT_EQ(o["fields"].toObject()["currentScene"].toInt(), 5);
  }
}

// Scene 1 clears on every step, reseeds when saucer 1 spawns and beams later on; each
// event reports only what happened in it.
TEST(TraceSession, TickEventsReportTheirOwnLinesDrawsAndReseeds) {
  const TraceRun run = Trace("tick 120\n");
  ASSERT_EQ(run.objects.size(), 121u);
  int ticksWithLines = 0;
  int reseeds = 0;
  for (std::size_t i = 1; i < run.objects.size(); ++i) {
    const QJsonObject& o = run.objects[i];
    EXPECT_EQ(o["clears"].toInt(), 1);
    if (!o["lines"].toArray().isEmpty()) ++ticksWithLines;
    reseeds += o["reseeds"].toInt();
    if (o["reseeds"].toInt() > 0) {
      EXPECT_FALSE(o["draws"].toArray().isEmpty());
    }
  }
  EXPECT_GT(ticksWithLines, 0);
  EXPECT_LT(ticksWithLines, 120);
  EXPECT_EQ(reseeds, 1);
}

TEST(TraceSession, BadLineStopsAfterTheObjectsOfEarlierLines) {
  struct Case {
    std::string input;
    int line;
    std::string message;
    std::size_t objects;
  };
  const Case cases[] = {
      {"tik\n", 1, "unknown command 'tik'", 1},
      {"tick\nTICK\n", 2, "unknown command 'TICK'", 2},
      {"tick 2\n\n# note\ntick x\ntick\n", 4, "bad tick count 'x'", 3},
      {"tick 1.5\n", 1, "bad tick count", 1},
      {"tick +3\n", 1, "bad tick count", 1},
      {"tick -1\n", 1, "negative", 1},
      {"tick 10000001\n", 1, "too large", 1},
      {"tick 99999999999999999999\n", 1, "too large", 1},
      {"tick 1 2\n", 1, "unexpected argument '2'", 1},
      {"scene 0\n", 1, "outside 1 to 6", 1},
      {"scene 7\n", 1, "outside 1 to 6", 1},
      {"scene 99999999999999999999\n", 1, "outside 1 to 6", 1},
      {"scene two\n", 1, "bad scene number 'two'", 1},
      {"scene\n", 1, "missing argument to 'scene'", 1},
      {"scene 3 4\n", 1, "unexpected argument", 1},
      {"speed slow\n", 1, "unknown speed 'slow'", 1},
      {"speed\n", 1, "missing argument", 1},
      {"speed fast now\n", 1, "unexpected argument", 1},
      {"frame\n", 1, "missing argument to 'frame'", 1},
      {"compose a b\n", 1, "unexpected argument 'b'", 1},
      {"pictures\n", 1, "missing argument", 1},
      {"frame /nonexistent-trace-dir/f.ppm\n", 1, "cannot write", 1},
      {"scene 2\ntick 2\nbad\x01\n", 3, "unknown command 'bad\\x01'", 4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.input);
    const TraceRun run = Trace(c.input);
    EXPECT_EQ(run.status, 2);
    const std::string prefix = "animatsiya-trace: line " + std::to_string(c.line) + ": ";
    EXPECT_EQ(run.err.rfind(prefix, 0), 0u) << run.err;
    EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_EQ(run.err.back(), '\n');
    EXPECT_EQ(run.lines.size(), c.objects);
    EXPECT_EQ(run.objects.size(), c.objects);
  }
}

TEST(TraceSession, BadOptionStopsBeforeTheStart) {
  const std::vector<std::vector<std::string>> cases = {
      {"--seed"}, {"--seed", "x"}, {"--seed", "-1"}, {"--seed", "1x"}, {"--seed="},
      {"--seed", "99999999999999999999"}, {"--verbose"}, {"1"}};
  for (const auto& args : cases) {
    SCOPED_TRACE(args.back());
    const TraceRun run = Trace("tick\n", args);
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("animatsiya-trace: ", 0), 0u) << run.err;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
  }
}

TEST_F(TraceFiles, FrameAndComposeWriteWholeStagePictures) {
  const fs::path frame = dir / "frame.ppm";
  const fs::path compose = dir / "compose.ppm";
  ASSERT_EQ(Trace("frame " + frame.string() + "\ncompose " + compose.string() + "\n").status, 0);
  const std::string shown = ReadFile(frame);
  ASSERT_EQ(shown.size(), kHeader.size() + kFrameBytes);
  EXPECT_EQ(shown.substr(0, kHeader.size()), kHeader);
  // No line exists yet, so the shown picture is the composed one.
  EXPECT_EQ(ReadFile(compose), shown);
  EXPECT_EQ(Listing(dir), (std::vector<std::string>{"compose.ppm", "frame.ppm"}));

  // The start caption is drawn in black inside the caption's rectangle.
  bool blackInCaption = false;
  const DesignRow& caption = DesignRowOf(Label1);
  const int left = caption.left / kTwipsPerPixel, top = caption.top / kTwipsPerPixel;
  for (int y = top; y < top + caption.height / kTwipsPerPixel; ++y) {
    for (int x = left; x < left + caption.width / kTwipsPerPixel; ++x) {
      const std::size_t at = kHeader.size() + (static_cast<std::size_t>(y) * kStageWidth + x) * 3;
      if (shown.compare(at, 3, std::string(3, '\0')) == 0) blackInCaption = true;
    }
  }
  EXPECT_TRUE(blackInCaption);

  // Once a step has left a beam on the stage, the shown picture has it and the composed
  // one does not.
  const TraceRun ticks = Trace("tick 120\n");
  int firstWithLines = 0;
  for (std::size_t i = 1; i < ticks.objects.size() && firstWithLines == 0; ++i) {
    if (!ticks.objects[i]["lines"].toArray().isEmpty()) firstWithLines = static_cast<int>(i);
  }
  ASSERT_GT(firstWithLines, 0);
  ASSERT_EQ(Trace("tick " + std::to_string(firstWithLines) + "\nframe " + frame.string() +
                  "\ncompose " + compose.string() + "\n")
                .status,
            0);
  EXPECT_NE(ReadFile(frame), ReadFile(compose));
}

TEST_F(TraceFiles, UnwritablePathFailsWithoutLeavingAFile) {
  fs::create_directories(dir / "taken");
  for (const std::string target : {"missing/f.ppm", "taken"}) {
    SCOPED_TRACE(target);
    const TraceRun run = Trace("tick\nframe " + (dir / target).string() + "\n");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.objects.size(), 2u);
    EXPECT_NE(run.err.find("line 2: cannot write"), std::string::npos) << run.err;
    EXPECT_EQ(Listing(dir), std::vector<std::string>{"taken"});
    EXPECT_TRUE(fs::is_empty(dir / "taken"));
  }
}

TEST_F(TraceFiles, PicturesWritesTheThirtyBuiltInPictures) {
  ASSERT_EQ(Trace("pictures " + (dir / "pictures").string() + "\n").status, 0);
  EXPECT_EQ(Listing(dir / "pictures").size(), 30u);
  for (int i = 0; i < kPictureCount; ++i) {
    const auto id = static_cast<PictureId>(i);
    SCOPED_TRACE(std::string(NameOf(id)));
    const Raster& raster = *GetPicture(id).raster;
    std::string expected = "P6\n" + std::to_string(raster.width) + " " +
                           std::to_string(raster.height) + "\n255\n";
    for (const Pixel p : raster.pixels) {
      expected += static_cast<char>(p >> 16 & 0xFF);
      expected += static_cast<char>(p >> 8 & 0xFF);
      expected += static_cast<char>(p & 0xFF);
    }
    EXPECT_TRUE(ReadFile(dir / "pictures" / (std::string(NameOf(id)) + ".ppm")) == expected);
  }
}

}  // namespace
}  // namespace animatsiya
