#include "platform/xls/ole2_container.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-memory.h>
#include <gsf/gsf-utils.h>

#include <algorithm>

namespace zelvora::xls {
namespace {

constexpr int kMaxDepth = 16;
constexpr std::size_t kMaxEntries = 4096;
constexpr std::size_t kMaxTotalBytes = std::size_t{512} << 20;

struct Budget {
  std::size_t entries = 0;
  std::size_t bytes = 0;
};

void initGsf() {
  static const bool done = [] {
    gsf_init();
    return true;
  }();
  (void)done;
}

bool sameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

bool readEntry(GsfInput* input, OleEntry& entry, int depth, Budget& budget) {
  if (depth > kMaxDepth || ++budget.entries > kMaxEntries) return false;
  const char* name = gsf_input_name(input);
  entry.name = name ? name : "";
  GsfInfile* infile = GSF_IS_INFILE(input) ? GSF_INFILE(input) : nullptr;
  const int count = infile ? gsf_infile_num_children(infile) : -1;
  if (GSF_IS_INFILE_MSOLE(input)) {
    std::array<std::uint8_t, 16> id{};
    if (gsf_infile_msole_get_class_id(GSF_INFILE_MSOLE(input), id.data()) &&
        std::any_of(id.begin(), id.end(), [](std::uint8_t b) { return b != 0; }))
      entry.classId = id;
  }
  if (count >= 0) {
    entry.storage = true;
    for (int i = 0; i < count; ++i) {
      GsfInput* child = gsf_infile_child_by_index(infile, i);
      if (!child) return false;
      OleEntry sub;
      const bool ok = readEntry(child, sub, depth + 1, budget);
      g_object_unref(child);
      if (!ok) return false;
      entry.children.push_back(std::move(sub));
    }
    return true;
  }
  const gsf_off_t size = gsf_input_size(input);
  if (size < 0 || static_cast<std::size_t>(size) > kMaxTotalBytes - budget.bytes) return false;
  budget.bytes += static_cast<std::size_t>(size);
  entry.data.resize(static_cast<std::size_t>(size));
  if (size > 0 && !gsf_input_read(input, static_cast<std::size_t>(size), entry.data.data())) return false;
  return true;
}

bool writeEntry(GsfOutfile* parent, const OleEntry& entry) {
  GsfOutput* out = gsf_outfile_new_child(parent, entry.name.c_str(), entry.storage);
  if (!out) return false;
  bool ok = true;
  if (entry.storage) {
    if (entry.classId) gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(out), entry.classId->data());
    for (const OleEntry& child : entry.children) ok = ok && writeEntry(GSF_OUTFILE(out), child);
  } else if (!entry.data.empty()) {
    ok = gsf_output_write(out, entry.data.size(), entry.data.data());
  }
  ok = gsf_output_close(out) && ok;
  g_object_unref(out);
  return ok;
}

}  // namespace

OleEntry* OleEntry::child(const std::string& wanted) {
  for (OleEntry& c : children)
    if (sameName(c.name, wanted)) return &c;
  return nullptr;
}

bool readOle2(const Bytes& file, OleEntry& root) {
  initGsf();
  GsfInput* input = gsf_input_memory_new(file.data(), static_cast<gsf_off_t>(file.size()), FALSE);
  if (!input) return false;
  GsfInfile* ole = gsf_infile_msole_new(input, nullptr);
  g_object_unref(input);
  if (!ole) return false;
  Budget budget;
  const bool ok = readEntry(GSF_INPUT(ole), root, 0, budget);
  g_object_unref(ole);
  root.storage = true;
  return ok;
}

bool writeOle2(const OleEntry& root, Bytes& file) {
  initGsf();
  GsfOutput* memory = gsf_output_memory_new();
  GsfOutfile* ole = gsf_outfile_msole_new(memory);
  if (!ole) {
    g_object_unref(memory);
    return false;
  }
  bool ok = true;
  if (root.classId) gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(ole), root.classId->data());
  for (const OleEntry& child : root.children) ok = ok && writeEntry(ole, child);
  ok = gsf_output_close(GSF_OUTPUT(ole)) && ok;
  g_object_unref(ole);
  if (ok) {
    const guint8* bytes = gsf_output_memory_get_bytes(GSF_OUTPUT_MEMORY(memory));
    const gsf_off_t size = gsf_output_size(memory);
    file.assign(bytes, bytes + size);
  }
  if (!gsf_output_is_closed(memory)) gsf_output_close(memory);
  g_object_unref(memory);
  return ok;
}

}  // namespace zelvora::xls
