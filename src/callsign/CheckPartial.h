#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace keslog {

// The database of active contest calls (the MASTER.SCP layout: "#" comment
// lines, one call per line), indexed for the check-partial and one-off
// searches of every keystroke. The calls are held once, in ascending order,
// in one block of characters.
class ScpDatabase {
  public:
    // Reads the file's bytes. Blank and "#" lines are passed over; a line
    // that is not one call of 3 to 20 letters, digits and "/" is skipped and
    // counted. Any bytes are safe.
    static ScpDatabase fromBytes(std::string_view bytes);

    std::size_t size() const { return starts_.empty() ? 0 : starts_.size() - 1; }
    std::string_view call(std::size_t i) const {
        return std::string_view(chars_).substr(starts_[i], starts_[i + 1] - starts_[i]);
    }
    int skippedLines() const { return skippedLines_; }
    bool contains(std::string_view call) const;

    // The calls holding the text (two characters or more), at most `limit`:
    // first those that begin with it, then those that merely hold it, each
    // part in ascending order.
    std::vector<std::string_view> partial(std::string_view text, std::size_t limit) const;
    // The calls one edit away from the call: one character inserted,
    // deleted or changed, or two neighbours swapped; ascending, at most
    // `limit`.
    std::vector<std::string_view> oneOff(std::string_view call, std::size_t limit) const;

    // The bytes the database holds, for the memory budget.
    std::size_t memoryBytes() const;

  private:
    std::size_t lowerBound(std::string_view text) const;
    void buildPairIndex();

    std::string chars_;
    std::vector<std::uint32_t> starts_;  // call i is chars_[starts_[i], starts_[i + 1])
    // Per pair of neighbouring characters, the calls holding it, ascending:
    // pairCalls_[pairStarts_[p], pairStarts_[p + 1]).
    std::vector<std::uint32_t> pairStarts_;
    std::vector<std::uint32_t> pairCalls_;
    int skippedLines_ = 0;
};

}  // namespace keslog
