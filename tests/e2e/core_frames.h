#pragma once

#include <QImage>

#include <cstdint>
#include <unordered_set>

namespace animatsiya::e2e {

// Every picture that a deterministic scene can show, as the program's own core makes it:
// a screenshot of the real window must equal one of them exactly, so a stale region or a
// trail cannot pass. The eureka scene draws no random number, so its pictures do not
// depend on the program's seed nor on what ran before it.
class CoreFrames {
 public:
  explicit CoreFrames(int scene);

  // The stage as shown, stage-sized.
  bool Contains(const QImage& stage) const;
  // The fewest pixels in which the stage differs from any of the pictures.
  long Closest(const QImage& stage) const;
  size_t size() const { return hashes_.size(); }

 private:
  template <typename Visit>
  void Walk(Visit&& visit) const;

  int scene_;
  std::unordered_set<std::uint64_t> hashes_;
};

}  // namespace animatsiya::e2e
