// quillmere-recc: compiles lesson and index sources into records and the build's generated files.
//   quillmere-recc build OUTDIR SOURCE...   every record, OUTDIR/records.rc,
//   OUTDIR/records_table.cpp quillmere-recc encode SOURCE OUT        one record file
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/recc/source_files.h"

namespace {

using qm::recc::CompiledRecord;

int Usage() {
  std::fputs(
      "usage: quillmere-recc build OUTDIR LESSONDIR INDEX\n"
      "       quillmere-recc encode SOURCE OUT\n",
      stderr);
  return 2;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "quillmere-recc: %s\n", message.c_str());
  return 1;
}

bool Write(const std::string& path, const std::string& s, std::string& error) {
  return qm::recc::WriteWholeFile(path, s.data(), s.size(), error);
}

int Build(const std::string& outDir, const std::vector<std::string>& sources) {
  std::vector<CompiledRecord> records;
  std::string error;
  int failures = 0;
  for (const std::string& path : sources) {
    CompiledRecord r;
    if (!qm::recc::CompileFile(path, r, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      ++failures;
      continue;
    }
    for (const CompiledRecord& other : records) {
      if (other.number == r.number) {
        std::fprintf(stderr, "%s: record %d defined twice\n", path.c_str(), r.number);
        ++failures;
      }
    }
    records.push_back(std::move(r));
  }
  if (failures) return Fail(std::to_string(failures) + " error(s)");
  std::sort(records.begin(), records.end(),
            [](const CompiledRecord& a, const CompiledRecord& b) { return a.number < b.number; });
  for (int n = 1; n <= qm::recc::kLessonCount; ++n) {
    if (std::none_of(records.begin(), records.end(), [n](auto& r) { return r.number == n; }))
      return Fail("lesson " + std::to_string(n) + " has no source");
  }
  if (records.back().number != qm::recc::kIndexNumber) return Fail("the index has no source");
  for (const CompiledRecord& r : records) {
    if (!qm::recc::WriteWholeFile(outDir + "/" + qm::recc::RecordFileName(r.number),
                                  r.record.data(), r.record.size(), error))
      return Fail(error);
  }
  if (!Write(outDir + "/records.rc", qm::recc::ResourceScript(records, outDir), error) ||
      !Write(outDir + "/records_table.cpp", qm::recc::RecordTableSource(records), error))
    return Fail(error);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "build") {
    std::vector<std::string> sources;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(args[2], ec)) {
      const std::string name = entry.path().filename().string();
      if (name.starts_with("lesson-") && name.ends_with(".txt"))
        sources.push_back(entry.path().string());
    }
    if (ec) return Fail(args[2] + ": " + ec.message());
    std::sort(sources.begin(), sources.end());
    sources.push_back(args[3]);
    return Build(args[1], sources);
  }
  if (args.size() == 3 && args[0] == "encode") {
    CompiledRecord r;
    std::string error;
    if (!qm::recc::CompileFile(args[1], r, error) ||
        !qm::recc::WriteWholeFile(args[2], r.record.data(), r.record.size(), error))
      return Fail(error);
    return 0;
  }
  return Usage();
}
