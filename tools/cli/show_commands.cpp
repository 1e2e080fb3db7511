// "show": a lesson or the index as readable UTF-8 text in logical order, one paragraph a line.
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "resources/generated_records.h"
#include "store/records.h"
#include "tools/cli/cli.h"
#include "tools/recc/source_markup.h"

namespace qm::cli {

namespace {

constexpr std::string_view kUsage =
    "show N | index       print lesson N (1..247) or the index as UTF-8 in logical order, one\n"
    "                     paragraph (entry) a line with its style tag (the markup of\n"
    "                     resources/lessons/FORMAT.md); exit 1 when the record does not load";

int Show(std::span<const std::string_view> args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: quillmere-cli %.*s\n", int(kUsage.find("   ")), kUsage.data());
    return kUsageError;
  }
  int number = 0;
  if (args[0] == "index") {
    number = recc::kIndexNumber;
  } else {
    for (char c : args[0]) {
      if (c < '0' || c > '9' || number > recc::kLessonCount) return Show({});
      number = number * 10 + (c - '0');
    }
    if (number < 1 || number > recc::kLessonCount) {
      std::fprintf(stderr, "show: lesson number must be 1 to 247\n");
      return kUsageError;
    }
  }
  InstallGeneratedRecords();
  std::int32_t status = 0;
  const TextBuffer text = LoadRecord(number, &status);
  std::span<const std::uint8_t> record;
  if (!text || CurrentRecordSource()->Find(static_cast<std::uint16_t>(number + 1000), record) !=
                   RecordLookup::Found) {
    std::fprintf(stderr, "show: record %d does not load (%.*s)\n", number,
                 int(LoadStatusName(status).size()), LoadStatusName(status).data());
    return 1;
  }
  const std::size_t length = (std::size_t{record[8]} << 8) | record[9];
  const std::span<const std::uint8_t> bytes(text.get(), length);
  const std::string listing = number == recc::kIndexNumber ? "index\n" + recc::PrintIndex(bytes)
                                                           : "lesson " + std::to_string(number) +
                                                                 "\n" + recc::PrintDocument(bytes);
  std::fwrite(listing.data(), 1, listing.size(), stdout);
  return 0;
}

const Registration registration{{"show", kUsage, Show}};

}  // namespace

}  // namespace qm::cli
