#pragma once
// A small Quorvane folder written with our own Paradox writer: History.db and one month's
// report table, with the columns Quorvane gives them.

#include "db/ParadoxWriter.h"

#include <filesystem>
#include <optional>
#include <string>
#include <unistd.h>

namespace spv::app::test {

namespace fs = std::filesystem;

struct TTempFolder {
  fs::path path;
  explicit TTempFolder(const std::string& name)
      : path(fs::temp_directory_path() / ("spv-" + name + '-' + std::to_string(::getpid()))) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TTempFolder() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

// Fields: FDate, FTime (or a timestamp in its place), FType, FName, FArtist.
class TReportWriter {
 public:
  explicit TReportWriter(const fs::path& file, db::TFieldType timeType = db::TFieldType::Time)
      : Writer_(file, {{"FDate", db::TFieldType::Date, 4},
                       {"FTime", timeType, 4},
                       {"FType", db::TFieldType::Short, 2},
                       {"FName", db::TFieldType::Alpha, 100},
                       {"FArtist", db::TFieldType::Alpha, 100}}) {}
  // No time: the column stays empty.
  void Add(spv::base::TDateTime day, std::optional<spv::base::TDateTime> time, int type, std::string_view title,
           std::string_view artist) {
    Writer_.SetDateTime(0, day);
    if (time) Writer_.SetDateTime(1, *time);
    Writer_.SetInteger(2, type);
    Writer_.SetText(3, title);
    Writer_.SetText(4, artist);
    Writer_.AppendRecord();
  }
  void Finish() { Writer_.Finish(); }

 private:
  db::TParadoxWriter Writer_;
};

// Fields: FDate, FHour, FNumber, FType, FName, FArtist.
class THistoryWriter {
 public:
  explicit THistoryWriter(const fs::path& file)
      : Writer_(file, {{"FDate", db::TFieldType::Date, 4},
                       {"FHour", db::TFieldType::Long, 4},
                       {"FNumber", db::TFieldType::Long, 4},
                       {"FType", db::TFieldType::Short, 2},
                       {"FName", db::TFieldType::Alpha, 100},
                       {"FArtist", db::TFieldType::Alpha, 100}}) {}
  // No hour: the column stays empty.
  void Add(spv::base::TDateTime day, std::optional<int> hour, int number, int type, std::string_view title,
           std::string_view artist) {
    Writer_.SetDateTime(0, day);
    if (hour) Writer_.SetInteger(1, *hour);
    Writer_.SetInteger(2, number);
    Writer_.SetInteger(3, type);
    Writer_.SetText(4, title);
    Writer_.SetText(5, artist);
    Writer_.AppendRecord();
  }
  void Finish() { Writer_.Finish(); }

 private:
  db::TParadoxWriter Writer_;
};

inline spv::base::TDateTime Clock(int h, int m, int s, int ms = 0) {
  return (((h * 60 + m) * 60 + s) * 1000.0 + ms) / 86400000.0;
}

}  // namespace spv::app::test
