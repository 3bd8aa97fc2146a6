#include "generated_sheets.h"

#include <cstdint>
#include <string>
#include <utility>

#include "platform/memory_advice.h"

namespace kestrel::bench {

namespace {

constexpr std::size_t kBlockRows = 100;
constexpr std::uint32_t kFirstShot = 100000;

StadiaRow Row(int type, std::uint32_t point) {
  StadiaRow row = BlankStadiaRow(type);
  row.point = point;
  return row;
}

// Packed DMS of a whole number of degrees plus minutes and seconds.
double Packed(int degrees, int minutes, int seconds) {
  return degrees + minutes / 100.0 + seconds / 10000.0;
}

class Generator {
 public:
  explicit Generator(std::size_t rowCount) : count_(rowCount) {
    // As a loaded sheet's rows are: in huge pages where the system has them.
    rows_.reserve(rowCount);
    AdviseHugePages(rows_.data(), rows_.capacity() * sizeof(StadiaRow));
  }

  std::vector<StadiaRow> Take() && {
    for (std::size_t block = 0; rows_.size() < count_; ++block) Block(block);
    rows_.resize(count_);
    return std::move(rows_);
  }

 private:
  bool Full() const { return rows_.size() >= count_; }
  void Add(StadiaRow row) {
    if (!Full()) rows_.push_back(std::move(row));
  }

  void Block(std::size_t block) {
    const std::size_t start = rows_.size();
    const std::uint32_t station = static_cast<std::uint32_t>(2 * block + 1);
    const std::uint32_t backsight = station + 1;
    const double east = 10000 + 40.0 * static_cast<double>(block % 500);
    const double north = 20000 + 35.0 * static_cast<double>(block / 500);

    // Every tenth set-up stands on the last point shot from the one before.
    const bool onShot = block % 10 == 9 && lastShot_ != 0;
    const std::uint32_t at = onShot ? lastShot_ : station;
    if (!onShot) Add(Station(station, east, north, 100 + 0.1 * static_cast<double>(block % 50)));
    Add(Station(backsight, east + 60, north + 80, 101.25));

    StadiaRow setup = Row(kStadiaAtBs, at);
    SetBacksightNumber(setup, backsight);
    setup.hz = Packed(36, 52, 12);  // about the bearing to the backsight
    setup.dist = 1.55;
    setup.comment = "setup";
    Add(std::move(setup));
    Add(Note("Weather fine, 21 degrees"));

    for (int i = 0; rows_.size() - start < kBlockRows && !Full(); ++i) Shot(i, backsight);
  }

  static StadiaRow Station(std::uint32_t point, double east, double north, double height) {
    StadiaRow row = Row(kStadiaStn, point);
    row.east = east;
    row.north = north;
    row.height = height;
    row.code = "STN";
    return row;
  }

  // Of ten shots: five slope shots, two horizontal distance shots, two
  // levelled points and a check on the backsight.
  static int ShotType(int kind) {
    if (kind == 9) return kStadiaChk;
    if (kind >= 7) return kStadiaHdRl;
    if (kind >= 5) return kStadiaHzDh;
    return kStadiaSdHt;
  }

  static StadiaRow Note(std::string text) {
    StadiaRow row = Row(kStadiaFnote, kNoPoint);
    row.note = std::move(text);
    return row;
  }

  // The i-th observation of a set-up: mostly slope shots, some horizontal
  // distance shots and levelled points, a check on the backsight, and a note
  // before every twentieth shot.
  void Shot(int i, std::uint32_t backsight) {
    static const char* const kNotes[] = {"or 0.35", "go 1.2", "null", "bk 0.4", "Fence line"};
    if (i % 20 == 19) {
      Add(Note(kNotes[(i / 20) % 5]));
      return;
    }
    const int type = ShotType(i % 10);
    const std::uint32_t point = type == kStadiaChk ? backsight : next_++;
    StadiaRow row = Row(type, point);
    row.hz = Packed((i * 37) % 360, (i * 7) % 60, (i * 13) % 60);
    row.dist = 5 + (i * 17) % 150 + 0.123;
    row.targetHt = 1.6;
    row.code = type == kStadiaChk ? "CHK" : "TOPO";
    if (type == kStadiaSdHt || type == kStadiaChk) {
      row.obs2 = Packed(88 + i % 5, (i * 11) % 60, (i * 29) % 60);
    } else if (type == kStadiaHzDh) {
      row.obs2 = -0.75 + 0.01 * (i % 150);
    } else {
      row.height = 99.5 + 0.01 * (i % 100);
    }
    if (type != kStadiaChk) lastShot_ = point;
    Add(std::move(row));
  }

  std::size_t count_;
  std::vector<StadiaRow> rows_;
  std::uint32_t next_ = kFirstShot;
  std::uint32_t lastShot_ = 0;
};

}  // namespace

std::vector<StadiaRow> GenerateStadiaRows(std::size_t rowCount) {
  return Generator(rowCount).Take();
}

}  // namespace kestrel::bench
