// "record" commands: lesson records as files (decode one to its text, encode one from a source).
#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "store/records.h"
#include "tools/cli/cli.h"
#include "tools/recc/source_files.h"

namespace qm::cli {

namespace {

constexpr std::string_view kUsage =
    "record decode FILE   decode one record (6-byte header and payload) and write its text\n"
    "                     to standard output; on failure the status name goes to standard\n"
    "                     error and the exit code is its value (1..6), 2 for a file not read\n"
    "record encode SOURCE OUT\n"
    "                     compile one lesson or index source (resources/lessons/FORMAT.md)\n"
    "                     into the record file OUT; exit 1 with the error on failure";

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::uint8_t chunk[16384];
  std::size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

bool WriteBinaryToStdout(const std::uint8_t* bytes, std::size_t count) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return std::fwrite(bytes, 1, count, stdout) == count && std::fflush(stdout) == 0;
}

// The text length that a successfully decoded record declares in its stream header.
std::size_t DeclaredTextLength(std::span<const std::uint8_t> record) {
  return (std::size_t{record[8]} << 8) | record[9];
}

int Decode(std::span<const std::string_view> args) {
  if (args.size() != 1) {
    std::fprintf(stderr, "usage: quillmere-cli %.*s\n", int(kUsage.find("   ")), kUsage.data());
    return kUsageError;
  }
  const std::string path(args[0]);
  std::vector<std::uint8_t> record;
  if (!ReadWholeFile(path, record)) {
    std::fprintf(stderr, "record decode: cannot read %s\n", path.c_str());
    return kUsageError;
  }
  std::int32_t status = 0;
  const TextBuffer text = DecodeRecord(record, &status);
  if (!text) {
    const std::string_view name = LoadStatusName(status);
    std::fprintf(stderr, "%.*s\n", int(name.size()), name.data());
    return status;
  }
  if (!WriteBinaryToStdout(text.get(), DeclaredTextLength(record))) {
    std::fprintf(stderr, "record decode: cannot write the text\n");
    return kUsageError;
  }
  return 0;
}

int Encode(std::span<const std::string_view> args) {
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: quillmere-cli record encode SOURCE OUT\n");
    return kUsageError;
  }
  recc::CompiledRecord compiled;
  std::string error;
  if (!recc::CompileFile(std::string(args[0]), compiled, error) ||
      !recc::WriteWholeFile(std::string(args[1]), compiled.record.data(), compiled.record.size(),
                            error)) {
    std::fprintf(stderr, "record encode: %s\n", error.c_str());
    return 1;
  }
  return 0;
}

struct Subcommand {
  std::string_view name;
  CommandFn run;
};

// Add further subcommands here (and their lines to kUsage).
constexpr Subcommand kSubcommands[] = {
    {"decode", Decode},
    {"encode", Encode},
};

int Record(std::span<const std::string_view> args) {
  if (!args.empty()) {
    for (const Subcommand& s : kSubcommands) {
      if (s.name == args[0]) return s.run(args.subspan(1));
    }
  }
  std::fprintf(stderr, "usage: quillmere-cli %.*s\n", int(kUsage.size()), kUsage.data());
  return kUsageError;
}

const Registration registration{{"record", kUsage, Record}};

}  // namespace

}  // namespace qm::cli
