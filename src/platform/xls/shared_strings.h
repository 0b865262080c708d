#pragma once

#include "platform/xls/biff_records.h"

#include <string>
#include <unordered_map>
#include <vector>

namespace zelvora::xls {

// The workbook's shared string table: every text cell of every sheet refers
// to one entry by number.
class SharedStrings {
 public:
  // Reads the table from the SST record body and its CONTINUE bodies. The
  // declared count is not trusted: reading stops at the end of the data.
  bool read(const std::vector<Segment>& segments);

  std::size_t size() const { return m_strings.size(); }
  const RichString& at(std::size_t index) const { return m_strings[index]; }
  // The entry's text as UTF-8.
  const std::string& utf8(std::size_t index) const { return m_utf8[index]; }

  // The entry for a plain text, added when there is none yet.
  std::uint32_t indexOf(const std::u16string& text);
  // Whether an entry was added since reading.
  bool grown() const { return m_grown; }

  // Writes SST with its CONTINUE records and the EXTSST that indexes it.
  // streamOffset is where the SST record will start in the stream.
  std::vector<Record> write(std::size_t streamOffset) const;

 private:
  std::vector<RichString> m_strings;
  std::vector<std::string> m_utf8;
  // Plain texts to their entries, built when the first text is added.
  std::unordered_map<std::u16string, std::uint32_t> m_plain;
  bool m_plainBuilt = false;
  std::uint32_t m_totalRefs = 0;
  bool m_grown = false;
};

}  // namespace zelvora::xls
