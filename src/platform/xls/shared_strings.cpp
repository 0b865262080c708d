#include "platform/xls/shared_strings.h"

#include <algorithm>

namespace zelvora::xls {

bool SharedStrings::read(const std::vector<Segment>& segments) {
  ContinuedReader reader(segments);
  m_totalRefs = reader.u32();
  const std::uint32_t unique = reader.u32();
  for (std::uint32_t i = 0; i < unique && reader.ok() && !reader.atEnd(); ++i) {
    RichString s = reader.richString();
    if (!reader.ok()) break;
    m_utf8.push_back(toUtf8(s.text));
    m_strings.push_back(std::move(s));
  }
  return reader.ok();
}

std::uint32_t SharedStrings::indexOf(const std::u16string& text) {
  if (!m_plainBuilt) {
    m_plainBuilt = true;
    for (std::size_t i = 0; i < m_strings.size(); ++i)
      if (m_strings[i].runCount == 0 && m_strings[i].ext.empty())
        m_plain.emplace(m_strings[i].text, static_cast<std::uint32_t>(i));
  }
  ++m_totalRefs;
  const auto found = m_plain.find(text);
  if (found != m_plain.end()) return found->second;
  const auto index = static_cast<std::uint32_t>(m_strings.size());
  m_strings.push_back({text, 0, {}, {}});
  m_utf8.push_back(toUtf8(text));
  m_plain.emplace(text, index);
  m_grown = true;
  return index;
}

namespace {

// Lays records out for the SST: a new CONTINUE starts whenever the current
// body is full, and positions are tracked so EXTSST can point at strings.
class SstWriter {
 public:
  explicit SstWriter(std::size_t streamOffset) : m_recordStart(streamOffset) { m_records.push_back({rt::Sst, {}}); }

  std::size_t room() const { return kMaxRecordBody - body().size(); }
  void newContinue() {
    m_recordStart += 4 + body().size();
    m_records.push_back({rt::Continue, {}});
  }
  Bytes& body() { return m_records.back().data; }
  const Bytes& body() const { return m_records.back().data; }
  std::size_t streamPos() const { return m_recordStart + 4 + body().size(); }
  std::size_t offsetInRecord() const { return 4 + body().size(); }

  // Bytes that may be split anywhere between records.
  void splittable(const Bytes& data, std::size_t unit) {
    std::size_t i = 0;
    while (i < data.size()) {
      std::size_t take = std::min(data.size() - i, room() / unit * unit);
      if (take == 0) {
        newContinue();
        continue;
      }
      body().insert(body().end(), data.begin() + static_cast<std::ptrdiff_t>(i),
                    data.begin() + static_cast<std::ptrdiff_t>(i + take));
      i += take;
    }
  }

  std::vector<Record> m_records;

 private:
  std::size_t m_recordStart;
};

}  // namespace

std::vector<Record> SharedStrings::write(std::size_t streamOffset) const {
  SstWriter w(streamOffset);
  putU32(w.body(), std::max<std::uint32_t>(m_totalRefs, static_cast<std::uint32_t>(m_strings.size())));
  putU32(w.body(), static_cast<std::uint32_t>(m_strings.size()));

  const std::size_t perBucket = std::max<std::size_t>(8, m_strings.size() / 128 + 1);
  Bytes extsst;
  putU16(extsst, static_cast<std::uint16_t>(perBucket));

  for (std::size_t i = 0; i < m_strings.size(); ++i) {
    const RichString& s = m_strings[i];
    const bool wide = std::any_of(s.text.begin(), s.text.end(), [](char16_t c) { return c > 0xFF; });
    const std::size_t unit = wide ? 2 : 1;
    const std::size_t header = 3 + (s.runCount ? 2 : 0) + (s.ext.empty() ? 0 : 4);
    // The header and the first character stay together in one record.
    if (w.room() < header + (s.text.empty() ? 0 : unit)) w.newContinue();
    if (i % perBucket == 0) {
      putU32(extsst, static_cast<std::uint32_t>(w.streamPos()));
      putU16(extsst, static_cast<std::uint16_t>(w.offsetInRecord()));
      putU16(extsst, 0);
    }
    std::uint8_t flags = wide ? 0x01 : 0x00;
    if (s.runCount) flags |= 0x08;
    if (!s.ext.empty()) flags |= 0x04;
    putU16(w.body(), static_cast<std::uint16_t>(s.text.size()));
    putU8(w.body(), flags);
    if (s.runCount) putU16(w.body(), s.runCount);
    if (!s.ext.empty()) putU32(w.body(), static_cast<std::uint32_t>(s.ext.size()));
    std::size_t c = 0;
    while (c < s.text.size()) {
      if (w.room() < unit) {
        w.newContinue();
        putU8(w.body(), wide ? 0x01 : 0x00);
      }
      const std::size_t take = std::min(s.text.size() - c, w.room() / unit);
      for (std::size_t k = 0; k < take; ++k) {
        if (wide)
          putU16(w.body(), s.text[c + k]);
        else
          putU8(w.body(), static_cast<std::uint8_t>(s.text[c + k]));
      }
      c += take;
    }
    w.splittable(s.runs, 4);
    w.splittable(s.ext, 1);
  }
  std::vector<Record> records = std::move(w.m_records);
  records.push_back({rt::ExtSst, std::move(extsst)});
  return records;
}

}  // namespace zelvora::xls
