#pragma once

#include "platform/xls/biff_bytes.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zelvora::xls {

// One entry of an OLE2 compound file: a stream with its bytes, or a storage
// with its entries. Everything is held in memory so the file can be written
// again with one stream changed and all others as they were.
struct OleEntry {
  std::string name;
  bool storage = false;
  Bytes data;
  std::vector<OleEntry> children;
  std::optional<std::array<std::uint8_t, 16>> classId;

  OleEntry* child(const std::string& name);  // letter case ignored for A to Z
};

// Reads a compound file from memory (libgsf). Returns false for anything
// that is not a readable compound file; limits depth, entry count and total
// size so a hostile file cannot exhaust memory.
bool readOle2(const Bytes& file, OleEntry& root);

// Writes a compound file into memory. Returns false when libgsf fails.
bool writeOle2(const OleEntry& root, Bytes& file);

}  // namespace zelvora::xls
